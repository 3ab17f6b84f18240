#include "CropPage.h"

#include "ExportCommand.h"
#include "GalleryClip.h"

#include <UxVideoOperationViewer.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>
#include <numeric>

namespace {

const QSize kMinimumCrop(64, 36);

struct Shape
{
    const char *name;
    int w, h; // 0: free
};
const Shape kShapes[] = {{"Free", 0, 0}, {"16:9", 16, 9}, {"4:3", 4, 3}, {"1:1", 1, 1}};

// The stored picture's shape as displayed, before any rotation: its size stretched by the
// sample aspect, as the smallest num:den pair that fits an int.
QSize displayAspect(const QSize &stored, const QSize &sampleAspect)
{
    qint64 num = qint64(stored.width()) * sampleAspect.width();
    qint64 den = qint64(stored.height()) * sampleAspect.height();
    if (num <= 0 || den <= 0)
        return QSize(1, 1);
    const qint64 divisor = std::gcd(num, den);
    num /= divisor;
    den /= divisor;
    while (num > INT_MAX || den > INT_MAX) {
        num = qMax<qint64>(1, num / 2);
        den = qMax<qint64>(1, den / 2);
    }
    return QSize(int(num), int(den));
}

} // namespace

CropPage::CropPage(GalleryClip *clip, QWidget *parent)
    : GalleryPage(tr("Crop"), parent)
    , m_clip(clip)
    , m_viewer(new UxVideoOperationViewer(this))
    , m_result(new QLabel(this))
    , m_command(new QLineEdit(this))
{
    m_viewer->setMinimumSize(320, 180);
    m_viewer->setFocusPolicy(Qt::StrongFocus); // the crop keys reach it once it has focus
    m_viewer->setMarginColor(QColor(0x2b, 0x30, 0x38));
    m_clip->attach(m_viewer);
    connect(m_viewer, SIGNAL(actPlayOrPause()), m_clip, SLOT(togglePlay()));
    connect(m_viewer, SIGNAL(focusRectChanged(QRect)), this, SLOT(showCrop(QRect)));

    QVBoxLayout *page = new QVBoxLayout(this);
    page->addWidget(makeLabel(tr("Crop editor"), "title", this));
    page->addWidget(makeLabel(tr("Drag the rectangle or its eight handles; the spin boxes "
                                 "follow, and editing them moves the rectangle. A click off "
                                 "the rectangle pauses or resumes the clip."),
                              "note", this));
    QHBoxLayout *row = new QHBoxLayout;
    row->addWidget(m_viewer, 1);
    row->addWidget(makeControls());
    page->addLayout(row, 1);
    page->addWidget(makeLabel(tr("With the viewer focused: arrows move the rectangle (Ctrl: ten "
                                 "pixels), Shift+arrows resize it."),
                              "note", this));
    page->addWidget(m_result);
    QHBoxLayout *export_ = new QHBoxLayout;
    m_command->setReadOnly(true);
    m_command->setObjectName(QStringLiteral("exportCommand"));
    QPushButton *copy = new QPushButton(tr("Copy"), this);
    connect(copy, SIGNAL(clicked()), this, SLOT(copyCommand()));
    export_->addWidget(new QLabel(tr("Export"), this));
    export_->addWidget(m_command, 1);
    export_->addWidget(copy);
    page->addLayout(export_);
    connect(m_clip, SIGNAL(clipChanged()), this, SLOT(adoptClip()));
    connect(m_clip, SIGNAL(playRangeChanged(int, int)), this, SLOT(showCommand()));
    adoptClip();
}

// The usual host sequence for a new clip: input, logic video with a crop (the middle
// quarter), then frames.
void CropPage::adoptClip()
{
    // All in stored pixels; a file's frames bring their rotation to the viewer.
    const QSize video = m_clip->frameSize();
    const QSize aspect = displayAspect(video, m_clip->sampleAspect());
    m_viewer->setInputVideo(video, m_layout > 0, m_layout == 2, false);
    const QRect crop(QPoint(video.width() / 4, video.height() / 4), video / 2);
    m_viewer->setLogicVideo(video, aspect.width(), aspect.height(), crop,
                            kMinimumCrop.boundedTo(video));
    m_clip->showCurrentFrame(m_viewer);
    const int maxima[] = {video.width() - 1, video.height() - 1, video.width(), video.height()};
    for (int i = 0; i < m_spins.size(); ++i) {
        const QSignalBlocker quiet(m_spins[i]);
        m_spins[i]->setRange(0, qMax(0, maxima[i]));
    }
    showCrop(m_viewer->focusRect());
}

void CropPage::showCommand()
{
    m_command->setText(exportCommand(m_clip->filePath(), m_clip->framesPerSecond(),
                                     m_clip->inPoint(), m_clip->outPoint(), m_viewer->focusRect(),
                                     m_clip->frameSize(), m_clip->rotation()));
    m_command->setCursorPosition(0);
}

void CropPage::copyCommand()
{
    QGuiApplication::clipboard()->setText(m_command->text());
}

QSpinBox *CropPage::addSpinBox(const QString &label, const char *slot, QWidget *parent)
{
    QSpinBox *spin = new QSpinBox(parent);
    connect(spin, SIGNAL(valueChanged(int)), this, slot);
    qobject_cast<QFormLayout *>(parent->layout())->addRow(label, spin);
    m_spins.append(spin);
    return spin;
}

QWidget *CropPage::makeControls()
{
    QWidget *panel = new QWidget(this);
    QFormLayout *form = new QFormLayout(panel);
    addSpinBox(tr("Left"), SLOT(editLeft(int)), panel);
    addSpinBox(tr("Top"), SLOT(editTop(int)), panel);
    addSpinBox(tr("Width"), SLOT(editWidth(int)), panel);
    addSpinBox(tr("Height"), SLOT(editHeight(int)), panel);

    m_lockShape = new QComboBox(panel);
    for (const Shape &shape : kShapes)
        m_lockShape->addItem(tr(shape.name));
    m_lockBasis = new QComboBox(panel);
    m_lockBasis->addItems({tr("by clip pixels"), tr("by view")});
    connect(m_lockShape, SIGNAL(activated(int)), this, SLOT(applyLock()));
    connect(m_lockBasis, SIGNAL(activated(int)), this, SLOT(applyLock()));
    form->addRow(tr("Aspect lock"), m_lockShape);
    form->addRow(QString(), m_lockBasis);

    QComboBox *layout = new QComboBox(panel);
    layout->addItems({tr("2D"), tr("3D side by side"), tr("3D top and bottom")});
    connect(layout, SIGNAL(activated(int)), this, SLOT(chooseLayout(int)));
    form->addRow(tr("Input"), layout);

    QCheckBox *show = new QCheckBox(tr("Show the rectangle"), panel);
    show->setChecked(m_viewer->showFocusZone());
    connect(show, &QCheckBox::toggled, m_viewer, &UxVideoOperationViewer::setShowFocusZone);
    form->addRow(show);
    QCheckBox *veil = new QCheckBox(tr("Veil the rest"), panel);
    veil->setChecked(m_viewer->maskUnfocusZone());
    connect(veil, &QCheckBox::toggled, m_viewer, &UxVideoOperationViewer::setMaskUnfocusZone);
    form->addRow(veil);
    form->addRow(makeZoomControls(m_viewer, panel));
    return panel;
}

// The widget reports every edit in the clip's pixels; the spin boxes follow without
// echoing the change back.
void CropPage::showCrop(const QRect &crop)
{
    const int values[] = {crop.left(), crop.top(), crop.width(), crop.height()};
    for (int i = 0; i < m_spins.size(); ++i) {
        const QSignalBlocker quiet(m_spins[i]);
        m_spins[i]->setValue(values[i]);
    }
    m_result->setText(tr("Crop: %1 x %2 pixels at (%3, %4) of the %5 x %6 clip")
                          .arg(crop.width())
                          .arg(crop.height())
                          .arg(crop.left())
                          .arg(crop.top())
                          .arg(m_clip->frameSize().width())
                          .arg(m_clip->frameSize().height()));
    showCommand();
}

void CropPage::applyLock()
{
    const Shape &shape = kShapes[qBound(0, m_lockShape->currentIndex(), 3)];
    const bool keep = shape.w > 0;
    if (m_lockBasis->currentIndex() == 0)
        m_viewer->setFocusZoneKeepAspectRatioByLogic(keep, shape.w, shape.h, false);
    else
        m_viewer->setFocusZoneKeepAspectRatioByView(keep, shape.w, shape.h, false);
}

void CropPage::chooseLayout(int index)
{
    m_layout = index;
    m_clip->setLayout(index == 2 ? ClipSource::TopAndBottom
                                 : (index > 0 ? ClipSource::SideBySide : ClipSource::Flat));
    m_viewer->setInputVideo(m_clip->frameSize(), index > 0, index == 2, false);
}

// Host edits reshape the rectangle on every view and emit nothing, so the crop line is
// brought up to date here.
void CropPage::editLeft(int value)
{
    m_viewer->onFocusLeftChanged(value);
    showCrop(m_viewer->focusRect());
}

void CropPage::editTop(int value)
{
    m_viewer->onFocusTopChanged(value);
    showCrop(m_viewer->focusRect());
}

void CropPage::editWidth(int value)
{
    m_viewer->onFocusWidthChanged(value);
    showCrop(m_viewer->focusRect());
}

void CropPage::editHeight(int value)
{
    m_viewer->onFocusHeightChanged(value);
    showCrop(m_viewer->focusRect());
}

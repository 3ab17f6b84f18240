#include "ButtonsPage.h"

#include "GalleryStyle.h"

#include <CommonCtrls.h>
#include <CustomRadioButton.h>
#include <UxCheckBox.h>
#include <UxComboBox.h>
#include <UxPushButton.h>
#include <UxRadioButton.h>
#include <UxScrollButton.h>
#include <uxToolButton.h>

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// Sizes of the artwork that each control wears, in artwork units.
const QSize kPushArtwork(240, 64);
const QSize kIndicatorArtwork(240, 48);
const QSize kToolArtwork(200, 56);
const QSize kComboArtwork(240, 56);
const QSize kScrollArtwork(64, 40);

// The rules of the gallery's style sheet for the disabled family, as this zoom expands them.
QString familyRules()
{
    QFile file(QStringLiteral(":/gallery/gallery.qss"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QString all = QString::fromUtf8(file.readAll());
    QString rules;
    for (const char *selector :
         {"UxPushButton[skin=\"play\"]", "UxCheckBox {", "uxToolButton {", "UxComboBox {"}) {
        const int from = all.indexOf(QLatin1String(selector));
        const int to = all.indexOf(QLatin1Char('}'), from);
        if (from >= 0)
            rules += expandStyleTemplate(all.mid(from, to - from + 1)) + QLatin1String("\n\n");
    }
    return rules.trimmed();
}

template <class Button>
QWidget *makeButton(const QString &caption, QWidget *parent)
{
    Button *button = new Button(parent);
    button->setText(caption);
    return button;
}

QWidget *makePlayButton(const QString &caption, QWidget *parent)
{
    QWidget *button = makeButton<UxPushButton>(caption, parent);
    button->setProperty("skin", QStringLiteral("play")); // selects the style sheet rule
    return button;
}

template <int Align>
QWidget *makeToolButton(const QString &caption, QWidget *parent)
{
    uxToolButton *button = new uxToolButton(parent);
    button->setText(caption);
    button->setTextAlign(Align);
    return button;
}

QWidget *makeComboBox(const QString &caption, QWidget *parent)
{
    UxComboBox *combo = new UxComboBox(parent);
    combo->addItems({caption, QStringLiteral("HEVC"), QStringLiteral("AV1")});
    return combo;
}

} // namespace

ButtonsPage::ButtonsPage(QWidget *parent)
    : GalleryPage(tr("Buttons"), parent)
    , m_styleExcerpt(new QPlainTextEdit(this))
{
    QVBoxLayout *page = new QVBoxLayout(this);
    page->addWidget(makeLabel(tr("Skinned buttons"), "title", this));
    page->addWidget(makeLabel(tr("While disabled, each skinned button paints a disabled-state "
                                 "image and its own caption over its normal look, both set "
                                 "from the style sheet (qproperty-disableImage, "
                                 "qproperty-disableTextInfo). Enabled, it is its Qt base."),
                              "note", this));

    QHBoxLayout *columns = new QHBoxLayout;
    page->addLayout(columns, 1);

    QGridLayout *grid = new QGridLayout;
    grid->addWidget(makeLabel(tr("Enabled"), "column", this), 0, 1);
    grid->addWidget(makeLabel(tr("Disabled"), "column", this), 0, 2);
    addFamilyRow(grid, "UxPushButton", makePlayButton, tr("Play"), kPushArtwork);
    addFamilyRow(grid, "UxCheckBox", makeButton<UxCheckBox>, tr("Loop"), kIndicatorArtwork);
    addFamilyRow(grid, "UxRadioButton", makeButton<UxRadioButton>, tr("Stereo"), kIndicatorArtwork);
    addFamilyRow(grid, "uxToolButton, left", makeToolButton<0>, tr("Left"), kToolArtwork);
    addFamilyRow(grid, "uxToolButton, right", makeToolButton<1>, tr("Right"), kToolArtwork);
    addFamilyRow(grid, "uxToolButton, centre", makeToolButton<2>, tr("Centre"), kToolArtwork);
    addFamilyRow(grid, "UxComboBox", makeComboBox, QStringLiteral("H.264"), kComboArtwork);
    grid->setRowStretch(grid->rowCount(), 1);
    columns->addLayout(grid);

    QVBoxLayout *side = new QVBoxLayout;
    m_transport = makeTransport(tr("Disabled through the parent"));
    QCheckBox *enable = new QCheckBox(tr("Transport enabled"), this);
    connect(enable, SIGNAL(toggled(bool)), this, SLOT(setTransportEnabled(bool)));
    setTransportEnabled(false);
    side->addWidget(enable);
    side->addWidget(m_transport);
    QHBoxLayout *panels = new QHBoxLayout;
    panels->addWidget(makeScrollPanel());
    panels->addWidget(makeRadioPanel());
    side->addLayout(panels);
    side->addWidget(
        makeLabel(tr("The rules behind the disabled skins at this zoom:"), "note", this));
    m_styleExcerpt->setReadOnly(true);
    side->addWidget(m_styleExcerpt, 1);
    columns->addLayout(side, 1);
}

void ButtonsPage::addFamilyRow(QGridLayout *grid, const QString &className,
                               QWidget *(*make)(const QString &, QWidget *), const QString &caption,
                               const QSize &artwork)
{
    const int row = grid->rowCount();
    grid->addWidget(makeLabel(className, "column", this), row, 0);
    for (bool enabled : {true, false}) {
        QWidget *widget = addSized(make(caption, this), artwork);
        widget->setEnabled(enabled);
        grid->addWidget(widget, row, enabled ? 1 : 2);
    }
}

QWidget *ButtonsPage::addSized(QWidget *widget, const QSize &artwork)
{
    m_sized.append({widget, artwork});
    return widget;
}

QGroupBox *ButtonsPage::makeTransport(const QString &title)
{
    QGroupBox *box = new QGroupBox(title, this);
    QHBoxLayout *row = new QHBoxLayout(box);
    row->addWidget(addSized(makePlayButton(tr("Play"), box), kPushArtwork));
    row->addWidget(addSized(makeButton<UxCheckBox>(tr("Loop"), box), kIndicatorArtwork));
    row->addWidget(addSized(makeToolButton<2>(tr("Trim"), box), kToolArtwork));
    row->addStretch();
    return box;
}

// Scroll buttons as a host uses them: stepping a list, disabled at its ends.
QGroupBox *ButtonsPage::makeScrollPanel()
{
    QGroupBox *box = new QGroupBox(tr("UxScrollButton"), this);
    QVBoxLayout *column = new QVBoxLayout(box);
    m_up = new UxScrollButton(box);
    m_down = new UxScrollButton(box);
    m_down->setProperty("direction", QStringLiteral("down"));
    m_list = new QListWidget(box);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int clip = 1; clip <= 24; ++clip)
        m_list->addItem(tr("Clip %1").arg(clip, 2, 10, QLatin1Char('0')));
    column->addWidget(addSized(m_up, kScrollArtwork), 0, Qt::AlignHCenter);
    column->addWidget(m_list, 1);
    column->addWidget(addSized(m_down, kScrollArtwork), 0, Qt::AlignHCenter);
    connect(m_up, SIGNAL(clicked()), this, SLOT(scrollListUp()));
    connect(m_down, SIGNAL(clicked()), this, SLOT(scrollListDown()));
    connect(m_list->verticalScrollBar(), SIGNAL(valueChanged(int)), this,
            SLOT(updateScrollButtons()));
    connect(m_list->verticalScrollBar(), SIGNAL(rangeChanged(int, int)), this,
            SLOT(updateScrollButtons()));
    updateScrollButtons();
    return box;
}

// Each radio button's indicator column, as it reports it, is outlined.
QGroupBox *ButtonsPage::makeRadioPanel()
{
    QGroupBox *box = new QGroupBox(tr("CustomRadioButton"), this);
    QVBoxLayout *column = new QVBoxLayout(box);
    for (const QString &caption : {tr("Mono"), tr("Stereo"), tr("Surround 5.1")}) {
        CustomRadioButton *radio = new CustomRadioButton(box);
        radio->setText(caption);
        QFrame *outline = new QFrame(radio);
        outline->setObjectName(QStringLiteral("indicatorOutline"));
        outline->setAttribute(Qt::WA_TransparentForMouseEvents);
        radio->installEventFilter(this); // the column moves when the button is resized
        column->addWidget(radio);
        m_radios.append({radio, outline});
    }
    m_radios.first().first->setChecked(true);
    column->addWidget(makeLabel(tr("Outlined: indicatorRect()"), "note", box));
    column->addStretch();
    return box;
}

void ButtonsPage::setTransportEnabled(bool enabled)
{
    m_transport->setEnabled(enabled);
}

void ButtonsPage::scrollListUp()
{
    m_list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
}

void ButtonsPage::scrollListDown()
{
    m_list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}

void ButtonsPage::updateScrollButtons()
{
    const QScrollBar *bar = m_list->verticalScrollBar();
    m_up->setEnabled(bar->value() > bar->minimum());
    m_down->setEnabled(bar->value() < bar->maximum());
}

// The style sheet does not size the controls; their artwork does, at the zoom factor.
void ButtonsPage::refresh()
{
    for (const auto &sized : m_sized)
        sized.first->setFixedSize(CommonCtrls::SizeAdujstDpi(sized.second));
    outlineIndicators();
    m_styleExcerpt->setPlainText(familyRules());
}

void ButtonsPage::outlineIndicators()
{
    for (const auto &radio : m_radios) {
        radio.first->ensurePolished();
        radio.second->setGeometry(radio.first->indicatorRect());
    }
}

bool ButtonsPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && qobject_cast<CustomRadioButton *>(watched))
        outlineIndicators();
    return GalleryPage::eventFilter(watched, event);
}

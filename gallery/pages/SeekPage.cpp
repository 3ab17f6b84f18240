#include "SeekPage.h"

#include "GalleryClip.h"
#include "ThumbnailSource.h"

#include <UxPlaySeekingBar.h>
#include <UxSlider.h>
#include <UxTrimSeekingBar.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTranslator>
#include <QVBoxLayout>

SeekPage::SeekPage(GalleryClip *clip, QWidget *parent)
    : GalleryPage(tr("Seek and trim"), parent)
    , m_clip(clip)
    , m_seek(new UxPlaySeekingBar(this))
    , m_trim(new UxTrimSeekingBar(this))
    , m_trimText(new QLabel(this))
    , m_tooltips(makeLabel(QString(), "note", this))
    , m_translator(new QTranslator(this))
{
    m_seek->setOrientation(Qt::Horizontal);
    // The bar follows the clip and seeks it; seeking to the same frame is no change.
    connect(m_clip, SIGNAL(positionChanged(int)), m_seek, SLOT(setValue(int)));
    connect(m_seek, SIGNAL(valueChanged(int)), m_clip, SLOT(seek(int)));

    connect(m_trim, SIGNAL(trimStartChanged(int)), this, SLOT(showTrim()));
    connect(m_trim, SIGNAL(trimEndChanged(int)), this, SLOT(showTrim()));
    connect(m_trim, SIGNAL(valueChanged(int)), m_clip, SLOT(seek(int))); // preview the point
    // Both bars preview the frame under the pointer (and the trim bar that of a focused
    // handle), captioned with the chapter the seek bar names.
    m_clip->thumbnails()->serve(m_seek, m_seek);
    m_clip->thumbnails()->serve(m_trim, m_seek);

    QVBoxLayout *page = new QVBoxLayout(this);
    page->addWidget(makeLabel(tr("Seeking and trimming"), "title", this));
    page->addWidget(
        makeLabel(tr("The seek bar follows the clip and seeks it; its bright part is the "
                     "range kept by the trim bar below. Drag the trim handles; clicks "
                     "outside the kept range are refused on the seek bar."),
                  "note", this));
    page->addWidget(m_seek);
    page->addSpacing(12);
    page->addWidget(m_trim);
    page->addWidget(makeLabel(tr("Tab to a trim handle, then Left/Right move it (Shift: ten "
                                 "steps), Home/End to its bound."),
                              "note", this));
    page->addWidget(m_trimText);

    QFormLayout *options = new QFormLayout;
    m_minimum = new QSpinBox(this);
    m_minimum->setSuffix(tr(" frames"));
    connect(m_minimum, SIGNAL(valueChanged(int)), this, SLOT(setMinimumLength(int)));
    options->addRow(tr("Minimum trim length"), m_minimum);
    // Looping, playback goes from the out point back to the in point instead of stopping.
    QHBoxLayout *playback = new QHBoxLayout;
    QPushButton *play = new QPushButton(tr("Play / Pause"), this);
    connect(play, SIGNAL(clicked()), m_clip, SLOT(togglePlay()));
    QCheckBox *loop = new QCheckBox(tr("Loop the kept range"), this);
    loop->setChecked(m_clip->isLooping());
    connect(loop, SIGNAL(toggled(bool)), m_clip, SLOT(setLooping(bool)));
    connect(m_clip, SIGNAL(loopingChanged(bool)), loop,
            SLOT(setChecked(bool))); // or the Video page's
    playback->addWidget(play);
    playback->addWidget(loop);
    playback->addStretch();
    options->addRow(tr("Playback"), playback);
    QComboBox *language = new QComboBox(this);
    language->addItems(
        {QStringLiteral("English"), QStringLiteral("Deutsch"), QStringLiteral("中文")});
    connect(language, SIGNAL(activated(int)), this, SLOT(chooseLanguage(int)));
    options->addRow(tr("Language"), language);
    options->addRow(tr("Handle tooltips"), m_tooltips);
    page->addLayout(options);
    page->addWidget(makeSliderComparison());
    page->addStretch(1);
    connect(m_clip, SIGNAL(clipChanged()), this, SLOT(adoptClip()));
    adoptClip();
}

// A new clip: the bars span it, and the trim keeps all of an opened file, and all but the
// first and last tenth of the test pattern, to show the handles at work.
void SeekPage::adoptClip()
{
    const int last = qMax(0, m_clip->frameCount() - 1);
    const int margin = m_clip->filePath().isEmpty() ? last / 10 : 0;
    const int second = qMax(1, qRound(m_clip->framesPerSecond()));
    m_seek->setRange(0, last);
    m_trim->setRange(0, last);
    m_seek->setChapters(m_clip->chapters(), m_clip->chapterTitles());
    m_trim->setChapters(m_clip->chapters(), m_clip->chapterTitles());
    m_minimum->setRange(0, last + 1);
    const QSignalBlocker quiet(m_minimum);
    m_minimum->setValue(qMin(second, last / 2));
    m_trim->setTrimStartEnd(margin, last - margin, m_minimum->value());
    showTrim();
}

QString SeekPage::seconds(int frames) const
{
    return QString::number(frames / qMax(1.0, m_clip->framesPerSecond()), 'f', 2);
}

QWidget *SeekPage::makeSliderComparison()
{
    QWidget *box = new QWidget(this);
    QGridLayout *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    UxSlider *jumping = new UxSlider(box);
    QSlider *paging = new QSlider(box);
    for (QSlider *slider : {static_cast<QSlider *>(jumping), paging}) {
        slider->setOrientation(Qt::Horizontal);
        slider->setRange(0, 100);
        slider->setValue(30);
    }
    grid->addWidget(
        makeLabel(tr("UxSlider: a click jumps to the value under the mouse"), "note", box), 0, 0);
    grid->addWidget(makeLabel(tr("QSlider: a click pages towards it"), "note", box), 0, 1);
    grid->addWidget(jumping, 1, 0);
    grid->addWidget(paging, 1, 1);
    return box;
}

void SeekPage::showTrim()
{
    const int start = m_trim->trimStart();
    const int end = m_trim->trimEnd();
    m_seek->setUsableRange(start, end);
    m_clip->setPlayRange(start, end); // playback stays within the kept range
    m_trimText->setText(tr("Kept: from %1 s to %2 s, %3 s long")
                            .arg(seconds(start), seconds(end), seconds(m_trim->trimLength())));
    const auto tip = [this](const char *name) {
        return m_trim->findChild<QToolButton *>(QLatin1String(name))->toolTip();
    };
    m_tooltips->setText(QStringLiteral("“%1” · “%2”").arg(tip("btnTrimLeft"), tip("btnTrimRight")));
}

void SeekPage::setMinimumLength(int frames)
{
    m_trim->setTrimStartEnd(m_trim->trimStart(), m_trim->trimEnd(), frames);
}

// As a host does it: one translator for the library, installed or removed; the
// language change event retranslates the widgets.
void SeekPage::chooseLanguage(int index)
{
    QCoreApplication::removeTranslator(m_translator);
    const char *const locales[] = {nullptr, "de", "zh_CN"};
    if (index > 0 && index < 3 &&
        m_translator->load(QLocale(locales[index]), QStringLiteral("commonctrls"),
                           QStringLiteral("_"), QStringLiteral(":/translations")))
        QCoreApplication::installTranslator(m_translator);
    QCoreApplication::processEvents(); // deliver the language change first
    showTrim();
}

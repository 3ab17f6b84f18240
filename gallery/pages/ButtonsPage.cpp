#include "ButtonsPage.h"

#include "GalleryStyle.h"

#include <CommonCtrls.h>
#include <UxPushButton.h>

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

const QSize kButtonArtwork(240, 64); // the button artwork's size in artwork units

// The push-button rules of the gallery's style sheet, as the current zoom expands them.
QString pushButtonRules()
{
    QFile file(QStringLiteral(":/gallery/gallery.qss"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QString all = QString::fromUtf8(file.readAll());
    const int from = all.indexOf(QLatin1String("UxPushButton[skin=\"play\"]"));
    const int to = all.indexOf(QLatin1Char('}'), from);
    return from < 0 ? QString() : expandStyleTemplate(all.mid(from, to - from + 1));
}

} // namespace

ButtonsPage::ButtonsPage(QWidget *parent)
    : GalleryPage(tr("Buttons"), parent)
    , m_transport(new QGroupBox(tr("Disabled through the parent"), this))
    , m_styleExcerpt(new QPlainTextEdit(this))
{
    QVBoxLayout *page = new QVBoxLayout(this);
    page->addWidget(makeLabel(tr("Skinned push buttons"), "title", this));
    page->addWidget(makeLabel(tr("While disabled, UxPushButton paints a disabled-state image and "
                                 "its own caption over the normal button. Both come from the "
                                 "style sheet: qproperty-disableImage and "
                                 "qproperty-disableTextInfo."),
                              "note", this));

    QHBoxLayout *columns = new QHBoxLayout;
    page->addLayout(columns, 1);

    QGridLayout *grid = new QGridLayout;
    grid->addWidget(makeLabel(tr("Enabled"), "column", this), 0, 0);
    grid->addWidget(makeLabel(tr("Disabled"), "column", this), 0, 1);
    const QList<QPair<QString, QString>> skins = {{"play", tr("Play")},
                                                  {"record", tr("Record")},
                                                  {"export", tr("Export")},
                                                  {"plain", tr("Settings")}};
    int row = 1;
    for (const auto &skin : skins) {
        grid->addWidget(addButton(skin.first, skin.second, true, this), row, 0);
        grid->addWidget(addButton(skin.first, skin.second, false, this), row, 1);
        ++row;
    }
    grid->setRowStretch(row, 1);
    columns->addLayout(grid);

    QVBoxLayout *side = new QVBoxLayout;
    QCheckBox *enable = new QCheckBox(tr("Transport enabled"), this);
    enable->setChecked(false);
    connect(enable, SIGNAL(toggled(bool)), this, SLOT(setTransportEnabled(bool)));
    QHBoxLayout *transport = new QHBoxLayout(m_transport);
    for (const auto &skin : skins.mid(0, 2))
        transport->addWidget(addButton(skin.first, skin.second, true, m_transport));
    transport->addStretch();
    setTransportEnabled(false);
    side->addWidget(enable);
    side->addWidget(m_transport);
    side->addWidget(makeLabel(tr("The rule behind the Play button at this zoom:"), "note", this));
    m_styleExcerpt->setReadOnly(true);
    side->addWidget(m_styleExcerpt, 1);
    columns->addLayout(side, 1);
}

UxPushButton *ButtonsPage::addButton(const QString &skin, const QString &caption, bool enabled,
                                     QWidget *parent)
{
    UxPushButton *button = new UxPushButton(parent);
    button->setProperty("skin", skin); // selects the style sheet rule
    button->setText(caption);
    button->setEnabled(enabled);
    m_buttons.append(button);
    return button;
}

void ButtonsPage::setTransportEnabled(bool enabled)
{
    m_transport->setEnabled(enabled);
}

// The style sheet does not size the buttons; their artwork does, at the zoom factor.
void ButtonsPage::refresh()
{
    const QSize size = CommonCtrls::SizeAdujstDpi(kButtonArtwork);
    for (UxPushButton *button : m_buttons)
        button->setFixedSize(size);
    m_styleExcerpt->setPlainText(pushButtonRules());
}

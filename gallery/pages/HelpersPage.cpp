#include "HelpersPage.h"

#include "GalleryStyle.h"

#include <CommonCtrls.h>
#include <UxProductInfo.h>

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kBadge = QStringLiteral(":/artwork/badge.png");

QString sizeText(const QSize &s)
{
    return QStringLiteral("%1 x %2").arg(s.width()).arg(s.height());
}

QString rectText(const QRect &r)
{
    return QStringLiteral("(%1, %2) %3 x %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QString marginsText(const QMargins &m)
{
    return QStringLiteral("%1, %2, %3, %4")
        .arg(m.left())
        .arg(m.top())
        .arg(m.right())
        .arg(m.bottom());
}

void showPixmap(QLabel *image, QLabel *caption, const QString &path)
{
    const QPixmap pixmap = CommonCtrls::getPixmapFromString(path);
    image->setPixmap(pixmap);
    caption->setText(QObject::tr("%1\n%2 pixels, ratio %3")
                         .arg(path, sizeText(pixmap.size()))
                         .arg(pixmap.devicePixelRatio()));
}

} // namespace

HelpersPage::HelpersPage(QWidget *parent)
    : GalleryPage(tr("Helpers"), parent)
    , m_switch(
          new QCheckBox(tr("Host parameter NoUserDpiChange = 1 (artwork keeps its size)"), this))
    , m_table(new QTableWidget(0, 3, this))
    , m_chosenImage(new QLabel(this))
    , m_chosenCaption(makeLabel(QString(), "note", this))
    , m_plainImage(new QLabel(this))
    , m_plainCaption(makeLabel(QString(), "note", this))
{
    QVBoxLayout *page = new QVBoxLayout(this);
    page->addWidget(makeLabel(tr("Zoom and image helpers"), "title", this));
    page->addWidget(makeLabel(tr("Artwork is drawn at twice its size at 100 %. CommonCtrls brings "
                                 "lengths and images to the host's zoom factor and picks \"@2x\" "
                                 "files on screens with a device-pixel ratio above 1."),
                              "note", this));
    page->addWidget(m_switch);
    connect(m_switch, SIGNAL(toggled(bool)), this, SLOT(setZoomSwitchedOff(bool)));

    m_table->setHorizontalHeaderLabels({tr("Call"), tr("Argument"), tr("Result")});
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    page->addWidget(m_table);

    QGridLayout *images = new QGridLayout;
    images->addWidget(makeLabel(tr("getImagePathByDpi, then getPixmapFromString:"), "note", this),
                      0, 0);
    images->addWidget(makeLabel(tr("The plain file through getPixmapFromString:"), "note", this), 0,
                      1);
    images->addWidget(m_chosenImage, 1, 0);
    images->addWidget(m_plainImage, 1, 1);
    images->addWidget(m_chosenCaption, 2, 0);
    images->addWidget(m_plainCaption, 2, 1);
    page->addLayout(images);
    page->addStretch(1);
}

void HelpersPage::setZoomSwitchedOff(bool off)
{
    UxProductInfo::instance()->setExtendParam(QStringLiteral("NoUserDpiChange"),
                                              off ? QStringLiteral("1") : QStringLiteral("0"));
    Q_EMIT hostSettingsChanged();
}

void HelpersPage::fillTable()
{
    double scale = 1.0;
    const QString gifPath = CommonCtrls::getGifPath(kBadge, scale);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QList<QStringList> rows = {
        {"getDpi()", "", QString::number(CommonCtrls::getDpi())},
        {"SizeAdujstDpi", "240 x 64", sizeText(CommonCtrls::SizeAdujstDpi(QSize(240, 64)))},
        {"RectAdujstDpi", "(5, 5) 21 x 11",
         rectText(CommonCtrls::RectAdujstDpi(QRect(5, 5, 21, 11)))},
        {"MarginsAdujstDpi", "16, 8, 16, 8",
         marginsText(CommonCtrls::MarginsAdujstDpi(QMargins(16, 8, 16, 8)))},
        {"getImagePathByDpi", kBadge, CommonCtrls::getImagePathByDpi(kBadge)},
        {"getGifPath", kBadge, tr("%1, scale %2").arg(gifPath).arg(scale)},
        {"device-pixel ratio", "", QString::number(qApp->devicePixelRatio())},
        {"screen logical DPI", "", QString::number(screen ? screen->logicalDotsPerInchX() : 0)},
    };
    m_table->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < 3; ++c)
            m_table->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    }
}

void HelpersPage::refresh()
{
    fillTable();
    showPixmap(m_chosenImage, m_chosenCaption, artworkPath(QStringLiteral("badge")));
    showPixmap(m_plainImage, m_plainCaption, kBadge);
}

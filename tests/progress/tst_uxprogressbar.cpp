#include <UxProgressBar.h>
#include <UxResourceMgr.h>

#include <QPainter>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

namespace {

const QColor kBackground(0, 0, 255), kLeftEnd(255, 0, 0), kMiddle(0, 255, 0),
    kRightEnd(255, 255, 0);

// 200 x 24 under Fusion, whose groove is the whole bar.
class Probe : public UxProgressBar
{
public:
    Probe()
    {
        resize(200, 24);
        setTextVisible(false);
    }
};

} // namespace

class TestProgressBar : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_bg, m_fg;
    QString skins() const { return m_bg + "," + m_fg; }

    // "@bg" and "@fg" stand for the two skin files; ';' separates texts set in turn.
    void setTexts(Probe &bar, const QString &pixmaps, const QString &margins)
    {
        for (QString text : pixmaps.split(';'))
            bar.setProgressPixmap(text.replace("@bg", m_bg).replace("@fg", m_fg));
        for (const QString &text : margins.split(';'))
            bar.setProgressMargin(text);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        UxResourceMgr::setZoomDPI(2.0); // skins at their own size
        QImage background(40, 20, QImage::Format_RGB32), fill(40, 20, QImage::Format_RGB32);
        background.fill(kBackground);
        fill.fill(kMiddle); // with ends 10 pixels wide in colours of their own
        QPainter(&fill).fillRect(0, 0, 10, 20, kLeftEnd);
        QPainter(&fill).fillRect(30, 0, 10, 20, kRightEnd);
        m_bg = m_dir.filePath("bg.png");
        m_fg = m_dir.filePath("fg.png");
        QVERIFY(background.save(m_bg) && fill.save(m_fg));
    }

    void skinnedOrFallback_data()
    {
        QTest::addColumn<QString>("pixmaps");
        QTest::addColumn<QString>("margins");
        QTest::addColumn<bool>("skinned");
        QTest::newRow("nothing set") << "" << "" << false;
        QTest::newRow("skins and margins") << "@bg,@fg" << "4,10,4,10" << true;
        QTest::newRow("left margin 0 turns skins off") << "@bg,@fg" << "4,6,4,0" << false;
        QTest::newRow("left margin not a number") << "@bg,@fg" << "4,6,4,x" << false;
        QTest::newRow("other margins not numbers") << "@bg,@fg" << "x,y,z,10" << true;
        QTest::newRow("three margins are refused") << "@bg,@fg" << "4,10,4" << false;
        QTest::newRow("five margins are refused") << "@bg,@fg" << "4,10,4,10,1" << false;
        QTest::newRow("refused margins keep the last") << "@bg,@fg" << "4,10,4,10;4,0,4" << true;
        QTest::newRow("one path is refused") << "@bg" << "4,10,4,10" << false;
        QTest::newRow("three paths are refused") << "@bg,@fg,@bg" << "4,10,4,10" << false;
        QTest::newRow("refused paths keep the last") << "@bg,@fg;@fg" << "4,10,4,10" << true;
        QTest::newRow("a path that does not load") << "@bg,/nonexistent.png" << "4,10,4,10" << false;
    }
    void skinnedOrFallback()
    {
        QFETCH(QString, pixmaps);
        QFETCH(QString, margins);
        QFETCH(bool, skinned);
        Probe bar;
        setTexts(bar, pixmaps, margins);
        bar.setValue(50); // the skinned background shows right of the fill
        QCOMPARE(bar.grab().toImage().pixelColor(180, 12) == kBackground, skinned);
    }

    // The fallback passes the chosen colour on as the palette's text colour.
    void textColours_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("colours"); // ';' separates texts set in turn
        QTest::addColumn<QColor>("expected");
        const QColor low("#466cb7"), high("#ffffff");
        const int intMax = std::numeric_limits<int>::max();
        QTest::newRow("50 % is low") << 0 << 100 << 50 << "" << low;
        QTest::newRow("51 % is high") << 0 << 100 << 51 << "" << high;
        QTest::newRow("150 of 100..200 counts 150 %") << 100 << 200 << 150 << "" << high;
        QTest::newRow("no overflow") << 0 << intMax << 2000000000 << "" << high;
        QTest::newRow("own low") << 0 << 100 << 10 << "#ff0000*#00ff00" << QColor(Qt::red);
        QTest::newRow("third part ignored") << 0 << 100 << 90 << "red*blue*green" << QColor(Qt::blue);
        QTest::newRow("one part changes nothing") << 0 << 100 << 10 << "#ff0000" << low;
        QTest::newRow("one part keeps the last") << 0 << 100 << 10 << "red*blue;green" << QColor(Qt::red);
        QTest::newRow("not a colour") << 0 << 100 << 10 << "nocolour*#00ff00" << QColor();
    }
    void textColours()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QFETCH(QString, colours);
        QFETCH(QColor, expected);
        Probe bar;
        for (const QString &text : colours.split(';'))
            bar.setTextColor(text);
        bar.setRange(minimum, maximum);
        bar.setValue(value);
        bar.grab();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            QCOMPARE(bar.palette().color(group, QPalette::Text), expected);
    }

    // Margins 0,10,0,10: the fill's ends keep their 10 pixels and its middle stretches;
    // up to 20 pixels the two ends meet unscaled, below 2 nothing is drawn.
    void fills_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("drawn"); // pixels from the left
        QTest::addColumn<QColor>("at10");
        QTest::newRow("nothing at the minimum") << 0 << 200 << 0 << 0 << kBackground;
        QTest::newRow("one pixel draws nothing") << 0 << 200 << 1 << 0 << kBackground;
        QTest::newRow("ends meet at 20") << 0 << 200 << 20 << 20 << kRightEnd;
        QTest::newRow("nine slices from 21") << 0 << 200 << 21 << 21 << kMiddle;
        QTest::newRow("half, minimum 100") << 100 << 300 << 200 << 100 << kMiddle;
        QTest::newRow("full") << 0 << 200 << 200 << 200 << kMiddle;
        QTest::newRow("half of a billion") << 0 << 1000000000 << 500000000 << 100 << kMiddle;
    }
    void fills()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QFETCH(int, drawn);
        QFETCH(QColor, at10);
        Probe bar;
        setTexts(bar, "@bg,@fg", "0,10,0,10");
        bar.setRange(minimum, maximum);
        bar.setValue(value);
        const QImage shown = bar.grab().toImage();
        for (int x = 0; x < 200; ++x)
            QVERIFY2((shown.pixelColor(x, 12) != kBackground) == (x < drawn), qPrintable(QString::number(x)));
        QCOMPARE(shown.pixelColor(10, 12), at10);
        if (drawn > 0) {
            QCOMPARE(shown.pixelColor(5, 12), kLeftEnd);
            QCOMPARE(shown.pixelColor(drawn - 5, 12), kRightEnd);
        }
    }

    // A value that the range refuses keeps the old one, 30 of now 10000.
    void doubleValues_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("format");
        QTest::newRow("two decimals") << 1234 << 2 << 10000 << "12.34%";
        QTest::newRow("one decimal") << 999 << 1 << 1000 << "99.90%";
        QTest::newRow("refused value") << 20000 << 2 << 10000 << "0.30%";
        QTest::newRow("too many decimals for int") << 7 << 12 << std::numeric_limits<int>::max() << "0.00%";
        QTest::newRow("negative decimals, no range") << 0 << -3 << 0 << "0.00%";
    }
    void doubleValues()
    {
        QFETCH(int, value);
        QFETCH(int, decimals);
        QFETCH(int, maximum);
        QFETCH(QString, format);
        UxProgressBar bar;
        bar.setRange(10, 100);
        bar.setValue(30);
        bar.setDoubleValue(value, decimals);
        QCOMPARE(bar.minimum(), 0);
        QCOMPARE(bar.maximum(), maximum);
        QCOMPARE(bar.format(), format);
        if (maximum > 0)
            QCOMPARE(bar.text(), format);
    }

    // useFloat paints two decimals: the picture of a bar whose format says so.
    void floatText()
    {
        Probe withFloat, withFormat, plain;
        for (Probe *bar : {&withFloat, &withFormat, &plain}) {
            setTexts(*bar, "@bg,@fg", "0,10,0,10");
            bar->setTextVisible(true);
            bar->setRange(0, 3);
            bar->setValue(1);
        }
        withFloat.useFloat(true);
        withFormat.setFormat("33.33%");
        QCOMPARE(withFloat.grab().toImage(), withFormat.grab().toImage());
        QVERIFY(withFloat.grab().toImage() != plain.grab().toImage()); // plain says 33%
    }
};

QTEST_MAIN(TestProgressBar)
#include "tst_uxprogressbar.moc"

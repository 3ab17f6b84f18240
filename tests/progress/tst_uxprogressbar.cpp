#include <UxProgressBar.h>
#include <UxResourceMgr.h>

#include <QPainter>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>

namespace {

const QColor kBackground(0, 0, 255), kLeftEnd(255, 0, 0), kMiddle(0, 255, 0),
    kRightEnd(255, 255, 0), kLow("#466cb7"), kHigh("#ffffff");

// The three text properties, each a ';'-separated list of texts set in turn; range and
// value; the pixels the fill covers from the left, -1 for the style's own bar; then a
// pixel and its colour or, for the style's bar, 0 and the text colour.
struct Paint
{
    QString pixmaps, margins, colours;
    int minimum, maximum, value, drawn, x;
    QColor colour;
};

} // namespace

Q_DECLARE_METATYPE(Paint)

class TestProgressBar : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create("Fusion")); // its groove is the whole bar
        UxResourceMgr::setZoomDPI(2.0);                          // skins at their own size
        QImage background(40, 20, QImage::Format_RGB32), fill(40, 20, QImage::Format_RGB32);
        background.fill(kBackground);
        fill.fill(kMiddle); // with ends 10 pixels wide in colours of their own
        QPainter(&fill).fillRect(0, 0, 10, 20, kLeftEnd);
        QPainter(&fill).fillRect(30, 0, 10, 20, kRightEnd);
        QVERIFY(QDir::setCurrent(m_dir.path()) && background.save("bg.png") && fill.save("fg.png"));
    }

    // The fill's ends keep their 10 pixels and its middle stretches; up to 20 pixels the
    // two ends meet unscaled in the middle, below 2 nothing is drawn. The text colour is
    // high above 50 % of value * 100 / length, the minimum not subtracted.
    void paint_data()
    {
        QTest::addColumn<Paint>("p");
        const QString s = "bg.png,fg.png", m = "4,10,4,10";
        QTest::newRow("non-numbers") << Paint{s, "x,10,y,10", {}, 0, 100, 50, 100, 50, kMiddle};
        QTest::newRow("left margin 0") << Paint{s, m + ";4,6,4,x", {}, 0, 100, 50, -1, 0, kLow};
        QTest::newRow("five margins") << Paint{s, "4,10,4,10,1", {}, 0, 100, 50, -1, 0, kLow};
        QTest::newRow("refused margins") << Paint{s, m + ";0", {}, 0, 100, 50, 100, 50, kMiddle};
        QTest::newRow("three paths") << Paint{s + ",fg.png", m, {}, 0, 100, 50, -1, 0, kLow};
        QTest::newRow("refused paths") << Paint{s + ";fg.png", m, {}, 0, 100, 50, 100, 50, kMiddle};
        QTest::newRow("no background") << Paint{"no.png,fg.png", m, {}, 0, 100, 50, -1, 0, kLow};
        QTest::newRow("no fill") << Paint{"bg.png,no.png", m, {}, 0, 100, 50, -1, 0, kLow};
        QTest::newRow("one pixel: nothing") << Paint{s, m, {}, 0, 200, 1, 0, 0, kBackground};
        QTest::newRow("ends meet at 16") << Paint{s, m, {}, 0, 200, 16, 16, 7, kLeftEnd};
        QTest::newRow("nine slices from 21") << Paint{s, m, {}, 0, 200, 21, 21, 10, kMiddle};
        QTest::newRow("full") << Paint{s, m, {}, 0, 200, 200, 200, 100, kMiddle};
        QTest::newRow("fill, minimum 100") << Paint{s, m, {}, 100, 300, 200, 100, 50, kMiddle};
        QTest::newRow("fill, INT_MAX") << Paint{s, m, {}, 0, INT_MAX, 2000000000, 186, 93, kMiddle};
        QTest::newRow("51 % is high") << Paint{{}, {}, {}, 0, 100, 51, -1, 0, kHigh};
        QTest::newRow("colour, minimum 100") << Paint{{}, {}, {}, 100, 200, 150, -1, 0, kHigh};
        QTest::newRow("colour, INT_MAX") << Paint{{}, {}, {}, 0, INT_MAX, 2000000000, -1, 0, kHigh};
        QTest::newRow("3 colours") << Paint{{}, {}, "red*blue*lime", 0, 100, 90, -1, 0, Qt::blue};
        QTest::newRow("one colour") << Paint{{}, {}, "red*blue;lime", 0, 100, 10, -1, 0, Qt::red};
        QTest::newRow("bad colour") << Paint{{}, {}, "nocolour*blue", 0, 100, 10, -1, 0, QColor()};
    }
    void paint()
    {
        QFETCH(Paint, p);
        UxProgressBar bar;
        bar.resize(200, 24);
        bar.setTextVisible(false);
        for (const QString &text : p.pixmaps.split(';'))
            bar.setProgressPixmap(text);
        for (const QString &text : p.margins.split(';'))
            bar.setProgressMargin(text);
        for (const QString &text : p.colours.split(';'))
            bar.setTextColor(text);
        bar.setRange(p.minimum, p.maximum);
        bar.setValue(p.value);
        const QImage shown = bar.grab().toImage();
        if (p.drawn < 0) { // the style's bar, with the colour passed on in the palette
            QVERIFY(shown.pixelColor(190, 12) != kBackground);
            QCOMPARE(bar.palette().color(QPalette::Text), p.colour);
            return;
        }
        for (int x = 0; x < 200; ++x)
            QVERIFY2((shown.pixelColor(x, 12) != kBackground) == (x < p.drawn),
                     qPrintable(QString::number(x)));
        QCOMPARE(shown.pixelColor(p.x, 12), p.colour);
        QCOMPARE(shown.pixelColor(5, 12), p.drawn ? kLeftEnd : kBackground);
        QCOMPARE(shown.pixelColor(qMax(p.drawn - 5, 0), 12), p.drawn ? kRightEnd : kBackground);
    }

    // The bar starts at 30 of 10..100; a value the new range refuses keeps the 30.
    void doubleValues_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("format");
        QTest::newRow("two decimals") << 1234 << 2 << 10000 << "12.34%";
        QTest::newRow("refused value") << 20000 << 2 << 10000 << "0.30%";
        QTest::newRow("decimals too many for int") << 7 << 12 << INT_MAX << "0.00%";
        QTest::newRow("negative decimals, no range") << 0 << -3 << 0 << "0.00%";
    }
    void doubleValues()
    {
        QFETCH(int, value);
        QFETCH(int, decimals);
        UxProgressBar bar;
        bar.setRange(10, 100);
        bar.setValue(30);
        bar.setDoubleValue(value, decimals);
        QCOMPARE(bar.minimum(), 0);
        QTEST(bar.maximum(), "maximum");
        QTEST(bar.format(), "format");
        if (bar.maximum() > 0) // what the bar shows
            QTEST(bar.text(), "format");
    }

    // useFloat paints two decimals: the picture of a bar whose format says so. The text
    // is painted in the chosen colour, here the low one.
    void floatText()
    {
        UxProgressBar withFloat, withFormat, recoloured;
        for (UxProgressBar *bar : {&withFloat, &withFormat, &recoloured}) {
            bar->setProgressPixmap("bg.png,fg.png");
            bar->setProgressMargin("4,10,4,10");
            bar->setRange(0, 3);
            bar->setValue(1);
        }
        withFloat.useFloat(true);
        withFormat.setFormat("33.33%");
        recoloured.setFormat("33.33%");
        recoloured.setTextColor("red*red");
        QCOMPARE(withFloat.grab().toImage(), withFormat.grab().toImage());
        QVERIFY(withFormat.grab().toImage() != recoloured.grab().toImage());
    }
};

QTEST_MAIN(TestProgressBar)
#include "tst_uxprogressbar.moc"

#include <UxProgressBar.h>
#include <UxResourceMgr.h>

#include "support/TestArtwork.h"

#include <QStyleFactory>
#include <QtTest>

#include <climits>

namespace {

const QColor kBackground(0, 0, 255), kLeftEnd(255, 0, 0), kMiddle(0, 255, 0),
    kRightEnd(255, 255, 0), kLow("#466cb7"), kHigh("#ffffff");
const int kTheStylesBar = -1; // `drawn` when the bar falls back to the style's own bar

// A row of paint_data(), added when the statement ends: 0..100 at 50, no texts set, the
// style's bar in the default text colour unless the setters say otherwise.
class PaintRow
{
public:
    explicit PaintRow(const char *tag)
        : m_tag(tag)
    {
    }
    ~PaintRow()
    {
        QTest::newRow(m_tag) << m_pixmaps << m_margins << m_colours << m_minimum << m_maximum
                             << m_value << m_drawn << m_x << m_colour;
    }
    PaintRow &skin(const QString &pixmaps, const QString &margins)
    {
        m_pixmaps = pixmaps;
        m_margins = margins;
        return *this;
    }
    PaintRow &colours(const QString &texts) { return m_colours = texts, *this; }
    PaintRow &range(int minimum, int maximum)
    {
        m_minimum = minimum;
        m_maximum = maximum;
        return *this;
    }
    PaintRow &value(int value) { return m_value = value, *this; }
    PaintRow &fills(int pixels) { return m_drawn = pixels, *this; }
    PaintRow &pixel(int x, const QColor &colour)
    {
        m_x = x;
        m_colour = colour;
        return *this;
    }
    PaintRow &styleBarText(const QColor &colour)
    {
        m_drawn = kTheStylesBar;
        m_colour = colour;
        return *this;
    }

private:
    const char *m_tag;
    QString m_pixmaps, m_margins, m_colours;
    int m_minimum = 0, m_maximum = 100, m_value = 50, m_drawn = kTheStylesBar, m_x = 0;
    QColor m_colour;
};

} // namespace

class TestProgressBar : public QObject
{
    Q_OBJECT

    ArtworkFolder m_art;

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create("Fusion")); // its groove is the whole bar
        UxResourceMgr::setZoomDPI(2.0);                          // skins at their own size
        QVERIFY(QDir::setCurrent(m_art.path(".")));
        m_art.save("bg.png", TestArtwork::solid(QSize(40, 20), kBackground));
        m_art.save("fg.png",
                   TestArtwork::withEnds(QSize(40, 20), kMiddle, 10, kLeftEnd, kRightEnd));
    }

    // The three text properties are ';'-separated lists of texts set in turn. A skinned
    // row gives how many pixels the fill covers from the left and the colour of one of
    // its pixels; otherwise the style draws its own bar and the text colour is checked.
    // The fill's ends keep their 10 pixels and its middle stretches; up to 20 pixels the
    // two ends meet unscaled in the middle, below 2 nothing is drawn. The text colour is
    // high above 50 % of value * 100 / length, the minimum not subtracted.
    void paint_data()
    {
        QTest::addColumn<QString>("pixmaps");
        QTest::addColumn<QString>("margins");
        QTest::addColumn<QString>("colours");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("drawn"); // kTheStylesBar: the style's own bar
        QTest::addColumn<int>("x");
        QTest::addColumn<QColor>("colour");
        const QString s = "bg.png,fg.png", m = "4,10,4,10";
        using R = PaintRow;
        R("non-numbers").skin(s, "x,10,y,10").fills(100).pixel(50, kMiddle);
        R("left margin 0").skin(s, m + ";4,6,4,x").styleBarText(kLow);
        R("five margins").skin(s, "4,10,4,10,1").styleBarText(kLow);
        R("refused margins").skin(s, m + ";0").fills(100).pixel(50, kMiddle);
        R("three paths").skin(s + ",fg.png", m).styleBarText(kLow);
        R("refused paths").skin(s + ";fg.png", m).fills(100).pixel(50, kMiddle);
        R("no background").skin("no.png,fg.png", m).styleBarText(kLow);
        R("no fill").skin("bg.png,no.png", m).styleBarText(kLow);
        R("one pixel: nothing").skin(s, m).range(0, 200).value(1).fills(0).pixel(0, kBackground);
        R("ends meet at 16").skin(s, m).range(0, 200).value(16).fills(16).pixel(7, kLeftEnd);
        R("nine slices from 21").skin(s, m).range(0, 200).value(21).fills(21).pixel(10, kMiddle);
        R("full").skin(s, m).range(0, 200).value(200).fills(200).pixel(100, kMiddle);
        R("fill, minimum 100").skin(s, m).range(100, 300).value(200).fills(100).pixel(50, kMiddle);
        // Saturates, never wraps: a full bar over the whole positive range is full.
        R("fill, full at INT_MAX")
            .skin(s, m)
            .range(0, INT_MAX)
            .value(INT_MAX)
            .fills(200)
            .pixel(100, kMiddle);
        R("51 % is high").value(51).styleBarText(kHigh);
        R("colour, minimum 100").range(100, 200).value(150).styleBarText(kHigh);
        R("colour, 93 % of INT_MAX is high")
            .range(0, INT_MAX)
            .value(2000000000)
            .styleBarText(kHigh);
        R("3 colours").colours("red*blue*lime").value(90).styleBarText(Qt::blue);
        R("one colour").colours("red*blue;lime").value(10).styleBarText(Qt::red);
        R("bad colour").colours("nocolour*blue").value(10).styleBarText(QColor());
    }
    void paint()
    {
        QFETCH(QString, pixmaps);
        QFETCH(QString, margins);
        QFETCH(QString, colours);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QFETCH(int, drawn);
        QFETCH(int, x);
        QFETCH(QColor, colour);
        UxProgressBar bar;
        bar.resize(200, 24);
        bar.setTextVisible(false);
        for (const QString &text : pixmaps.split(';'))
            bar.setProgressPixmap(text);
        for (const QString &text : margins.split(';'))
            bar.setProgressMargin(text);
        for (const QString &text : colours.split(';'))
            bar.setTextColor(text);
        bar.setRange(minimum, maximum);
        bar.setValue(value);
        const QImage shown = bar.grab().toImage();
        if (drawn == kTheStylesBar) { // with the colour passed on in the palette
            QVERIFY(shown.pixelColor(190, 12) != kBackground);
            QCOMPARE(bar.palette().color(QPalette::Text), colour);
            return;
        }
        for (int column = 0; column < 200; ++column)
            QVERIFY2((shown.pixelColor(column, 12) != kBackground) == (column < drawn),
                     qPrintable(QString::number(column)));
        QCOMPARE(shown.pixelColor(x, 12), colour);
        QCOMPARE(shown.pixelColor(5, 12), drawn ? kLeftEnd : kBackground);
        QCOMPARE(shown.pixelColor(qMax(drawn - 5, 0), 12), drawn ? kRightEnd : kBackground);
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

#include <UxPlaySeekingBar.h>
#include <UxResourceMgr.h>

#include <QSignalSpy>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class Probe : public UxPlaySeekingBar
{
public:
    using UxPlaySeekingBar::pixelPosToRangeValue;
    using UxPlaySeekingBar::rangeValueToPixelPos;

    Probe()
    {
        setOrientation(Qt::Horizontal);
        setRange(0, 100);
        resize(220, 24);
    }
    QRect subControl(QStyle::SubControl control) const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_Slider, &option, control, this);
    }
    // A left click on the pixel of a value, away from the handle.
    void clickValue(int v)
    {
        const QPoint at(rangeValueToPixelPos(v), subControl(QStyle::SC_SliderGroove).center().y());
        QVERIFY(!subControl(QStyle::SC_SliderHandle).contains(at));
        QTest::mouseClick(this, Qt::LeftButton, Qt::NoModifier, at);
    }
};

} // namespace

class TestPlaySeekingBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        UxResourceMgr::setZoomDPI(2.0); // artwork at its own size
        QImage red(40, 10, QImage::Format_RGB32);
        red.fill(Qt::red);
        m_skin = m_dir.filePath("trim.png");
        QVERIFY(red.save(m_skin));
    }

    // Both packed texts: the margin wants four parts, the outer space two; other counts
    // change nothing, and parts that are not numbers count 0.
    void packedTexts_data()
    {
        QTest::addColumn<bool>("margin");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("readBack");
        const auto row = [](const char *tag, bool margin, QStringList texts, const char *back) {
            QTest::newRow(tag) << margin << texts << QString(back);
        };
        row("margin: fresh bar", true, {}, "0,-1,-1,0");
        row("margin: four numbers", true, {"4,6,4,6"}, "4,6,4,6");
        row("margin: three parts", true, {"4,6,4"}, "0,-1,-1,0");
        row("margin: five parts", true, {"4,6,4,6,1"}, "0,-1,-1,0");
        row("margin: an empty part", true, {"4,,4,6"}, "4,0,4,6");
        row("margin: blanks", true, {"1, 2 ,3,  4"}, "1,2,3,4");
        row("margin: empty text", true, {"1,2,3,4", ""}, "1,2,3,4");
        row("margin: not numbers", true, {"a,2,b,4"}, "0,2,0,4");
        row("outer: fresh bar", false, {}, "0,0");
        row("outer: two numbers", false, {"10,12"}, "10,12");
        row("outer: one part", false, {"10"}, "0,0");
        row("outer: three parts", false, {"1,2,3"}, "0,0");
        row("outer: same text twice", false, {"3,4", "3,4"}, "3,4");
        row("outer: not a number", false, {"x,5"}, "0,5");
    }

    void packedTexts()
    {
        QFETCH(bool, margin);
        QFETCH(QStringList, texts);
        QFETCH(QString, readBack);
        UxPlaySeekingBar bar;
        for (const QString &text : texts)
            margin ? bar.setTrimRangeMargin(text) : bar.setGrooveOutterSpace(text);
        QCOMPARE(margin ? bar.trimRangeMargin() : bar.grooveOutterSpace(), readBack);
        if (!margin)
            QCOMPARE(bar.grooveMinOutter(), readBack.section(',', 0, 0).toInt());
    }

    // Outer space 10,10 on a 200-pixel groove: the minimum at groove pixel 10, the maximum
    // at pixel 190; the pixels before the first value all give the minimum.
    void outerSpacesInsetTheRange()
    {
        Probe bar;
        bar.setStyleSheet("UxPlaySeekingBar::groove:horizontal { margin: 0px; height: 8px; }");
        bar.resize(200, 24);
        bar.setGrooveOutterSpace(QStringLiteral("10,10"));
        const QRect groove = bar.subControl(QStyle::SC_SliderGroove);
        QCOMPARE(groove.width(), 200);
        QCOMPARE(bar.rangeValueToPixelPos(0) - groove.left(), 10);
        QCOMPARE(bar.rangeValueToPixelPos(100) - groove.left(), 190);
        for (int pixel = 0; pixel <= 10; ++pixel)
            QCOMPARE(bar.pixelPosToRangeValue(groove.left() + pixel), 0);
        QVERIFY(bar.pixelPosToRangeValue(groove.left() + 12) > 0);
    }

    void clicks_data()
    {
        QTest::addColumn<bool>("outerClicks");
        QTest::addColumn<bool>("showOnly");
        QTest::addColumn<int>("usableMin");
        QTest::addColumn<int>("usableMax");
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("jumps");
        QTest::newRow("outside the usable range") << false << false << 20 << 80 << 90 << false;
        QTest::newRow("on its last value") << false << false << 20 << 80 << 80 << true;
        QTest::newRow("inside") << false << false << 20 << 80 << 30 << true;
        QTest::newRow("reversed range still 20 to 80") << false << false << 80 << 20 << 25 << true;
        QTest::newRow("reversed range, outside") << false << false << 80 << 20 << 85 << false;
        QTest::newRow("outer clicks allowed") << true << false << 20 << 80 << 90 << true;
        QTest::newRow("show only") << true << true << 0 << 100 << 90 << false;
    }

    void clicks()
    {
        QFETCH(bool, outerClicks);
        QFETCH(bool, showOnly);
        QFETCH(int, usableMin);
        QFETCH(int, usableMax);
        QFETCH(int, target);
        QFETCH(bool, jumps);
        Probe bar;
        bar.setUsableRange(usableMin, usableMax);
        bar.setOutterTrimRangeClickable(outerClicks);
        bar.setTrimRangeShowOnly(showOnly);
        bar.setValue(50);
        QSignalSpy actions(&bar, SIGNAL(actionTriggered(int)));
        bar.clickValue(target);
        QCOMPARE(bar.value(), jumps ? target : 50);
        QCOMPARE(actions.count(), jumps ? 1 : 0);
        // A press on the handle drags, also outside the usable range, unless only shown.
        const QRect handle = bar.subControl(QStyle::SC_SliderHandle);
        QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, handle.center());
        QCOMPARE(bar.isSliderDown(), !showOnly);
        QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, handle.center());
        // Other buttons still reach QSlider, which jumps on a middle click.
        QTest::mouseClick(&bar, Qt::MiddleButton, Qt::NoModifier,
                          QPoint(bar.rangeValueToPixelPos(90), 12));
        QVERIFY(bar.value() > 80);
    }

    void trimImageOnlyBetweenUsableValues_data()
    {
        QTest::addColumn<int>("usableMin");
        QTest::addColumn<int>("usableMax");
        QTest::newRow("middle of the range") << 20 << 80;
        QTest::newRow("whole range") << 0 << 100;
    }

    void trimImageOnlyBetweenUsableValues()
    {
        QFETCH(int, usableMin);
        QFETCH(int, usableMax);
        Probe bar;
        bar.setTrimRangeShowOnly(true); // no handle over the image
        bar.setTrimRangeImage(m_skin);
        bar.setTrimRangeMargin(QStringLiteral("2,2,2,2"));
        QCOMPARE(bar.trimRangeImage(), m_skin);
        bar.setUsableRange(usableMin, usableMax);
        const QImage shown = bar.grab().toImage();
        const QRect groove = bar.subControl(QStyle::SC_SliderGroove);
        const int y = groove.center().y();
        const int first = bar.rangeValueToPixelPos(usableMin) + 1;
        const int last = bar.rangeValueToPixelPos(usableMax) - 1;
        for (int x = groove.left(); x <= groove.right(); ++x) {
            const bool red = shown.pixelColor(x, y) == QColor(Qt::red);
            QVERIFY2(red == (first <= x && x <= last), qPrintable(QString::number(x)));
        }
        if (usableMin == 0 && usableMax == 100) { // from the groove's second pixel to its last
            QCOMPARE(first, groove.left() + 1);
            QCOMPARE(last, groove.right());
        }
    }

    void globalPositions()
    {
        Probe bar;
        bar.move(300, 200);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        for (int v : {0, 37, 100}) {
            const int global = bar.calcGlobalPosByValue(v);
            QCOMPARE(global, bar.mapToGlobal(QPoint(bar.rangeValueToPixelPos(v), 0)).x());
            QCOMPARE(bar.calcValueByGlobalPos(QPoint(global, 0)), v);
        }
        QVERIFY(bar.handleSize().width() > 0);
    }

private:
    QTemporaryDir m_dir;
    QString m_skin;
};

QTEST_MAIN(TestPlaySeekingBar)
#include "tst_uxplayseekingbar.moc"

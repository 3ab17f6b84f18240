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
    void initTestCase();
    void marginText_data();
    void marginText();
    void outerSpaceText_data();
    void outerSpaceText();
    void outerSpacesInsetTheRange();
    void clicks_data();
    void clicks();
    void showOnly();
    void trimImageOnlyBetweenUsableValues_data();
    void trimImageOnlyBetweenUsableValues();
    void globalPositions();

private:
    QTemporaryDir m_dir;
    QString m_skin;
};

void TestPlaySeekingBar::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    UxResourceMgr::setZoomDPI(2.0); // artwork at its own size
    QImage red(40, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    m_skin = m_dir.filePath("trim.png");
    QVERIFY(red.save(m_skin));
}

void TestPlaySeekingBar::marginText_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("fresh bar") << QStringList() << "0,-1,-1,0";
    QTest::newRow("four numbers") << QStringList{"4,6,4,6"} << "4,6,4,6";
    QTest::newRow("three parts change nothing") << QStringList{"4,6,4"} << "0,-1,-1,0";
    QTest::newRow("five parts change nothing") << QStringList{"4,6,4,6,1"} << "0,-1,-1,0";
    QTest::newRow("an empty part counts 0") << QStringList{"4,,4,6"} << "4,0,4,6";
    QTest::newRow("blanks are read back without") << QStringList{"1, 2 ,3,  4"} << "1,2,3,4";
    QTest::newRow("empty text changes nothing") << QStringList{"1,2,3,4", ""} << "1,2,3,4";
    QTest::newRow("not numbers count 0") << QStringList{"a,2,b,4"} << "0,2,0,4";
}

void TestPlaySeekingBar::marginText()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, readBack);
    UxPlaySeekingBar bar;
    for (const QString &text : texts)
        bar.setTrimRangeMargin(text);
    QCOMPARE(bar.trimRangeMargin(), readBack);
}

void TestPlaySeekingBar::outerSpaceText_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("readBack");
    QTest::addColumn<int>("minOuter");
    QTest::newRow("fresh bar") << QStringList() << "0,0" << 0;
    QTest::newRow("two numbers") << QStringList{"10,12"} << "10,12" << 10;
    QTest::newRow("one part changes nothing") << QStringList{"10"} << "0,0" << 0;
    QTest::newRow("three parts change nothing") << QStringList{"1,2,3"} << "0,0" << 0;
    QTest::newRow("same text twice") << QStringList{"3,4", "3,4"} << "3,4" << 3;
    QTest::newRow("not a number counts 0") << QStringList{"x,5"} << "0,5" << 0;
}

void TestPlaySeekingBar::outerSpaceText()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, readBack);
    QFETCH(int, minOuter);
    UxPlaySeekingBar bar;
    for (const QString &text : texts)
        bar.setGrooveOutterSpace(text);
    QCOMPARE(bar.grooveOutterSpace(), readBack);
    QCOMPARE(bar.grooveMinOutter(), minOuter);
}

// Outer space 10,10 on a 200-pixel groove: the minimum at groove pixel 10, the maximum
// at pixel 190; the pixels before the first value all give the minimum.
void TestPlaySeekingBar::outerSpacesInsetTheRange()
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

void TestPlaySeekingBar::clicks_data()
{
    QTest::addColumn<bool>("outerClicks");
    QTest::addColumn<int>("usableMin");
    QTest::addColumn<int>("usableMax");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("jumps");
    QTest::newRow("outside the usable range") << false << 20 << 80 << 90 << false;
    QTest::newRow("on its last value") << false << 20 << 80 << 80 << true;
    QTest::newRow("inside") << false << 20 << 80 << 30 << true;
    QTest::newRow("reversed range still 20 to 80") << false << 80 << 20 << 25 << true;
    QTest::newRow("reversed range, outside") << false << 80 << 20 << 85 << false;
    QTest::newRow("outer clicks allowed") << true << 20 << 80 << 90 << true;
}

void TestPlaySeekingBar::clicks()
{
    QFETCH(bool, outerClicks);
    QFETCH(int, usableMin);
    QFETCH(int, usableMax);
    QFETCH(int, target);
    QFETCH(bool, jumps);
    Probe bar;
    bar.setUsableRange(usableMin, usableMax);
    bar.setOutterTrimRangeClickable(outerClicks);
    bar.setValue(50);
    QSignalSpy actions(&bar, SIGNAL(actionTriggered(int)));
    bar.clickValue(target);
    QCOMPARE(bar.value(), jumps ? target : 50);
    QCOMPARE(actions.count(), jumps ? 1 : 0);
    // A press on the handle drags, also outside the usable range.
    const QRect handle = bar.subControl(QStyle::SC_SliderHandle);
    QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, handle.center());
    QVERIFY(bar.isSliderDown());
}

void TestPlaySeekingBar::showOnly()
{
    Probe bar;
    bar.setUsableRange(0, 100);
    bar.setTrimRangeShowOnly(true);
    bar.setValue(50);
    bar.clickValue(90);
    QCOMPARE(bar.value(), 50);
    QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier,
                      bar.subControl(QStyle::SC_SliderHandle).center());
    QVERIFY(!bar.isSliderDown()); // not even a drag
    // Other buttons still reach QSlider, which jumps on a middle click.
    QTest::mouseClick(&bar, Qt::MiddleButton, Qt::NoModifier,
                      QPoint(bar.rangeValueToPixelPos(90), 12));
    QVERIFY(bar.value() > 80);
}

void TestPlaySeekingBar::trimImageOnlyBetweenUsableValues_data()
{
    QTest::addColumn<int>("usableMin");
    QTest::addColumn<int>("usableMax");
    QTest::newRow("middle of the range") << 20 << 80;
    QTest::newRow("whole range") << 0 << 100;
}

void TestPlaySeekingBar::trimImageOnlyBetweenUsableValues()
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

void TestPlaySeekingBar::globalPositions()
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

QTEST_MAIN(TestPlaySeekingBar)
#include "tst_uxplayseekingbar.moc"

#include <UxProgressBar.h>
#include <UxResourceMgr.h>

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionProgressBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QColor kBackground(0, 0, 255);
const QColor kLeftEnd(255, 0, 0), kMiddle(0, 255, 0), kRightEnd(255, 255, 0);

class Probe : public UxProgressBar
{
public:
    Probe()
    {
        resize(200, 24);
        setTextVisible(false);
    }
    QRect groove() const
    {
        QStyleOptionProgressBar option;
        initStyleOption(&option);
        return style()->subElementRect(QStyle::SE_ProgressBarGroove, &option, this);
    }
    QImage shown() { return grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

} // namespace

class TestProgressBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void skinnedOrFallback_data();
    void skinnedOrFallback();
    void textColours_data();
    void textColours();
    void fillWidths_data();
    void fillWidths();
    void doubleValues_data();
    void doubleValues();
    void narrowFills();
    void floatTextIsPainted();

private:
    QString skinsText() const { return m_background + "," + m_progress; }
    QTemporaryDir m_dir;
    QString m_background, m_progress;
};

void TestProgressBar::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    UxResourceMgr::setZoomDPI(2.0); // skins at their own size
    QImage background(40, 20, QImage::Format_RGB32);
    background.fill(kBackground);
    // The fill skin's ends are 10 pixels wide, in colours of their own.
    QImage progress(40, 20, QImage::Format_RGB32);
    progress.fill(kMiddle);
    QPainter p(&progress);
    p.fillRect(0, 0, 10, 20, kLeftEnd);
    p.fillRect(30, 0, 10, 20, kRightEnd);
    p.end();
    m_background = m_dir.filePath("background.png");
    m_progress = m_dir.filePath("progress.png");
    QVERIFY(background.save(m_background) && progress.save(m_progress));
}

void TestProgressBar::skinnedOrFallback_data()
{
    QTest::addColumn<QString>("pixmaps"); // "skins": both skin paths
    QTest::addColumn<QString>("margins");
    QTest::addColumn<bool>("skinned");
    QTest::newRow("fresh bar") << ""
                               << "" << false;
    QTest::newRow("skins and margins") << "skins"
                                       << "4,10,4,10" << true;
    QTest::newRow("a left margin of 0 switches the skins off") << "skins"
                                                               << "4,6,4,0" << false;
    QTest::newRow("margins of three parts are not taken") << "skins"
                                                          << "4,10,4" << false;
    QTest::newRow("one path is not taken") << "one"
                                           << "4,10,4,10" << false;
    QTest::newRow("a path that does not load") << "missing"
                                               << "4,10,4,10" << false;
}

void TestProgressBar::skinnedOrFallback()
{
    QFETCH(QString, pixmaps);
    QFETCH(QString, margins);
    QFETCH(bool, skinned);
    const QString text = pixmaps == "skins"     ? skinsText()
                         : pixmaps == "one"     ? m_background
                         : pixmaps == "missing" ? m_background + ",/nonexistent.png"
                                                : QString();
    Probe bar;
    bar.setProgressPixmap(text);
    bar.setProgressMargin(margins);
    QCOMPARE(bar.progressPixmap(), text); // as given, applied or not
    QCOMPARE(bar.progressMargin(), margins);
    bar.setValue(50);
    const QImage shown = bar.shown();
    const QRect g = bar.groove();
    QCOMPARE(shown.pixelColor(g.right() - 20, g.center().y()) == kBackground, skinned);
}

void TestProgressBar::textColours_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("colours");
    QTest::addColumn<QColor>("expected");
    const QColor low("#466cb7"), high("#ffffff");
    QTest::newRow("50 % is low") << 0 << 100 << 50 << "" << low;
    QTest::newRow("51 % is high") << 0 << 100 << 51 << "" << high;
    QTest::newRow("150 of 100..200 counts as 150 %") << 100 << 200 << 150 << "" << high;
    QTest::newRow("host colours, low") << 0 << 100 << 10 << "#ff0000*#00ff00" << QColor(Qt::red);
    QTest::newRow("host colours, high") << 0 << 100 << 90 << "#ff0000*#00ff00" << QColor(Qt::green);
    QTest::newRow("one colour changes nothing") << 0 << 100 << 10 << "#ff0000" << low;
    QTest::newRow("further parts are ignored")
        << 0 << 100 << 90 << "red*blue*green" << QColor(Qt::blue);
    QTest::newRow("a huge value does not overflow") << 0 << 2147483647 << 2000000000 << "" << high;
}

// In the fallback the chosen colour is the palette's text colour.
void TestProgressBar::textColours()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(QString, colours);
    QFETCH(QColor, expected);
    Probe bar;
    bar.setTextColor(colours);
    QCOMPARE(bar.textColor(), colours);
    bar.setRange(minimum, maximum);
    bar.setValue(value);
    bar.shown();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        QCOMPARE(bar.palette().color(group, QPalette::Text), expected);
}

void TestProgressBar::fillWidths_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("percent"); // of the groove that the fill covers
    // Range minimum..minimum+100 on a groove that the test reads from the style.
    QTest::newRow("nothing at 0") << 0 << 0 << 0;
    QTest::newRow("half") << 0 << 50 << 50;
    QTest::newRow("half, minimum 100") << 100 << 150 << 50;
    QTest::newRow("full") << 0 << 100 << 100;
}

void TestProgressBar::fillWidths()
{
    QFETCH(int, minimum);
    QFETCH(int, value);
    QFETCH(int, percent);
    Probe bar;
    bar.setProgressPixmap(skinsText());
    bar.setProgressMargin(QStringLiteral("0,10,0,10"));
    bar.setRange(minimum, minimum + 100);
    bar.setValue(value);
    const QRect g = bar.groove();
    const int fill = g.width() * percent / 100;
    const QImage shown = bar.shown();
    const int y = g.center().y();
    for (int x = 0; x < g.width(); ++x) {
        const QColor c = shown.pixelColor(g.left() + x, y);
        QVERIFY2((c != kBackground) == (x < fill), qPrintable(QString::number(x)));
    }
    if (fill > 0) { // the fill's ends keep their size, its middle stretches
        QCOMPARE(shown.pixelColor(g.left() + fill / 2, y), kMiddle);
        QCOMPARE(shown.pixelColor(g.left() + 5, y), kLeftEnd);
        QCOMPARE(shown.pixelColor(g.left() + fill - 5, y), kRightEnd);
    }
}

void TestProgressBar::doubleValues_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("format");
    QTest::newRow("two decimals") << 1234 << 2 << 10000 << "12.34%";
    QTest::newRow("no decimals") << 5 << 0 << 100 << "5.00%";
    QTest::newRow("one decimal") << 999 << 1 << 1000 << "99.90%";
    QTest::newRow("a refused value keeps the old one, 30 of 10000")
        << 20000 << 2 << 10000 << "0.30%";
    QTest::newRow("decimals too many for int") << 7 << 12 << 2147483647 << "0.00%";
    QTest::newRow("negative decimals leave no range") << 0 << -3 << 0 << "0.00%";
}

void TestProgressBar::doubleValues()
{
    QFETCH(int, value);
    QFETCH(int, decimals);
    QFETCH(int, maximum);
    QFETCH(QString, format);
    UxProgressBar bar;
    bar.setRange(0, 100);
    bar.setValue(30);
    bar.setDoubleValue(value, decimals);
    QCOMPARE(bar.minimum(), 0);
    QCOMPARE(bar.maximum(), maximum);
    QCOMPARE(bar.format(), format);
    if (maximum > 0 && bar.value() == value)
        QCOMPARE(bar.text(), format); // what the bar shows
}

// With a left margin of 10, a fill of up to 20 pixels shows the skin's two ends meeting
// in the middle; from 21 it is nine-sliced, so its pixel 10 is the middle.
void TestProgressBar::narrowFills()
{
    Probe narrow;
    narrow.setProgressPixmap(skinsText());
    narrow.setProgressMargin(QStringLiteral("0,10,0,10"));
    const int w = narrow.groove().width();
    for (const auto &c : {qMakePair(20, kRightEnd), qMakePair(21, kMiddle)}) {
        narrow.setRange(0, w);
        narrow.setValue(c.first);
        QCOMPARE(
            narrow.shown().pixelColor(narrow.groove().left() + 10, narrow.groove().center().y()),
            c.second);
    }
    for (int tiny : {0, 1}) { // no fill picture at all
        narrow.setValue(tiny);
        QCOMPARE(narrow.shown().pixelColor(narrow.groove().left(), narrow.groove().center().y()),
                 kBackground);
    }
}

void TestProgressBar::floatTextIsPainted()
{
    // useFloat paints two decimals: the same picture as a bar whose format says so.
    Probe withFloat, withFormat, plain;
    for (Probe *bar : {&withFloat, &withFormat, &plain}) {
        bar->setProgressPixmap(skinsText());
        bar->setProgressMargin(QStringLiteral("0,10,0,10"));
        bar->setTextVisible(true);
        bar->setRange(0, 3);
        bar->setValue(1);
    }
    withFloat.useFloat(true);
    withFormat.setFormat(QStringLiteral("33.33%"));
    QCOMPARE(withFloat.shown(), withFormat.shown());
    QVERIFY(withFloat.shown() != plain.shown()); // the default format says 33%
}

QTEST_MAIN(TestProgressBar)
#include "tst_uxprogressbar.moc"

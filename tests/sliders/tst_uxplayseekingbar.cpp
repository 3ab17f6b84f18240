#include <UxPlaySeekingBar.h>
#include <UxResourceMgr.h>

#include "support/TestArtwork.h"

#include <QAccessible>
#include <QStyleFactory>
#include <QtTest>

#include <climits>
#include <functional>

namespace {

// A 200-pixel bar over 0..100 whose groove fills it.
class Probe : public UxPlaySeekingBar
{
public:
    using UxPlaySeekingBar::pixelPosToRangeValue;
    using UxPlaySeekingBar::rangeValueToPixelPos;
    explicit Probe(bool vertical = false)
    {
        setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
        setRange(0, 100);
        resize(vertical ? QSize(24, 200) : QSize(200, 24));
    }
};

using Change = std::function<void(UxPlaySeekingBar &)>;

// A show-only bar over usable 0..100 (no handle over the image), artwork at its own size.
void trimmed(UxPlaySeekingBar &bar, const QString &image, const char *margin = "2,2,2,2")
{
    UxResourceMgr::setZoomDPI(2.0);
    bar.setTrimRangeShowOnly(true);
    bar.setUsableRange(0, 100);
    bar.setTrimRangeImage(image);
    bar.setTrimRangeMargin(margin);
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestPlaySeekingBar : public QObject
{
    Q_OBJECT

    // mark.png a blue 1 x 6 chapter mark; 40 x 10 pictures: trim.png solid red; a.png and b.png
    // gradients (blue 0 and 200) that show any slicing fault.
    ArtworkFolder m_art;

private Q_SLOTS:
    void initTestCase()
    {
        m_art.save("trim.png", TestArtwork::solid(QSize(40, 10), Qt::red, QImage::Format_RGB32));
        m_art.save("mark.png", TestArtwork::solid(QSize(1, 6), Qt::blue, QImage::Format_RGB32));
        m_art.save("a.png", TestArtwork::gradient(QSize(40, 10), 0));
        m_art.save("b.png", TestArtwork::gradient(QSize(40, 10), 200));
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        qApp->setStyleSheet("QSlider::groove:horizontal { margin: 0px; height: 8px; }"
                            "QSlider::groove:vertical { margin: 0px; width: 8px; }");
    }

    // One text set as both the margin (over 1,2,3,4) and the outer space (over 7,9): four
    // parts and two parts apply, other counts change nothing, non-numbers count 0.
    void packedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("margin");
        QTest::addColumn<QString>("outer");
        const auto row = [](const char *text, const char *margin, const char *outer) {
            QTest::newRow(text) << QString(text) << QString(margin) << QString(outer);
        };
        row("4,6,8,9", "4,6,8,9", "7,9");
        row("10,12", "1,2,3,4", "10,12");
        row("4,6,4,6,1", "1,2,3,4", "7,9");
        row("4,,4,", "4,0,4,0", "7,9");
        row("a,2,b,4", "0,2,0,4", "7,9");
        row("x,5", "1,2,3,4", "0,5");
    }
    void packedTexts()
    {
        QFETCH(QString, text);
        UxPlaySeekingBar bar;
        bar.setTrimRangeMargin(QStringLiteral("1,2,3,4"));
        bar.setGrooveOutterSpace(QStringLiteral("7,9"));
        bar.setTrimRangeMargin(text);
        bar.setGrooveOutterSpace(text);
        QTEST(bar.trimRangeMargin(), "margin");
        QTEST(QStringLiteral("%1,%2").arg(bar.grooveMinOutter()).arg(bar.grooveMaxOutter()),
              "outer");
    }

    // Outer spaces 10,20 keep the range off the first 10 and last 20 groove pixels from the
    // left (top); pixels outside give the ends. The bar stands at 50,50 on the screen. At
    // the integer limits (no values given) they saturate, never wrap: the minimum's pixel
    // stays at or before the maximum's, a screen position is the pixel moved by the bar's
    // place (within int), and every pixel gives a value within the range, growing with it.
    void outerSpaces_data()
    {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<QString>("outer");
        QTest::addColumn<QPoint>("pixels");  // of the minimum and the maximum
        QTest::addColumn<QString>("values"); // at INT_MIN, -5, 0, 10, 180, 199, 230, INT_MAX
        const char *up = "0 0 0 0 100 100 100 100", *down = "100 100 100 100 0 0 0 0";
        QTest::newRow("horizontal") << false << false << "10,20" << QPoint(10, 180) << up;
        QTest::newRow("horizontal inverted") << false << true << "10,20" << QPoint(180, 10) << down;
        QTest::newRow("vertical") << true << false << "10,20" << QPoint(180, 10) << down;
        for (const char *outer : {"2147483647,2147483647", "-2147483648,-2147483648",
                                  "-2147483648,2147483647", "2147483647,-2147483648"})
            QTest::newRow(outer) << false << false << outer << QPoint() << "";
    }
    void outerSpaces()
    {
        QFETCH(bool, vertical);
        QFETCH(bool, inverted);
        QFETCH(QString, outer);
        QFETCH(QPoint, pixels);
        QFETCH(QString, values);
        Probe bar(vertical);
        bar.move(50, 50);
        bar.setInvertedAppearance(inverted);
        bar.setGrooveOutterSpace(outer);
        const qint64 limits[] = {qint64(INT_MIN) - 50, -5, 0, 10, 180, 199, 230, INT_MAX - 50LL};
        if (!values.isEmpty()) {
            QCOMPARE(QPoint(bar.rangeValueToPixelPos(0), bar.rangeValueToPixelPos(100)), pixels);
            QCOMPARE(bar.calcGlobalPosByValue(100), pixels.y() + 50);
            QStringList seen;
            for (qint64 pixel : limits)
                seen << QString::number(bar.calcValueByGlobalPos(QPoint(pixel + 50, pixel + 50)));
            QCOMPARE(seen.join(' '), values);
            return;
        }
        const auto saturated = [](qint64 v) {
            return int(qBound(qint64(INT_MIN), v, qint64(INT_MAX)));
        };
        QVERIFY(bar.rangeValueToPixelPos(0) <= bar.rangeValueToPixelPos(100));
        for (int value : {0, 50, 100})
            QCOMPARE(bar.calcGlobalPosByValue(value),
                     saturated(bar.rangeValueToPixelPos(value) + 50LL));
        int previous = bar.minimum();
        for (qint64 pixel : limits) {
            const int value = bar.calcValueByGlobalPos(QPoint(int(pixel + 50), int(pixel + 50)));
            QVERIFY2(value >= previous && value <= bar.maximum(),
                     qPrintable(QString::number(pixel)));
            previous = value;
        }
    }

    // A left click on a value's pixel from value 50, then a press on the handle, which
    // drags also outside the usable range unless the bar only shows.
    void clicks_data()
    {
        QTest::addColumn<bool>("outerClicks");
        QTest::addColumn<bool>("showOnly");
        QTest::addColumn<int>("usableMin");
        QTest::addColumn<int>("usableMax");
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("jumps");
        QTest::newRow("below the usable range") << false << false << 20 << 80 << 10 << false;
        QTest::newRow("on its first value") << false << false << 20 << 80 << 20 << true;
        QTest::newRow("on its last value") << false << false << 20 << 80 << 80 << true;
        QTest::newRow("above") << false << false << 20 << 80 << 90 << false;
        QTest::newRow("reversed range, inside") << false << false << 80 << 20 << 25 << true;
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
        QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.rangeValueToPixelPos(target), 12));
        QCOMPARE(bar.value(), jumps ? target : 50);
        QCOMPARE(actions.count(), int(jumps));
        QTest::mousePress(&bar, Qt::LeftButton, {},
                          QPoint(bar.rangeValueToPixelPos(bar.value()), 12));
        QCOMPARE(bar.isSliderDown(), !showOnly);
    }

    // The trim image shows only between the pixels of the two usable values, clipped to
    // the bar; outer spaces at the integer limits move those pixels off it.
    void trimImage_data()
    {
        QTest::addColumn<QString>("outer");
        QTest::addColumn<QPoint>("usable");
        QTest::addColumn<QPoint>("shown"); // the first and last pixel covered
        QTest::newRow("20..80") << "0,0" << QPoint(20, 80) << QPoint(41, 159);
        QTest::newRow("whole range") << "0,0" << QPoint(0, 100) << QPoint(1, 199);
        QTest::newRow("outer INT_MAX: off the bar")
            << "2147483647,2147483647" << QPoint(0, 100) << QPoint(1, 0);
        QTest::newRow("outer INT_MIN: the whole bar")
            << "-2147483648,-2147483648" << QPoint(0, 100) << QPoint(0, 199);
    }
    void trimImage()
    {
        QFETCH(QString, outer);
        QFETCH(QPoint, usable);
        QFETCH(QPoint, shown);
        Probe bar;
        trimmed(bar, m_art.path("trim.png"));
        bar.setGrooveOutterSpace(outer);
        bar.setUsableRange(usable.x(), usable.y());
        const qint64 first = bar.rangeValueToPixelPos(usable.x()) + 1LL;
        const qint64 last = bar.rangeValueToPixelPos(usable.y()) - 1LL;
        const QImage image = bar.grab().toImage();
        for (int x = 0; x < bar.width(); ++x) {
            const bool isRed = image.pixelColor(x, 12) == QColor(Qt::red);
            QVERIFY2(isRed == (shown.x() <= x && x <= shown.y()), qPrintable(QString::number(x)));
            QVERIFY(!isRed || (first <= x && x <= last));
        }
    }

    // A bar painted before a change paints afterwards as a bar made with the new values.
    void trimImageAfterChange_data()
    {
        QTest::addColumn<Change>("change");
        const QString b = m_art.path("b.png");
        QTest::newRow("skin") << Change([b](UxPlaySeekingBar &bar) { trimmed(bar, b); });
        QTest::newRow("margins") << Change(
            [](UxPlaySeekingBar &bar) { bar.setTrimRangeMargin(QStringLiteral("1,9,1,3")); });
        QTest::newRow("size") << Change([](UxPlaySeekingBar &bar) { bar.resize(150, 24); });
    }
    void trimImageAfterChange()
    {
        QFETCH(Change, change);
        Probe bar, fresh;
        trimmed(bar, m_art.path("a.png"));
        bar.grab();
        for (Probe *p : {&bar, &fresh}) {
            trimmed(*p, m_art.path("a.png"));
            change(*p);
        }
        QCOMPARE(bar.grab().toImage(), fresh.grab().toImage());
    }

    // The preview and the marks' skin are set from style sheets, as the other skins are.
    void styleSheetProperties()
    {
        UxPlaySeekingBar bar;
        QVERIFY(!bar.isPreviewEnabled());
        QVERIFY(!bar.chapterMarkColor().isValid());
        bar.setStyleSheet(QStringLiteral("UxPlaySeekingBar { qproperty-previewEnabled: true;"
                                         " qproperty-chapterMarkColor: #00ff00;"
                                         " qproperty-chapterMarkImage: \"%1\"; }")
                              .arg(m_art.path("mark.png")));
        bar.ensurePolished();
        QVERIFY(bar.isPreviewEnabled());
        QCOMPARE(bar.chapterMarkColor(), QColor(Qt::green));
        QCOMPARE(bar.chapterMarkImage(), m_art.path("mark.png"));
        QVERIFY(bar.hasMouseTracking());
    }

    // Chapter marks lie on exactly the pixels where their values are shown, and a click on
    // a mark's pixel jumps to its chapter; chapters outside the range, or whose pixel is
    // off the bar, draw nothing.
    void chapterMarks_data()
    {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QString>("outer");
        QTest::addColumn<QList<int>>("chapters");
        QTest::addColumn<bool>("markImage");
        QTest::newRow("plain") << false << "0,0" << QList<int>{0, 25, 50, 99, 100} << false;
        QTest::newRow("outer spaces") << false << "10,20" << QList<int>{0, 33, 100, 140} << false;
        QTest::newRow("mark image") << false << "10,20" << QList<int>{-3, 0, 61, 100} << true;
        QTest::newRow("vertical") << true << "10,20" << QList<int>{0, 33, 100} << false;
    }
    void chapterMarks()
    {
        QFETCH(bool, vertical);
        QFETCH(QString, outer);
        QFETCH(QList<int>, chapters);
        QFETCH(bool, markImage);
        Probe bar(vertical), clicked(vertical);
        trimmed(bar, QString()); // no handle over the marks
        bar.setGrooveOutterSpace(outer);
        bar.setChapterMarkColor(Qt::green);
        if (markImage)
            bar.setChapterMarkImage(m_art.path("mark.png"));
        bar.setChapters(chapters);
        clicked.setGrooveOutterSpace(outer);
        clicked.setOutterTrimRangeClickable(true);
        const QColor mark = markImage ? QColor(Qt::blue) : QColor(Qt::green);
        QSet<int> pixels;
        for (int chapter : chapters)
            if (bar.minimum() <= chapter && chapter <= bar.maximum())
                pixels << bar.rangeValueToPixelPos(chapter);
        const QImage image = bar.grab().toImage();
        int marks = 0;
        for (int pixel = 0; pixel < 200; ++pixel) {
            const QPoint at = vertical ? QPoint(12, pixel) : QPoint(pixel, 12);
            const bool isMark = image.pixelColor(at) == mark;
            QVERIFY2(isMark == pixels.contains(pixel), qPrintable(QString::number(pixel)));
            if (!isMark)
                continue;
            ++marks;
            const int target = clicked.pixelPosToRangeValue(pixel);
            clicked.setValue(target < 50 ? 100 : 0); // the handle far from the click
            QTest::mouseClick(&clicked, Qt::LeftButton, {}, at);
            QVERIFY(chapters.contains(clicked.value()));
            QCOMPARE(bar.rangeValueToPixelPos(clicked.value()), pixel);
        }
        QVERIFY(marks > 0);
    }

    // Page Up and Page Down stop at the next and previous chapter, the range's ends after
    // the last; without chapters they page as a slider does. Inverted controls swap them.
    void chapterKeys_data()
    {
        QTest::addColumn<QList<int>>("chapters");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("pageUp");
        QTest::addColumn<bool>("invertedControls");
        QTest::addColumn<int>("expected");
        const QList<int> three{80, 20, 50};
        QTest::newRow("up to the first") << three << 0 << true << false << 20;
        QTest::newRow("up from a chapter") << three << 20 << true << false << 50;
        QTest::newRow("up past the last") << three << 85 << true << false << 100;
        QTest::newRow("down inside a chapter") << three << 35 << false << false << 20;
        QTest::newRow("down from a chapter") << three << 50 << false << false << 20;
        QTest::newRow("down before the first") << three << 20 << false << false << 0;
        QTest::newRow("inverted: up goes back") << three << 60 << true << true << 50;
        QTest::newRow("chapter beyond the range") << QList<int>{150} << 30 << true << false << 100;
        QTest::newRow("no chapters: up pages") << QList<int>{} << 30 << true << false << 40;
        QTest::newRow("no chapters: down pages") << QList<int>{} << 30 << false << false << 20;
    }
    void chapterKeys()
    {
        QFETCH(QList<int>, chapters);
        QFETCH(int, start);
        QFETCH(bool, pageUp);
        QFETCH(bool, invertedControls);
        Probe bar;
        bar.setPageStep(10);
        bar.setInvertedControls(invertedControls);
        bar.setChapters(chapters);
        bar.setValue(start);
        QSignalSpy actions(&bar, SIGNAL(actionTriggered(int)));
        QTest::keyClick(&bar, pageUp ? Qt::Key_PageUp : Qt::Key_PageDown);
        QTEST(bar.value(), "expected");
        QCOMPARE(actions.count(), 1);
    }

    // Chapters are kept in value order with their titles; chapterAt() names the last
    // chapter starting at or before a value, and the accessible description lists them.
    void chapterLookup_data()
    {
        QTest::addColumn<QList<int>>("positions");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("titled, unordered")
            << QList<int>{50, 10, 30} << QStringList{"Coda", "Intro", "Verse"};
        QTest::newRow("fewer titles") << QList<int>{0, 60, 20} << QStringList{"Start"};
        QTest::newRow("more titles") << QList<int>{40} << QStringList{"Only", "Dropped"};
        QTest::newRow("none") << QList<int>{} << QStringList{};
    }
    void chapterLookup()
    {
        QFETCH(QList<int>, positions);
        QFETCH(QStringList, titles);
        Probe bar;
        bar.setChapters(positions, titles);
        const QList<int> chapters = bar.chapters();
        QCOMPARE(chapters.size(), positions.size());
        QCOMPARE(bar.chapterTitles().size(), chapters.size());
        QVERIFY(std::is_sorted(chapters.cbegin(), chapters.cend()));
        for (int i = 0; i < positions.size(); ++i)
            QCOMPARE(bar.chapterTitles().at(chapters.indexOf(positions.at(i))), titles.value(i));
        for (int value = -5; value <= 105; ++value) {
            const int index = bar.chapterAt(value);
            QVERIFY(index >= -1 && index < chapters.size());
            QVERIFY(index == -1 || chapters.at(index) <= value);
            QVERIFY(index + 1 == chapters.size() || chapters.at(index + 1) > value);
            QCOMPARE(bar.chapterTitleAt(value), bar.chapterTitles().value(index));
        }
        Probe plain; // the same usable range, no chapters: what the description begins with
        const auto describe = [](QWidget &widget) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&widget);
            return accessible ? accessible->text(QAccessible::Description) : QString();
        };
        const QString description = describe(bar);
        QVERIFY(!describe(plain).isEmpty());
        QVERIFY(description.startsWith(describe(plain)));
        for (int i = 0; i < chapters.size(); ++i) {
            QVERIFY(description.contains(QString::number(chapters.at(i))));
            QVERIFY(description.contains(bar.chapterTitles().at(i)));
        }
        QCOMPARE(description.contains(';'), !chapters.isEmpty());
    }
};

QTEST_MAIN(TestPlaySeekingBar)
#include "tst_uxplayseekingbar.moc"

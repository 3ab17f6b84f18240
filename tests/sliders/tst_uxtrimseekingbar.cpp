#include "EventCounter.h"

#include <UxTrimSeekingBar.h>

#include <QCursor>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTranslator>
#include <QtTest>

namespace {

// A shown 400 x 60 trim bar over 0..100.
struct Trim
{
    UxTrimSeekingBar widget;
    UxPlaySeekingBar *bar = nullptr;
    QToolButton *start = nullptr;
    QToolButton *end = nullptr;

    Trim()
    {
        bar = widget.findChild<UxPlaySeekingBar *>("playSeekingBar");
        start = widget.findChild<QToolButton *>("btnTrimLeft");
        end = widget.findChild<QToolButton *>("btnTrimRight");
        widget.setRange(0, 100);
        widget.setTrimStartEnd(10, 50, 5);
        widget.resize(400, 60);
        widget.move(100, 100);
        widget.show();
        if (!QTest::qWaitForWindowExposed(&widget))
            qFatal("trim bar not exposed");
    }

    void send(QWidget *target, QEvent::Type type, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint local(target->width() / 2, target->height() / 2);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    // Puts the pointer where a start (or end) handle drag reaches value v, and moves.
    void dragTo(QToolButton *handle, int v)
    {
        const int half = handle->width() / 2;
        const int x = bar->calcGlobalPosByValue(v) + (handle == start ? -half : half);
        QCursor::setPos(x, handle->mapToGlobal(QPoint(0, 5)).y());
        send(handle, QEvent::MouseMove);
    }
};

} // namespace

class TestTrimSeekingBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parts()
    {
        Trim t;
        QVERIFY(t.bar && t.start && t.end); // found by the names style sheets use
        QCOMPARE(t.bar->orientation(), Qt::Horizontal);
        QVERIFY(t.bar->isOutterTrimRangeClickable());
        QVERIFY(t.widget.setProperty("trimEnd", 42));
        QCOMPARE(t.bar->maxUsablePos(), 42);
    }

    void layoutAndSizeHint()
    {
        Trim t;
        t.bar->setGrooveOutterSpace(QStringLiteral("6,8"));
        t.widget.setTrimStartEnd(0, 100, 0);
        t.widget.resize(401, 60);
        const QSize button = t.start->sizeHint();
        QCOMPARE(t.end->sizeHint(), button);
        QTRY_COMPARE(t.bar->geometry(),
                     QRect(QPoint(button.width() - 6, 0),
                           QPoint(401 - button.width() + 8, t.bar->sizeHint().height() - 1)));
        QCOMPARE(t.start->geometry(), QRect(QPoint(0, 60 - button.height()), button));
        QCOMPARE(t.end->y(), 60 - button.height());
        // The start handle ends one pixel before the trim start's pixel, the end handle
        // begins on the trim end's pixel; at the range's ends they sit at the edges.
        const int startPixel =
            t.widget.mapFromGlobal(QPoint(t.bar->calcGlobalPosByValue(0), 0)).x();
        QCOMPARE(t.start->geometry().right(), startPixel - 1);
        QCOMPARE(t.start->x(), 0);
        QCOMPARE(t.end->x(),
                 t.widget.mapFromGlobal(QPoint(t.bar->calcGlobalPosByValue(100), 0)).x());
        const QSize bar = t.bar->sizeHint();
        QCOMPARE(t.widget.sizeHint(),
                 QSize(qMax(2 * button.width() + bar.width() - 14, bar.width()),
                       button.height() + bar.height()));
        QCOMPARE(t.widget.minimumSizeHint(), t.widget.sizeHint());
    }

    void startDragKeepsTheMinimumLength()
    {
        Trim t; // start 10, end 50, minimum length 5
        QSignalSpy values(&t.widget, SIGNAL(valueChanged(int)));
        QSignalSpy starts(&t.widget, SIGNAL(trimStartChanged(int)));
        t.send(t.start, QEvent::MouseButtonPress);
        t.dragTo(t.start, 40);
        QCOMPARE(t.widget.trimStart(), 40);
        QCOMPARE(t.bar->minUsablePos(), 40);
        QCOMPARE(t.widget.value(), 40);
        t.dragTo(t.start, 48); // too close to the end: dropped, not clamped
        QCOMPARE(t.widget.trimStart(), 40);
        t.dragTo(t.start, 45); // exactly the minimum length
        QCOMPARE(t.widget.trimStart(), 45);
        QCOMPARE(starts.count(), 0);
        t.send(t.start, QEvent::MouseButtonRelease);
        QCOMPARE(starts.count(), 1);
        QCOMPARE(starts.at(0).at(0).toInt(), 45);
        QCOMPARE(values.count(), 2); // 40, then 45
        QCOMPARE(t.start->geometry().right() + 1,
                 t.widget.mapFromGlobal(QPoint(t.bar->calcGlobalPosByValue(45), 0)).x());
    }

    void endDrag()
    {
        Trim t;
        t.widget.setTrimStartEnd(10, 50, 0);
        QSignalSpy ends(&t.widget, SIGNAL(trimEndChanged(int)));
        t.send(t.end, QEvent::MouseButtonPress);
        t.dragTo(t.end, 80);
        QCOMPARE(t.widget.trimEnd(), 80);
        QCOMPARE(t.bar->maxUsablePos(), 80);
        t.dragTo(t.end, 10); // with no minimum length the end may meet the start
        QCOMPARE(t.widget.trimLength(), 0);
        t.send(t.end, QEvent::MouseButtonRelease);
        QCOMPARE(ends.count(), 1);
        QCOMPARE(ends.at(0).at(0).toInt(), 10);
    }

    void otherButtonsAndDoubleClicks()
    {
        Trim t;
        QSignalSpy starts(&t.widget, SIGNAL(trimStartChanged(int)));
        QSignalSpy clicked(t.start, SIGNAL(clicked()));
        t.send(t.start, QEvent::MouseButtonPress, Qt::RightButton); // reaches the button
        t.dragTo(t.start, 30);
        QCOMPARE(t.widget.trimStart(), 10);
        t.send(t.start, QEvent::MouseButtonRelease, Qt::RightButton);
        QCOMPARE(starts.count(), 0);

        // Press, release, double click: one drag that changes nothing, and the double
        // click passes to the button.
        t.send(t.start, QEvent::MouseButtonPress);
        t.send(t.start, QEvent::MouseButtonRelease);
        EventCounter doubleClicks(t.start, QEvent::MouseButtonDblClick); // before our filter
        t.send(t.start, QEvent::MouseButtonDblClick);
        QCOMPARE(starts.count(), 1);
        QCOMPARE(starts.at(0).at(0).toInt(), 10);
        QCOMPARE(doubleClicks.count, 1);
        QCOMPARE(clicked.count(), 0);
    }

    void disabledDragEndsSilently()
    {
        Trim t;
        QSignalSpy starts(&t.widget, SIGNAL(trimStartChanged(int)));
        t.send(t.start, QEvent::MouseButtonPress);
        t.widget.setEnabled(false);
        t.dragTo(t.start, 30);
        QCOMPARE(t.widget.trimStart(), 10);
        t.send(t.start, QEvent::MouseButtonRelease);
        QCOMPARE(starts.count(), 0);
        t.widget.setEnabled(true);
        t.dragTo(t.start, 30); // the drag ended with the release
        QCOMPARE(t.widget.trimStart(), 10);
    }

    void slotsTakeValuesAsTheyAre()
    {
        Trim t;
        QSignalSpy starts(&t.widget, SIGNAL(trimStartChanged(int)));
        t.widget.setTrimStartEnd(100, 20, 0);
        QCOMPARE(t.widget.trimLength(), -80);
        t.widget.onTrimStartChanged(30);
        t.widget.onTrimLengthChanged(25);
        QCOMPARE(t.widget.trimEnd(), 55);
        QCOMPARE(t.bar->minUsablePos(), 30);
        QCOMPARE(t.bar->maxUsablePos(), 55);
        t.widget.onTrimEndChanged(70);
        QCOMPARE(t.bar->maxUsablePos(), 70);
        QCOMPARE(starts.count(), 0);
    }

    void playBarSeeksOutsideTheKeptRange()
    {
        Trim t; // kept 10..50
        QSignalSpy values(&t.widget, SIGNAL(valueChanged(int)));
        QSignalSpy actions(&t.widget, SIGNAL(actionTriggered(int)));
        const QPoint at = t.bar->mapFromGlobal(QPoint(t.bar->calcGlobalPosByValue(90), 0));
        QTest::mouseClick(t.bar, Qt::LeftButton, Qt::NoModifier,
                          QPoint(at.x(), t.bar->height() / 2));
        QCOMPARE(t.widget.value(), 90);
        QCOMPARE(values.count(), 1);
        QCOMPARE(actions.count(), 1);
    }

    void retranslatesOnLanguageChange()
    {
        UxTrimSeekingBar trim;
        QToolButton *start = trim.findChild<QToolButton *>("btnTrimLeft");
        QToolButton *end = trim.findChild<QToolButton *>("btnTrimRight");
        const struct
        {
            const char *locale, *start, *end;
        } languages[] = {
            {"de", "Ziehen, um den Startpunkt festzulegen", "Ziehen, um den Endpunkt festzulegen"},
            {"zh_CN", "拖动以设置起点", "拖动以设置终点"},
        };
        for (const auto &language : languages) {
            QTranslator translator;
            QVERIFY(
                translator.load(QLocale(language.locale), "commonctrls", "_", COMMONCTRLS_QM_DIR));
            QCoreApplication::installTranslator(&translator); // sends QEvent::LanguageChange
            QCoreApplication::processEvents();
            QCOMPARE(start->toolTip(), QString::fromUtf8(language.start));
            QCOMPARE(end->toolTip(), QString::fromUtf8(language.end));
            QCoreApplication::removeTranslator(&translator);
            QCoreApplication::processEvents();
            QCOMPARE(start->toolTip(), QStringLiteral("Drag to set the start point"));
        }
    }

    void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }
};

QTEST_MAIN(TestTrimSeekingBar)
#include "tst_uxtrimseekingbar.moc"

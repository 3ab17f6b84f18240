#include "support/ShownTrimBar.h"

#include <QShortcut>
#include <QTranslator>
#include <QtTest>

#include <climits>

namespace {

enum Press { Left, Right, LeftThenDisable };

} // namespace

class TestTrimSeekingBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What the user sees: the bar across the top, the handles under it, in order, at
    // the ends of the trim range; over the whole range they reach the widget's edges,
    // the bar's outer spaces taking it over them. The widget asks for room for the bar
    // over a handle.
    void layout()
    {
        ShownTrimBar t;
        t.bar->setGrooveOutterSpace(QStringLiteral("6,8"));
        t.widget.setTrimStartEnd(0, 100, 0);
        t.widget.resize(401, 60);
        QTRY_COMPARE(t.end->x(), t.xOf(100));
        QCOMPARE(t.start->x(), 0);
        QVERIFY(t.end->geometry().right() >= t.widget.width() - 1);
        for (QWidget *part : {(QWidget *)t.bar, (QWidget *)t.start})
            QVERIFY2(t.widget.rect().contains(part->geometry()), part->objectName().toLatin1());
        QVERIFY(t.widget.rect().contains(t.end->pos()));
        QCOMPARE(t.bar->y(), 0);
        QVERIFY(t.bar->geometry().bottom() < t.start->y());
        QCOMPARE(t.start->geometry().bottom(), 59);
        QCOMPARE(t.end->y(), t.start->y());
        QCOMPARE(t.start->geometry().right() + 1, t.xOf(0));
        t.widget.setTrimStartEnd(30, 60, 0);
        QVERIFY(t.start->geometry().right() < t.end->x());
        QCOMPARE(t.start->geometry().right() + 1, t.xOf(30));
        QCOMPARE(t.end->x(), t.xOf(60));
        const QSize hint = t.widget.sizeHint();
        QVERIFY(hint.height() >= t.bar->sizeHint().height() + t.start->sizeHint().height());
        QVERIFY(hint.width() >= t.bar->sizeHint().width());
        QCOMPARE(t.widget.minimumSizeHint(), hint);
        // The play bar seeks outside the kept range too, and its signals come through.
        t.widget.setTrimStartEnd(10, 50, 0);
        QSignalSpy values(&t.widget, SIGNAL(valueChanged(int)));
        QSignalSpy actions(&t.widget, SIGNAL(actionTriggered(int)));
        QTest::mouseClick(t.bar, Qt::LeftButton, {}, QPoint(t.xOf(90) - t.bar->x(), 5));
        QCOMPARE(t.widget.value(), 90);
        QCOMPARE(qMakePair(int(values.count()), int(actions.count())), qMakePair(1, 1));
    }

    // A press on a handle, moves (the value the pointer reaches, the trim point after it)
    // and a release. Moves too close to the other trim point are dropped, not clamped; the
    // release reports the point. Only a left press on an enabled bar drags.
    void drags_data()
    {
        QTest::addColumn<bool>("startHandle");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("minLength");
        QTest::addColumn<int>("offset"); // of range, trim points and moves
        QTest::addColumn<QList<QPoint>>("moves");
        QTest::addColumn<int>("reported"); // -1: nothing
        const auto row = [](const char *tag, bool startHandle, int press, int minLength, int offset,
                            QList<QPoint> moves, int reported) {
            QTest::newRow(tag) << startHandle << press << minLength << offset << moves << reported;
        };
        row("start", true, Left, 5, 0, {{40, 40}, {48, 40}, {45, 45}}, 45);
        row("end", false, Left, 5, 0, {{80, 80}, {12, 80}, {15, 15}}, 15);
        row("end onto the start", false, Left, 0, 0, {{80, 80}, {10, 10}}, 10);
        row("no move", true, Left, 5, 0, {}, 10);
        row("right button", true, Right, 5, 0, {{30, 10}}, -1);
        row("disabled after the press", true, LeftThenDisable, 5, 0, {{30, 10}}, -1);
        row("minimum length INT_MAX", true, Left, INT_MAX, 0, {{30, 10}}, 10);
        row("start near INT_MAX", true, Left, 5, INT_MAX - 100, {{40, 40}, {98, 40}}, 40);
        row("end near INT_MIN", false, Left, 5, INT_MIN, {{80, 80}, {2, 80}}, 80);
    }

    void drags()
    {
        QFETCH(bool, startHandle);
        QFETCH(int, press);
        QFETCH(int, minLength);
        QFETCH(int, offset);
        QFETCH(QList<QPoint>, moves);
        QFETCH(int, reported);
        ShownTrimBar t(minLength, offset);
        QToolButton *handle = startHandle ? t.start : t.end;
        const auto point = [&] { return startHandle ? t.widget.trimStart() : t.widget.trimEnd(); };
        const int initial = point();
        QSignalSpy released(&t.widget, startHandle ? SIGNAL(trimStartChanged(int))
                                                   : SIGNAL(trimEndChanged(int)));
        QSignalSpy clicked(handle, SIGNAL(clicked()));
        const Qt::MouseButton button = press == Right ? Qt::RightButton : Qt::LeftButton;
        QTest::mousePress(handle, button);
        t.widget.setEnabled(press != LeftThenDisable);
        for (const QPoint &move : moves) {
            t.dragTo(handle, offset + move.x());
            QCOMPARE(point(), offset + move.y());
            QCOMPARE(startHandle ? t.bar->minUsablePos() : t.bar->maxUsablePos(), point());
            QCOMPARE(t.widget.value(), point() == initial ? offset : point()); // the bar follows
            QCOMPARE(startHandle ? handle->geometry().right() + 1 : handle->x(), t.xOf(point()));
        }
        QTest::mouseRelease(handle, button);
        QCOMPARE(released.isEmpty() ? -1 : released.takeFirst().at(0).toInt() - offset, reported);
        QVERIFY(released.isEmpty());
        QCOMPARE(clicked.count(), 0);
        t.widget.setEnabled(true);
        t.dragTo(handle, offset + 30); // the drag has ended
        QCOMPARE(point(), moves.isEmpty() ? initial : offset + moves.last().y());
    }

    // Keys on a handle reached by Tab, over 0..100 with minimum length 5 and single step 3:
    // a step (ten with Shift), Home and End to the limit; clamped to the range and the
    // length, never against the key, reported as a release is when the point moved. Host
    // shortcuts wait for the handle's keys and get the others.
    void keys_data()
    {
        QTest::addColumn<bool>("startHandle");
        QTest::addColumn<int>("keys");
        QTest::addColumn<QPoint>("trim"); // before the key
        QTest::addColumn<int>("moved");   // the point after the key; -1: a key for the host
        const auto row = [](const char *tag, bool startHandle, int keys, QPoint trim, int moved) {
            QTest::newRow(tag) << startHandle << keys << trim << moved;
        };
        const int left = Qt::Key_Left, right = Qt::Key_Right, shift = Qt::ShiftModifier;
        row("start right", true, right, {10, 50}, 13);
        row("start shift left", true, left | shift, {40, 50}, 10);
        row("start shift left, to 0", true, left | shift, {25, 50}, 0);
        row("start end", true, Qt::Key_End, {10, 50}, 45);
        row("start right, no room", true, right, {45, 50}, 45);
        row("start right, too close", true, right, {48, 50}, 48);
        row("end keypad left", false, left | Qt::KeypadModifier, {10, 50}, 47);
        row("end home", false, Qt::Key_Home, {10, 50}, 15);
        row("end end", false, Qt::Key_End, {10, 50}, 100);
        row("ctrl right", true, right | Qt::ControlModifier, {10, 50}, -1);
    }

    void keys()
    {
        QFETCH(bool, startHandle);
        QFETCH(int, keys);
        QFETCH(QPoint, trim);
        QFETCH(int, moved);
        ShownTrimBar t;
        t.widget.setTrimStartEnd(trim.x(), trim.y(), 5);
        t.bar->setSingleStep(3);
        QToolButton *handle = startHandle ? t.start : t.end;
        const auto point = [&] { return startHandle ? t.widget.trimStart() : t.widget.trimEnd(); };
        const int before = point();
        QSignalSpy reported(&t.widget, startHandle ? SIGNAL(trimStartChanged(int))
                                                   : SIGNAL(trimEndChanged(int)));
        QShortcut hostShortcut(QKeySequence(keys), &t.widget);
        QSignalSpy shortcuts(&hostShortcut, SIGNAL(activated()));
        t.focus(t.bar);
        QTest::keyClick(t.bar, Qt::Key_Tab);
        if (!startHandle)
            QTest::keyClick(t.start, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), handle);
        QTest::keyClick(handle, Qt::Key(keys & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(keys & Qt::KeyboardModifierMask));
        QCOMPARE(point(), moved < 0 ? before : moved);
        QCOMPARE(shortcuts.count(), int(moved < 0));
        QCOMPARE(reported.count(), int(point() != before));
        QCOMPARE(reported.isEmpty() ? before : reported.first().at(0).toInt(), point());
        QCOMPARE(t.widget.value(), point() == before ? 0 : point()); // the bar follows
        QCOMPARE(startHandle ? t.bar->minUsablePos() : t.bar->maxUsablePos(), point());
    }

    // A handle focused from the keyboard shows it: as a plain tool button does where the
    // style shows focus, by a frame of its own under a style sheet that leaves it out.
    void focusIsVisible_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::newRow("style") << QString();
        QTest::newRow("sheet") << "QToolButton { border: none; background: transparent; }";
    }

    void focusIsVisible()
    {
        QFETCH(QString, sheet);
        ShownTrimBar t;
        t.widget.setStyleSheet(sheet);
        QToolButton plain(&t.widget);
        plain.setGeometry(t.start->geometry());
        plain.show();
        t.focus(&plain);
        const QImage plainFocused = plain.grab().toImage();
        const QImage unfocused = t.start->grab().toImage();
        t.focus(t.start);
        const QImage focused = t.start->grab().toImage();
        QVERIFY(focused != unfocused);
        QCOMPARE(focused == plainFocused, sheet.isEmpty());
    }

    // Chapters set on the trim bar mark its seek bar, whose Page Up then stops at each.
    void chaptersReachTheSeekBar()
    {
        ShownTrimBar t;
        t.widget.setChapters({40, 20});
        QCOMPARE(t.widget.chapters(), (QList<int>{20, 40}));
        t.focus(t.bar);
        t.bar->setValue(10);
        QTest::keyClick(t.bar, Qt::Key_PageUp);
        QCOMPARE(t.bar->value(), 20);
        QTest::keyClick(t.bar, Qt::Key_PageUp);
        QCOMPARE(t.bar->value(), 40);
    }

    // Lengths are exact wherever they fit in int and saturate beyond, as does the end
    // that a new length sets: neither ever wraps.
    void trimLengths_data()
    {
        for (const char *name : {"start", "end", "newLength"})
            QTest::addColumn<int>(name);
        QTest::newRow("reversed") << 100 << 20 << 30;
        QTest::newRow("whole int range") << INT_MIN << INT_MAX << INT_MAX;
        QTest::newRow("reversed whole range") << INT_MAX << INT_MIN << 1;
        QTest::newRow("below INT_MIN") << -10 << 0 << INT_MIN;
    }

    void trimLengths()
    {
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, newLength);
        const auto saturated = [](qint64 v) {
            return int(qBound(qint64(INT_MIN), v, qint64(INT_MAX)));
        };
        UxTrimSeekingBar trim;
        trim.setTrimStartEnd(start, end, 0);
        QCOMPARE(trim.trimLength(), saturated(qint64(end) - start));
        trim.onTrimLengthChanged(newLength);
        QCOMPARE(trim.trimEnd(), saturated(qint64(start) + newLength));
    }

    // Outer spaces at the int limits saturate, never wrap: the size hint stays a size and
    // a handle whose value lies far off the bar stays within the widget coordinate range.
    void extremeOuterSpaces_data()
    {
        QTest::addColumn<QString>("outer");
        QTest::newRow("INT_MAX") << "2147483647,2147483647";
        QTest::newRow("INT_MIN") << "-2147483648,-2147483648";
    }

    void extremeOuterSpaces()
    {
        QFETCH(QString, outer);
        ShownTrimBar t;
        t.bar->setGrooveOutterSpace(outer);
        t.widget.resize(401, 60);
        QVERIFY(t.widget.sizeHint().width() > 0 && t.widget.sizeHint().height() > 0);
        for (QToolButton *handle : {t.start, t.end})
            QVERIFY2(qAbs(handle->x()) <= QWIDGETSIZE_MAX,
                     qPrintable(QString::number(handle->x())));
    }

    void retranslatesOnLanguageChange_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("tips");
        QTest::newRow("de")
            << QString("de")
            << QString("Ziehen, um den Startpunkt festzulegen|Ziehen, um den Endpunkt festzulegen");
        QTest::newRow("zh_CN") << QString("zh_CN") << QString("拖动以设置起点|拖动以设置终点");
    }

    // The start and end tooltips follow the installed translation.
    void retranslatesOnLanguageChange()
    {
        QFETCH(QString, locale);
        QFETCH(QString, tips);
        UxTrimSeekingBar trim;
        const auto shown = [&] {
            return trim.findChild<QToolButton *>("btnTrimLeft")->toolTip() + '|' +
                   trim.findChild<QToolButton *>("btnTrimRight")->toolTip();
        };
        QTranslator translator;
        QVERIFY(translator.load(QLocale(locale), "commonctrls", "_", COMMONCTRLS_QM_DIR));
        QCoreApplication::installTranslator(&translator); // sends QEvent::LanguageChange
        QCoreApplication::processEvents();
        QCOMPARE(shown(), tips);
        QCoreApplication::removeTranslator(&translator);
        QCoreApplication::processEvents();
        QCOMPARE(shown(), QStringLiteral("Drag to set the start point|Drag to set the end point"));
    }
};

QTEST_MAIN(TestTrimSeekingBar)
#include "tst_uxtrimseekingbar.moc"

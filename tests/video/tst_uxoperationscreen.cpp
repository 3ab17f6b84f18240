#include "video/UxOperationScreen.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include <array>

using H = UxOperationScreen;

namespace {

// An editor over a 400 x 400 view of a 400 x 400 logic video, so that screen and logic
// pixels coincide, holding the rectangle (100, 100)-(299, 199).
struct Editor
{
    QWidget viewer;
    UxOperationScreen screen{&viewer, &viewer};
    QSignalSpy changed{&screen, SIGNAL(focusRectChanged(QRect))};

    explicit Editor(const QRect &focus = QRect(QPoint(100, 100), QPoint(299, 199)),
                    const QSize &logic = QSize(400, 400), const QRect &view = QRect(0, 0, 400, 400))
    {
        screen.setVideoRect(view);
        screen.setLogicVideo(logic, 1.0, focus, QSize(10, 10));
    }

    // A press, one move and the release at the end point.
    void drag(const QPoint &from, const QPoint &to)
    {
        QVERIFY(screen.mousePress(from));
        screen.mouseMove(to);
        screen.mouseRelease(to);
    }
};

QRect edges(int l, int t, int r, int b)
{
    return QRect(QPoint(l, t), QPoint(r, b));
}

const int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();

// The field of the rectangle a host edits, through one of the editor's four slots.
enum class Field { Left, Top, Width, Height };
const QRect kFocus = edges(100, 100, 299, 199);

} // namespace

Q_DECLARE_METATYPE(Field)

class TestOperationScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mapsBothWays()
    {
        Editor e(edges(0, 0, 959, 539), QSize(1920, 1080), edges(100, 50, 1059, 589));
        QCOMPARE(e.screen.screenFocusRect(), edges(100, 50, 579, 319));
        QCOMPARE(e.screen.minimumScreenSize(), QSize(5, 5));
        e.drag(QPoint(300, 200), QPoint(310, 200)); // a move, 10 screen pixels right
        QCOMPARE(e.screen.focusRect(), edges(20, 0, 979, 539));
        QCOMPARE(e.changed.count(), 1); // the release where the move ended adds nothing
        QCOMPARE(e.changed.last().at(0).toRect(), edges(20, 0, 979, 539));
        // 1000 logic pixels on 333: a moved left edge leaves the right one exact, where a
        // full remap would truncate it to 698.
        Editor f(edges(100, 100, 700, 700), QSize(1000, 1000), QRect(0, 0, 333, 333));
        QCOMPARE(f.screen.screenFocusRect(), edges(33, 33, 232, 232));
        f.drag(QPoint(33, 132), QPoint(26, 132));
        QCOMPARE(f.screen.focusRect(), edges(78, 100, 700, 700));
    }

    void hitTest_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("handle");
        QTest::addColumn<int>("cursor"); // -1: unset
        QTest::addColumn<QRect>("focus");
        const auto row = [](const char *tag, int x, int y, H::FocusHandle h, int cursor,
                            QRect focus = kFocus) {
            QTest::newRow(tag) << QPoint(x, y) << int(h) << cursor << focus;
        };
        row("3 pixels left of the left edge", 97, 150, H::FocusHandle_Left, Qt::SizeHorCursor);
        row("4 pixels left: nothing", 96, 150, H::FocusHandle_None, -1);
        row("corner wins over edges", 102, 102, H::FocusHandle_TopLeft, Qt::SizeFDiagCursor);
        row("top-right", 302, 97, H::FocusHandle_TopRight, Qt::SizeBDiagCursor);
        row("bottom-left", 99, 201, H::FocusHandle_BottomLeft, Qt::SizeBDiagCursor);
        row("bottom-right", 297, 197, H::FocusHandle_BottomRight, Qt::SizeFDiagCursor);
        row("top", 200, 103, H::FocusHandle_Top, Qt::SizeVerCursor);
        row("right", 301, 150, H::FocusHandle_Right, Qt::SizeHorCursor);
        row("bottom", 200, 196, H::FocusHandle_Bottom, Qt::SizeVerCursor);
        row("inside", 200, 150, H::FocusHandle_Move, Qt::SizeAllCursor);
        row("outside", 50, 50, H::FocusHandle_None, -1);
        row("no width left", 97, 150, H::FocusHandle_Left, Qt::SizeHorCursor,
            edges(100, 100, 99, 199));
        row("no height left", 200, 101, H::FocusHandle_Top, Qt::SizeVerCursor,
            edges(100, 100, 299, 99));
        row("spanning all ints", 200, 150, H::FocusHandle_Move, Qt::SizeAllCursor,
            edges(kMin, 100, kMax, 199));
        row("up to INT_MAX: top", 200, 100, H::FocusHandle_Top, Qt::SizeVerCursor,
            edges(100, 100, kMax, 199));
    }

    void hitTest()
    {
        QFETCH(QPoint, pos);
        QFETCH(int, handle);
        QFETCH(int, cursor);
        QFETCH(QRect, focus);
        Editor e(focus);
        QCOMPARE(e.screen.hitTest(pos), handle);
        QCOMPARE(e.screen.mousePress(pos), handle != H::FocusHandle_None);
        if (cursor < 0)
            QVERIFY(!e.viewer.testAttribute(Qt::WA_SetCursor));
        else
            QCOMPARE(int(e.viewer.cursor().shape()), cursor);
    }

    void drags_data()
    {
        QTest::addColumn<QRect>("focus");
        QTest::addColumn<bool>("keep2to1");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("expected");       // the focus itself: no change, no signal
        const QRect r = edges(100, 100, 299, 199); // 200 x 100
        const auto row = [](const char *tag, QRect f, bool keep, QPoint a, QPoint b, QRect e) {
            QTest::newRow(tag) << f << keep << a << b << e;
        };
        row("left", r, false, {100, 150}, {50, 170}, edges(50, 100, 299, 199));
        row("top", r, false, {200, 100}, {10, 60}, edges(100, 60, 299, 199));
        row("right", r, false, {299, 150}, {350, 10}, edges(100, 100, 350, 199));
        row("bottom", r, false, {200, 199}, {0, 260}, edges(100, 100, 299, 260));
        row("top-left", r, false, {100, 100}, {40, 30}, edges(40, 30, 299, 199));
        row("bottom-right", r, false, {299, 199}, {380, 390}, edges(100, 100, 380, 390));
        row("clamped to view and minimum", r, false, {299, 199}, {900, -50},
            edges(100, 100, 399, 109));
        row("left past right: minimum width", r, false, {100, 150}, {390, 150},
            edges(290, 100, 299, 199));
        row("grab 3 pixels off snaps", r, false, {302, 150}, {302, 150}, edges(100, 100, 302, 199));
        row("move stops short of the edges", r, false, {200, 150}, {399, 399},
            edges(199, 299, 398, 398));
        row("move to the origin", r, false, {200, 150}, {-50, -50}, edges(0, 0, 199, 99));
        row("move released where it began", r, false, {200, 150}, {200, 150}, r);
        row("left edge along itself", r, false, {100, 150}, {100, 180}, r);
        // A locked edge grows the other side about the middle of the opposite edge.
        row("kept right", r, true, {299, 150}, {399, 150}, edges(100, 75, 399, 224));
        row("kept left", r, true, {100, 150}, {50, 150}, edges(50, 88, 299, 212));
        row("kept top", r, true, {200, 100}, {200, 50}, edges(50, 50, 349, 199));
        row("kept bottom", r, true, {200, 199}, {200, 249}, edges(50, 100, 349, 249));
        row("kept right near the top", edges(100, 10, 299, 109), true, {299, 60}, {399, 60},
            edges(100, 0, 341, 120));
        // A locked corner keeps the opposite corner.
        row("kept top-left", r, true, {100, 100}, {0, 0}, edges(0, 50, 299, 199));
        row("kept bottom-right", r, true, {299, 199}, {399, 399}, edges(100, 100, 399, 249));
        row("kept top-right capped", edges(100, 60, 199, 109), true, {199, 60}, {399, 0},
            edges(100, 0, 319, 109));
    }

    void drags()
    {
        QFETCH(QRect, focus);
        QFETCH(bool, keep2to1);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QRect, expected);
        Editor e(focus);
        if (keep2to1)
            e.screen.setKeepAspectRatioByLogic(true, 2, 1, true);
        e.drag(from, to);
        QCOMPARE(e.screen.screenFocusRect(), expected);
        QCOMPARE(e.screen.focusRect(), expected);
        QVERIFY(!e.screen.isDragging());
        if (expected == focus)
            QCOMPARE(e.changed.count(), 0);
        else
            QCOMPARE(e.changed.last().at(0).toRect(), expected);
    }

    void aspectLock()
    {
        Editor e(edges(0, 0, 99, 99));
        e.screen.setKeepAspectRatioByLogic(true, 16, 9, true); // only the lock
        QCOMPARE(e.screen.focusRect(), edges(0, 0, 99, 99));
        QCOMPARE(e.changed.count(), 0);
        e.screen.setKeepAspectRatioByLogic(true, 16, 9, false); // reshapes, top-left fixed
        QCOMPARE(e.screen.focusRect(), QRect(0, 0, 100, 56));
        QCOMPARE(e.changed.count(), 1);
        QCOMPARE(e.screen.screenFocusRect(), QRect(0, 0, 100, 56));

        e.screen.setKeepAspectRatioByLogic(true, 0, 9, false); // ignored
        QVERIFY(e.screen.keepsAspectRatio());
        QCOMPARE(e.screen.aspect(), 16.0 / 9);
        e.screen.setKeepAspectRatioByLogic(false, 0, 9, false); // unlocks
        QVERIFY(!e.screen.keepsAspectRatio());
        QCOMPARE(e.screen.aspect(), 0.0);
        e.screen.setKeepAspectRatioByLogic(false, 4, 0, false); // no division by zero
        QCOMPARE(e.screen.aspect(), 0.0);
        Editor wide(edges(0, 10, 29999, 19)); // 1:100000 on 30000 pixels: the height saturates
        wide.screen.setKeepAspectRatioByLogic(true, 1, 100000, false);
        QCOMPARE(wide.screen.focusRect(), edges(0, 10, -1, 399));

        e.screen.setKeepAspectRatioByView(true, 2, 1, true);
        e.screen.set3DLayout(true, false); // unstretched side by side: squeezed to half width
        QCOMPARE(e.screen.screenAspect(), 1.0);
        e.screen.set3DLayout(true, true);
        QCOMPARE(e.screen.screenAspect(), 4.0);
        e.screen.set3DLayout(false, true);
        QCOMPARE(e.screen.screenAspect(), 2.0);
    }

    // Host edits: no clamp to the logic video, no signal. At the integer limits they
    // saturate, never wrap: the rectangle keeps its edges in order, a moved edge takes the
    // value (the rectangle cut where it would pass the limit), a length grows towards it
    // (keeping the aspect where it is kept).
    void hostEdits_data()
    {
        QTest::addColumn<QRect>("focus");
        QTest::addColumn<QSize>("lock"); // logic aspect kept, if any
        QTest::addColumn<Field>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<QRect>("expected"); // null: saturated, checked as said above
        const QSize none, wide(16, 9);
        const auto row = [](const char *tag, QRect f, QSize lock, Field field, int v, QRect e) {
            QTest::newRow(tag) << f << lock << field << v << e;
        };
        row("left", kFocus, none, Field::Left, 110, edges(110, 100, 309, 199));
        row("top past the bottom", kFocus, none, Field::Top, 350, edges(100, 350, 299, 449));
        row("free width", edges(0, 0, 99, 99), none, Field::Width, 150, edges(0, 0, 149, 99));
        row("free height", edges(0, 0, 99, 99), none, Field::Height, 30, edges(0, 0, 99, 29));
        row("kept width derives the height", edges(0, 0, 159, 89), wide, Field::Width, 320,
            edges(0, 0, 319, 179));
        row("kept width cut at the bottom", edges(0, 300, 159, 389), wide, Field::Width, 320,
            edges(0, 300, 176, 399));
        row("kept width that cannot grow", edges(0, 310, 179, 399), wide, Field::Width, 200,
            edges(0, 310, 179, 399));
        row("kept height derives the width", edges(0, 0, 159, 89), wide, Field::Height, 180,
            edges(0, 0, 319, 179));
        row("kept height cut at the right", edges(300, 0, 379, 44), wide, Field::Height, 90,
            edges(300, 0, 399, 55));
        row("1:100000 on 30000 pixels", edges(0, 10, 29999, 19), QSize(1, 100000), Field::Width,
            30001, edges(0, 10, 29999, 19));
        row("left INT_MAX", kFocus, none, Field::Left, kMax, QRect());
        row("top INT_MIN", kFocus, none, Field::Top, kMin, QRect());
        row("width INT_MAX", kFocus, none, Field::Width, kMax, QRect());
        row("height INT_MAX", kFocus, none, Field::Height, kMax, QRect());
        row("kept height INT_MAX", edges(10, 0, 169, 89), wide, Field::Height, kMax, QRect());
    }

    void hostEdits()
    {
        QFETCH(QRect, focus);
        QFETCH(QSize, lock);
        QFETCH(Field, field);
        QFETCH(int, value);
        QFETCH(QRect, expected);
        Editor e(focus);
        if (lock.isValid())
            e.screen.setKeepAspectRatioByLogic(true, lock.width(), lock.height(), true);
        const std::array<void (H::*)(int), 4> edit = {&H::onFocusLeftChanged, &H::onFocusTopChanged,
                                                      &H::onFocusWidthChanged,
                                                      &H::onFocusHeightChanged};
        (e.screen.*edit[size_t(field)])(value);
        const QRect r = e.screen.focusRect();
        QCOMPARE(e.screen.screenFocusRect(), r);
        QCOMPARE(e.changed.count(), 0);
        if (!expected.isNull()) {
            QCOMPARE(r, expected);
            return;
        }
        const qint64 w = r.right() - qint64(r.left()) + 1, h = r.bottom() - qint64(r.top()) + 1;
        QVERIFY(w > 0 && h > 0);
        if (field == Field::Left || field == Field::Top) {
            QVERIFY(r.left() == value || r.top() == value);
            QVERIFY(w <= focus.width() && h <= focus.height()); // cut at the limit, if at all
        } else {
            QVERIFY(w >= focus.width() && h >= focus.height() &&
                    w * h > qint64(focus.width()) * focus.height());
        }
        if (lock.isValid())
            QVERIFY(qAbs(w * lock.height() - h * lock.width()) <= lock.width() + lock.height());
    }

    void hostRectAndTwin()
    {
        Editor e;
        e.screen.onFocusRectChanged(edges(1, 2, kMax, 4));
        QCOMPARE(e.screen.screenFocusRect(), edges(1, 2, kMax, 4));
        QCOMPARE(e.changed.count(), 0);

        UxOperationScreen twin(&e.viewer, nullptr);
        twin.setVideoRect(QRect(500, 0, 400, 400));
        twin.copyFocusFrom(&e.screen);
        QCOMPARE(twin.focusRect(), edges(1, 2, kMax, 4));
        QCOMPARE(twin.screenFocusRect(), edges(501, 2, kMax, 4)); // saturated, not wrapped
    }

    void unsoundGeometryIsNeverUsed_data()
    {
        QTest::addColumn<QSize>("logic");
        QTest::addColumn<QRect>("view");
        QTest::addColumn<double>("pixelAspect");
        QTest::newRow("no logic video yet") << QSize(-1, -1) << QRect(0, 0, 400, 400) << 1.0;
        QTest::newRow("zero logic size") << QSize(0, 0) << QRect(0, 0, 400, 400) << 1.0;
        QTest::newRow("empty view") << QSize(400, 400) << QRect(0, 0, 0, 0) << 1.0;
        QTest::newRow("zero pixel aspect falls back to square")
            << QSize(400, 400) << QRect(0, 0, 400, 400) << 0.0;
    }

    // Nothing divides by a zero size or aspect; the editor stays inert instead.
    void unsoundGeometryIsNeverUsed()
    {
        QFETCH(QSize, logic);
        QFETCH(QRect, view);
        QFETCH(double, pixelAspect);
        QWidget viewer;
        UxOperationScreen screen(&viewer, &viewer);
        screen.setVideoRect(view);
        if (logic.width() >= 0)
            screen.setLogicVideo(logic, pixelAspect, edges(0, 0, 99, 99), QSize(10, 10));
        const bool sound = logic.width() > 0 && !view.isEmpty();
        QCOMPARE(screen.mousePress(QPoint(1, 1)), sound); // the top-left corner, if any
        screen.mouseMove(QPoint(50, 50));
        screen.mouseRelease(QPoint(50, 50));
        screen.setKeepAspectRatioByLogic(true, 16, 9, false);
        screen.onFocusWidthChanged(120);
        QCOMPARE(screen.screenFocusRect().isValid(), sound);
        if (sound)
            QCOMPARE(screen.focusRect().size(), QSize(120, 67));

        screen.reset();
        QCOMPARE(screen.focusRect(), QRect());
        QVERIFY(!screen.mousePress(QPoint(0, 0)));
    }

    void painting_data()
    {
        QTest::addColumn<bool>("show");
        QTest::addColumn<bool>("mask");
        QTest::addColumn<QRect>("focus");
        QTest::addColumn<QString>("drawn"); // 'y' for each point below in the outline colour
        const QRect f = edges(100, 50, 299, 149);
        QTest::newRow("rectangle and veil") << true << true << f << "yyyyyyyyyyyy";
        QTest::newRow("no veil") << true << false << f << "yyyyyyyyyyyy";
        QTest::newRow("hidden: nothing at all") << false << true << f << "............";
        QTest::newRow("up to INT_MAX")
            << true << true << edges(100, 50, kMax, 149) << "yyyy..y.....";
    }

    void painting()
    {
        QFETCH(bool, show);
        QFETCH(bool, mask);
        QFETCH(QRect, focus);
        QFETCH(QString, drawn);
        Editor e(focus, QSize(400, 300), QRect(0, 0, 400, 300));
        e.screen.setShowFocusZone(show);
        e.screen.setMaskUnfocusZone(mask);
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        e.screen.paint(painter);
        painter.end();
        const QColor yellow("yellow");
        const auto at = [&](int x, int y) { return image.pixelColor(x, y); };

        // Outline; handles around (199, 50), (100, 50)...; centre cross around (199, 99).
        const int points[][2] = {{100, 50}, {299, 149}, {150, 50}, {100, 120},
                                 {196, 47}, {202, 53},  {103, 47}, {302, 152},
                                 {191, 99}, {207, 99},  {199, 91}, {199, 107}};
        QString marks;
        for (const auto &p : points)
            marks += at(p[0], p[1]) == yellow ? 'y' : '.';
        QCOMPARE(marks, drawn);
        for (const QPoint &p : QList<QPoint>{{150, 80}, {197, 48}, {190, 99}, {199, 108}})
            QVERIFY(at(p.x(), p.y()) != yellow); // inside, in a handle, past the cross's ends
        const QColor outside = at(10, 10);
        QCOMPARE(outside.red() > 100 && outside.red() < 160, show && mask); // half-white veil
        QCOMPARE(at(150, 80), QColor(Qt::black));                           // never veiled
    }
};

QTEST_MAIN(TestOperationScreen)
#include "tst_uxoperationscreen.moc"

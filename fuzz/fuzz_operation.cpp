// The crop editor driven by fuzzed set-up calls, host edits and mouse drags. After every
// step: a rectangle reported by focusRectChanged once a logic video is set has a width
// and height that int can hold and matches focusRect(); for stereoscopic input both
// views hold the same rectangle, and show it at the same place in their views while it
// lies inside the video. A broken invariant aborts.
//
// A host may hand in reversed rectangles or rectangles far outside its video; they stay
// as given, so only representability is checked for them, not their shape. Where such a
// rectangle lies off the video, its screen place is clamped at different points in the
// two views and is not compared.

#include "FuzzSupport.h"

#include <UxVideoOperationViewer.h>
#include <video/UxOperationScreen.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>

#include <array>

namespace {

struct Report
{
    bool logicSet = false;
    QSize logicSize;
    bool emitted = false;
    QRect rect;
};

// QRect::width() and height() would overflow.
bool overflowed(const QRect &r)
{
    const int64_t w = int64_t(r.right()) - r.left() + 1;
    const int64_t h = int64_t(r.bottom()) - r.top() + 1;
    return w < INT_MIN || h < INT_MIN || w > INT_MAX || h > INT_MAX;
}

// A rectangle the user could have drawn: not reversed, inside a video of sane size.
bool insideVideo(const QRect &r, const QSize &video)
{
    const int sane = 1 << 20;
    return video.width() > 0 && video.height() > 0 && video.width() < sane &&
           video.height() < sane && r.left() >= 0 && r.top() >= 0 && r.left() <= r.right() &&
           r.top() <= r.bottom() && r.right() < video.width() && r.bottom() < video.height();
}

// A rectangle's place relative to the top-left of its view, in 64 bits.
std::array<int64_t, 4> relative(const QRect &r, const QRect &view)
{
    return {int64_t(r.left()) - view.left(), int64_t(r.top()) - view.top(),
            int64_t(r.right()) - view.left(), int64_t(r.bottom()) - view.top()};
}

// Hosts build rectangles from two corners, which cannot overflow.
QRect readRect(fuzz::Reader &in)
{
    const int left = in.anyInt();
    const int top = in.anyInt();
    const int right = in.anyInt();
    return QRect(QPoint(left, top), QPoint(right, in.anyInt()));
}

void print(const char *name, const QRect &r)
{
    std::fprintf(stderr, "%s: (%d, %d) - (%d, %d)\n", name, r.left(), r.top(), r.right(),
                 r.bottom());
}

void check(const UxVideoOperationViewer &viewer, Report &report)
{
    if (report.emitted && report.logicSet) {
        if (overflowed(report.rect) || report.rect != viewer.focusRect()) {
            print("reported", report.rect);
            print("focusRect()", viewer.focusRect());
            fuzz::fail(overflowed(report.rect) ? "the reported focus rectangle overflowed"
                                               : "the reported focus rectangle is not focusRect()");
        }
    }
    report.emitted = false;
    const auto editors = viewer.findChildren<UxOperationScreen *>();
    if (editors.size() != 2)
        fuzz::fail("the viewer does not own two editors");
    const UxOperationScreen *first = editors[0];
    const UxOperationScreen *second = editors[1];
    if (!second->isActive() || !report.logicSet)
        return;
    const bool sameLogic = first->focusRect() == second->focusRect();
    // Views of different sizes (an odd split) may round the screen rectangle differently,
    // and an empty view shows nothing.
    const QRect a = first->screenFocusRect();
    const QRect b = second->screenFocusRect();
    const bool comparable = first->videoRect().size() == second->videoRect().size() &&
                            !first->videoRect().isEmpty() &&
                            insideVideo(first->focusRect(), report.logicSize);
    const bool samePlace =
        !comparable || (a.isEmpty() || b.isEmpty()
                            ? a.isEmpty() == b.isEmpty()
                            : relative(a, first->videoRect()) == relative(b, second->videoRect()));
    if (sameLogic && samePlace)
        return;
    for (const UxOperationScreen *editor : {first, second}) {
        print("view", editor->videoRect());
        print("  focus", editor->focusRect());
        print("  screen focus", editor->screenFocusRect());
    }
    fuzz::fail(sameLogic ? "the two views show the focus rectangle at different places"
                         : "the two views hold different focus rectangles");
}

// Positions far outside the widget, but within what QMouseEvent::pos() can round.
QPoint readPoint(fuzz::Reader &in, const QWidget &viewer)
{
    const int far = 1 << 30;
    if (in.u8() < 16)
        return QPoint(qBound(-far, in.anyInt(), far), qBound(-far, in.anyInt(), far));
    return QPoint(in.range(-8, viewer.width() + 8), in.range(-8, viewer.height() + 8));
}

void sendMouse(QWidget &viewer, QEvent::Type type, const QPoint &pos, bool left)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton
                                   : left                    ? Qt::LeftButton
                                                             : Qt::RightButton;
    QMouseEvent event(type, pos, viewer.mapToGlobal(pos), button,
                      left ? Qt::MouseButtons(Qt::LeftButton) : Qt::MouseButtons(Qt::NoButton),
                      Qt::NoModifier);
    QApplication::sendEvent(&viewer, &event);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Reader in(data, size);
    UxVideoOperationViewer viewer;
    Report report;
    QObject::connect(&viewer, &UxVideoOperationViewer::focusRectChanged, [&](const QRect &r) {
        report.emitted = true;
        report.rect = r;
    });
    viewer.resize(in.range(1, 1600), in.range(1, 1200));
    bool pressed = false;
    for (int step = 0; step < 64 && !in.empty(); ++step) {
        switch (in.u8() % 13) {
        case 0: {
            const QSize video(in.anyInt(), in.anyInt());
            const uint8_t layout = in.u8();
            viewer.setInputVideo(video, layout & 1, layout & 2, layout & 4);
            break;
        }
        case 1: {
            const uint8_t layout = in.u8();
            viewer.update3DInput(layout & 1, layout & 2, layout & 4);
            break;
        }
        case 2: {
            const QSize logic(in.anyInt(), in.anyInt());
            const int num = in.anyInt();
            const int den = in.anyInt();
            const QRect focus = readRect(in);
            const int minW = in.anyInt();
            viewer.setLogicVideo(logic, num, den, focus, QSize(minW, in.anyInt()));
            report.logicSet = true;
            report.logicSize = logic;
            break;
        }
        case 3:
        case 4: {
            const bool keep = in.flag();
            const int w = in.anyInt();
            const int h = in.anyInt();
            const bool keepRect = in.flag();
            if (step % 2)
                viewer.setFocusZoneKeepAspectRatioByLogic(keep, w, h, keepRect);
            else
                viewer.setFocusZoneKeepAspectRatioByView(keep, w, h, keepRect);
            break;
        }
        case 5:
            pressed = in.flag();
            sendMouse(viewer, QEvent::MouseButtonPress, readPoint(in, viewer), pressed);
            break;
        case 6:
        case 7:
        case 8:
            sendMouse(viewer, QEvent::MouseMove, readPoint(in, viewer), pressed);
            break;
        case 9:
            sendMouse(viewer, QEvent::MouseButtonRelease, readPoint(in, viewer), pressed);
            pressed = false;
            break;
        case 10:
            viewer.resize(in.range(1, 1600), in.range(1, 1200));
            break;
        case 11: {
            const uint8_t which = in.u8() % 5;
            const int value = in.anyInt();
            if (which == 0)
                viewer.onFocusLeftChanged(value);
            else if (which == 1)
                viewer.onFocusTopChanged(value);
            else if (which == 2)
                viewer.onFocusWidthChanged(value);
            else if (which == 3)
                viewer.onFocusHeightChanged(value);
            else
                viewer.onFocusRectChanged(readRect(in));
            break;
        }
        default:
            if (in.u8() < 8) {
                viewer.reset();
                report.logicSet = false;
            }
            viewer.setMaskUnfocusZone(in.flag());
            viewer.grab();
            break;
        }
        check(viewer, report);
    }
    return 0;
}

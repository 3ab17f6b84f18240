#include "XServerInput.h"

#include <QThread>

// Xlib defines macros such as Bool and None that Qt's headers must not see.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

namespace {

// Real hands are not instantaneous: a short pause between the events of a gesture lets
// the application see them as separate, as it would a user's.
void pause(int ms)
{
    QThread::msleep(static_cast<unsigned long>(ms));
}

// Xlib's default handler ends the process on any protocol error, such as focusing a
// window the window manager has not mapped yet; here an error only fails the check
// that follows.
int ignoreError(Display *, XErrorEvent *)
{
    return 0;
}

} // namespace

XServerInput::XServerInput()
{
    XSetErrorHandler(ignoreError);
    m_display = XOpenDisplay(nullptr);
    if (!m_display) {
        m_problem = QStringLiteral("no X server (DISPLAY is not set or not reachable)");
        return;
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(m_display, &event, &error, &major, &minor))
        m_problem = QStringLiteral("the X server has no XTEST extension");
    else if (!XFixesQueryExtension(m_display, &event, &error))
        m_problem = QStringLiteral("the X server has no XFIXES extension");
}

XServerInput::~XServerInput()
{
    if (!m_display)
        return;
    if (m_foreign)
        XDestroyWindow(m_display, m_foreign);
    XCloseDisplay(m_display);
}

void XServerInput::sync() const
{
    XSync(m_display, False);
}

// A window manager that follows the common desktop conventions names its check window
// on the root window.
bool XServerInput::hasWindowManager() const
{
    const Atom check = XInternAtom(m_display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    XGetWindowProperty(m_display, DefaultRootWindow(m_display), check, 0, 1, False, XA_WINDOW,
                       &type, &format, &count, &after, &data);
    const bool present = data && count == 1;
    if (data)
        XFree(data);
    return present;
}

void XServerInput::movePointer(const QPoint &at)
{
    XTestFakeMotionEvent(m_display, -1, at.x(), at.y(), CurrentTime);
    sync();
    pause(20);
}

void XServerInput::click(const QPoint &at, int count)
{
    movePointer(at);
    for (int i = 0; i < count; ++i) {
        XTestFakeButtonEvent(m_display, Button1, True, CurrentTime);
        sync();
        pause(30);
        XTestFakeButtonEvent(m_display, Button1, False, CurrentTime);
        sync();
        pause(60);
    }
}

void XServerInput::pressKey(const QByteArray &keysym, const QByteArrayList &modifiers)
{
    const auto send = [this](const QByteArray &name, bool down) {
        const KeyCode code = XKeysymToKeycode(m_display, XStringToKeysym(name.constData()));
        XTestFakeKeyEvent(m_display, code, down ? True : False, CurrentTime);
        sync();
        pause(20);
    };
    for (const QByteArray &modifier : modifiers)
        send(modifier, true);
    send(keysym, true);
    send(keysym, false);
    for (const QByteArray &modifier : modifiers)
        send(modifier, false);
}

bool XServerInput::pointerVisible() const
{
    XFixesCursorImage *image = XFixesGetCursorImage(m_display);
    if (!image)
        return false;
    bool visible = false;
    const unsigned long count = static_cast<unsigned long>(image->width) * image->height;
    for (unsigned long i = 0; i < count && !visible; ++i)
        visible = (image->pixels[i] >> 24) != 0; // alpha of a premultiplied ARGB pixel
    XFree(image);
    return visible;
}

QColor XServerInput::pixelAt(const QPoint &at) const
{
    XImage *image = XGetImage(m_display, DefaultRootWindow(m_display), at.x(), at.y(), 1, 1,
                              AllPlanes, ZPixmap);
    if (!image)
        return QColor();
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    // The suite's server runs at a depth of 24 with the usual 8-8-8 layout.
    return QColor(int((pixel >> 16) & 0xff), int((pixel >> 8) & 0xff), int(pixel & 0xff));
}

QRect XServerInput::windowRect(unsigned long window) const
{
    Window root = None, child = None;
    int x = 0, y = 0, rootX = 0, rootY = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(m_display, window, &root, &x, &y, &width, &height, &border, &depth))
        return QRect();
    XTranslateCoordinates(m_display, window, root, 0, 0, &rootX, &rootY, &child);
    return QRect(rootX, rootY, int(width), int(height));
}

void XServerInput::focusForeignWindow()
{
    if (!m_foreign) {
        const int screen = DefaultScreen(m_display);
        m_foreign =
            XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 64, 64, 0,
                                BlackPixel(m_display, screen), WhitePixel(m_display, screen));
        XSelectInput(m_display, m_foreign, StructureNotifyMask);
        XMapRaised(m_display, m_foreign);
        sync();
        // A window manager maps it in its own time; the focus needs it viewable.
        XEvent event;
        for (int waited = 0; waited < 2000; waited += 10) {
            if (XCheckTypedWindowEvent(m_display, m_foreign, MapNotify, &event))
                break;
            pause(10);
        }
    }
    if (hasWindowManager())
        activateThroughWindowManager(m_foreign);
    else
        XSetInputFocus(m_display, m_foreign, RevertToPointerRoot, CurrentTime);
    sync();
}

// As a task bar does it: the window manager raises and focuses the window when asked
// with _NET_ACTIVE_WINDOW, and a request from a pager (source 2) is never refused.
void XServerInput::activateThroughWindowManager(unsigned long window)
{
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = 2;
    message.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, DefaultRootWindow(m_display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &message);
}

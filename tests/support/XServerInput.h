#pragma once

#include <QByteArrayList>
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

struct _XDisplay;

// A second client of the X server the application under test runs on: it moves the
// pointer, clicks and types through the XTEST extension, so input arrives exactly as a
// user's would, and it reads back what the server shows (pixels of the root window, the
// pointer's image through XFIXES, window geometry and the input focus). Every coordinate
// is in the server's own pixels, that is device pixels.
class XServerInput
{
public:
    XServerInput();
    ~XServerInput();
    XServerInput(const XServerInput &) = delete;
    XServerInput &operator=(const XServerInput &) = delete;

    // Empty when the server can be used; otherwise what is missing.
    QString problem() const { return m_problem; }
    bool hasWindowManager() const;

    void movePointer(const QPoint &at);
    void click(const QPoint &at, int count = 1);
    // keysym as X names it ("Escape", "Right", "Tab"); modifiers as "Shift_L", "Control_L".
    void pressKey(const QByteArray &keysym, const QByteArrayList &modifiers = {});

    // Whether the pointer, as the server draws it now, has any visible pixel.
    bool pointerVisible() const;
    QColor pixelAt(const QPoint &at) const;
    // Where a window is on the screen, its decorations left out.
    QRect windowRect(unsigned long window) const;

    // A window of another client takes the keyboard focus, as when the user turns to
    // another application; it goes away with this object.
    void focusForeignWindow();

private:
    void sync() const;
    void activateThroughWindowManager(unsigned long window);

    _XDisplay *m_display = nullptr;
    unsigned long m_foreign = 0;
    QString m_problem;
};

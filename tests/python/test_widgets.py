"""The widgets driven from Python through real mouse and key events."""

import pytest


def left(qt):
    return qt.QtCore.Qt.MouseButton.LeftButton


# A click off the handle jumps to the value under the pointer; the play bar only within
# its usable range unless outer clicks are allowed. The expected value comes from the
# widget's own pixel mapping, the one its C++ click handler uses.
@pytest.mark.parametrize(
    "cls_name, fraction, usable, outer_clickable, jumps",
    [
        pytest.param("UxSlider", 0.3, None, False, True, id="slider"),
        pytest.param("UxSlider", 0.85, None, False, True, id="slider far end"),
        pytest.param("UxPlaySeekingBar", 0.6, (0, 1000), False, True, id="seek in range"),
        pytest.param("UxPlaySeekingBar", 0.8, (0, 500), False, False, id="seek refused"),
        pytest.param("UxPlaySeekingBar", 0.8, (0, 500), True, True, id="seek outer allowed"),
    ],
)
def test_click_jumps_to_the_mapped_value(cc, qt, qtbot, shown, cls_name, fraction, usable,
                                         outer_clickable, jumps):
    bar = getattr(cc, cls_name)()
    bar.setOrientation(qt.QtCore.Qt.Orientation.Horizontal)
    bar.setRange(0, 1000)
    if usable:
        bar.setUsableRange(*usable)
        bar.setOutterTrimRangeClickable(outer_clickable)
    shown(bar, 400, 24)
    x = int(bar.width() * fraction)
    target = bar.pixelPosToRangeValue(x)
    assert target not in (0, bar.value())  # the click lands off the handle, at 0
    with qtbot.waitSignals([bar.valueChanged], timeout=500, raising=False) as moved:
        qtbot.mouseClick(bar, left(qt), pos=qt.QtCore.QPoint(x, bar.height() // 2))
    assert moved.signal_triggered == jumps
    assert bar.value() == (target if jumps else 0)
    if hasattr(bar, "calcValueByGlobalPos"):  # the screen mapping agrees with the widget's
        assert bar.calcValueByGlobalPos(bar.mapToGlobal(qt.QtCore.QPoint(x, 0))) == target


class Trim:
    """A shown trim bar over 0..100 keeping 10..50, at least 5 apart, and its handles."""

    def __init__(self, cc, qt, shown):
        self.qt = qt
        self.widget = cc.UxTrimSeekingBar()
        self.widget.setRange(0, 100)
        self.widget.setTrimStartEnd(10, 50, 5)
        shown(self.widget, 400, 60)
        self.bar = self.widget.findChild(cc.UxPlaySeekingBar, "playSeekingBar")
        self.handles = {
            "start": self.widget.findChild(qt.QtWidgets.QToolButton, "btnTrimLeft"),
            "end": self.widget.findChild(qt.QtWidgets.QToolButton, "btnTrimRight"),
        }

    def point(self, which):
        return {"start": self.widget.trimStart, "end": self.widget.trimEnd}[which]()

    def drag(self, qtbot, which, value):
        """Presses the handle, moves the pointer to where the handle's edge meets value
        (the handle is held at its centre) and releases."""
        QtCore, QtGui = self.qt.QtCore, self.qt.QtGui
        handle = self.handles[which]
        centre = handle.rect().center()
        qtbot.mousePress(handle, left(self.qt), pos=centre)
        half = -handle.width() // 2 if which == "start" else handle.width() // 2
        QtGui.QCursor.setPos(self.bar.calcGlobalPosByValue(value) + half,
                             handle.mapToGlobal(centre).y())
        move = QtGui.QMouseEvent(QtCore.QEvent.Type.MouseMove, QtCore.QPointF(centre),
                                 QtCore.QPointF(QtGui.QCursor.pos()),
                                 QtCore.Qt.MouseButton.NoButton, left(self.qt),
                                 QtCore.Qt.KeyboardModifier.NoModifier)
        self.qt.QtWidgets.QApplication.sendEvent(handle, move)
        qtbot.mouseRelease(handle, left(self.qt), pos=centre)

    def press(self, qtbot, which, key_name):
        """Gives the handle focus as from the keyboard and presses the key on it."""
        self.widget.activateWindow()
        qtbot.waitActive(self.widget)
        handle = self.handles[which]
        handle.setFocus(self.qt.QtCore.Qt.FocusReason.TabFocusReason)
        qtbot.keyClick(handle, getattr(self.qt.QtCore.Qt.Key, key_name))


def drag_to(value):
    return lambda trim, qtbot, which: trim.drag(qtbot, which, value)


def press(key_name):
    return lambda trim, qtbot, which: trim.press(qtbot, which, key_name)


# Each handle moves its own trim point only, never closer to the other than the minimum
# length, and reports where it ended up: a drag that would pass that limit is dropped,
# keys stop at it.
@pytest.mark.parametrize(
    "which, gesture, expected",
    [
        pytest.param("start", drag_to(30), 30, id="start dragged within"),
        pytest.param("start", drag_to(49), 10, id="start dragged onto the end"),
        pytest.param("end", drag_to(70), 70, id="end dragged within"),
        pytest.param("end", drag_to(12), 50, id="end dragged onto the start"),
        pytest.param("start", press("Key_End"), 45, id="start keyed to the end"),
        pytest.param("end", press("Key_Home"), 15, id="end keyed to the start"),
    ],
)
def test_trim_handles_keep_the_minimum_length(cc, qt, qtbot, shown, which, gesture, expected):
    trim = Trim(cc, qt, shown)
    other = "end" if which == "start" else "start"
    kept = trim.point(other)
    signal = getattr(trim.widget, f"trim{which.capitalize()}Changed")
    with qtbot.waitSignal(signal, timeout=1000) as reported:
        gesture(trim, qtbot, which)
    assert reported.args == [trim.point(which)]
    assert trim.point(which) == expected
    assert trim.point(other) == kept
    assert trim.widget.trimLength() >= 5


# Up and Down add a whole unit of the section under the cursor to the time as a whole,
# so that minutes carry into hours.
@pytest.mark.parametrize(
    "section, key, seconds",
    [
        pytest.param("HourSection", "Key_Up", 3600, id="hour up"),
        pytest.param("MinuteSection", "Key_Up", 60, id="minute up carries"),
        pytest.param("SecondSection", "Key_Up", 1, id="second up"),
        pytest.param("MinuteSection", "Key_Down", -60, id="minute down"),
        pytest.param("SecondSection", "Key_Down", -1, id="second down"),
    ],
)
def test_time_editor_steps_by_the_unit_under_the_cursor(cc, qt, qtbot, shown, section, key,
                                                         seconds):
    QtCore = qt.QtCore
    editor = cc.UxAutoTimeEidt()
    editor.setDisplayFormat("HH:mm:ss")
    start = QtCore.QTime(10, 59, 30)
    editor.setTime(start)
    shown(editor, 160, 30)
    editor.setFocus()
    editor.setCurrentSection(getattr(qt.QtWidgets.QDateTimeEdit.Section, section))
    qtbot.keyClick(editor, getattr(QtCore.Qt.Key, key))
    assert editor.time() == start.addSecs(seconds)


def solid(qt, width, height, color):
    image = qt.QtGui.QImage(width, height, qt.QtGui.QImage.Format.Format_RGB32)
    image.fill(qt.QtGui.QColor(color))
    return image


def yuv_frame(cc, qt, width, height, y, u, v):
    """A YUV 4:2:0 frame of one colour, its planes Python bytes."""
    frame = cc.UxVideoFrame(cc.UxVideoFrame.PixelFormat.Format_YUV420P,
                            qt.QtCore.QSize(width, height))
    chroma = (width + 1) // 2
    for index, (value, stride, rows) in enumerate(
            [(y, width, height), (u, chroma, (height + 1) // 2), (v, chroma, (height + 1) // 2)]):
        frame.setPlane(index, bytes([value]) * (stride * rows), stride)
    return frame


def close(a, b, tolerance=3):
    return all(abs(p - q) <= tolerance for p, q in zip(a.getRgb()[:3], b.getRgb()[:3]))


def feed_image(cc, qt, viewer):
    """Gives the viewer a QImage; returns the picture it should show."""
    picture = solid(qt, 64, 48, "#c03020")
    viewer.onUpdateVideo(picture)
    return picture


def feed_yuv_frame(cc, qt, viewer):
    """Gives the viewer a YUV frame, which it copies; returns the frame's own RGB."""
    frame = yuv_frame(cc, qt, 64, 48, 81, 90, 240)
    assert frame.isValid()
    viewer.onUpdateVideoFrame(frame)
    return frame.toImage()


# A 4:3 picture in a 16:9 viewer shows letter-boxed: the picture's colour at the centre,
# the padding colour at the left edge.
@pytest.mark.parametrize("feed", [feed_image, feed_yuv_frame], ids=["QImage", "UxVideoFrame"])
def test_viewer_paints_the_frame_it_takes(cc, qt, qtbot, shown, feed):
    viewer = shown(cc.UxVideoViewer(), 320, 180)
    viewer.setInputVideo(qt.QtCore.QSize(64, 48), False, False, False)
    padding = qt.QtGui.QColor("#203040")
    viewer.setPaddingColor(padding)
    expected = feed(cc, qt, viewer).pixelColor(32, 24)
    image = viewer.grab().toImage()
    video = viewer.videoRect()
    assert close(image.pixelColor(video.center()), expected)
    assert close(image.pixelColor(1, viewer.height() // 2), padding)
    assert video.left() > 1 and video.width() * 3 == pytest.approx(video.height() * 4, abs=4)


def key(name):
    return lambda qtbot, qt, widget: qtbot.keyClick(widget, getattr(qt.QtCore.Qt.Key, name))


def click(qtbot, qt, widget):
    qtbot.mouseClick(widget, left(qt), pos=widget.rect().center())


def double_click(qtbot, qt, widget):
    qtbot.mouseDClick(widget, left(qt), pos=widget.rect().center())


def leave(qtbot, qt, widget):
    qt.QtWidgets.QApplication.sendEvent(widget, qt.QtCore.QEvent(qt.QtCore.QEvent.Type.Leave))


def enter_and_click_button(qtbot, qt, widget):
    centre = qt.QtCore.QPointF(widget.rect().center())
    qt.QtWidgets.QApplication.sendEvent(widget, qt.QtGui.QEnterEvent(centre, centre, centre))
    button = widget.findChild(qt.QtWidgets.QToolButton, "btnOnLineEdit")
    assert button.isVisible()  # shown while the pointer is over the field
    click(qtbot, qt, button)


def with_rows(cc, qt, widget):
    widget.setModel(qt.QtCore.QStringListModel(["one", "two", "three"], widget))
    widget.setCurrentIndex(widget.model().index(1, 0))


def with_chapters(cc, qt, widget):
    widget.setOrientation(qt.QtCore.Qt.Orientation.Horizontal)
    widget.setRange(0, 1000)
    widget.setChapters([0, 300, 700], ["opening", "middle", "end"])


def with_crop(cc, qt, widget):
    QtCore = qt.QtCore
    widget.setInputVideo(QtCore.QSize(640, 360), False, False, False)
    widget.setLogicVideo(QtCore.QSize(640, 360), 1, 1, QtCore.QRect(100, 50, 200, 100),
                         QtCore.QSize(16, 16))


def crop_moved_one_screen_pixel(widget):
    """with_crop's rectangle one screen pixel to the right, in logic pixels."""
    rect = widget.focusRect()
    step = 640 // widget.videoRect().width()
    return type(rect)(100 + step, 50, 200, 100)  # a QRect of the PyQt in use


# Real events turn into each widget's own signals; where a signal carries a value, the
# expected one comes from the widget's documented rule or its own getter afterwards.
@pytest.mark.parametrize(
    "cls_name, prepare, gesture, signal, expected",
    [
        pytest.param("UxVideoViewer", None, key("Key_Up"), "volumChange", lambda w: [10],
                     id="viewer Up is volume +10"),
        pytest.param("UxVideoViewer", None, key("Key_Down"), "volumChange", lambda w: [-10],
                     id="viewer Down is volume -10"),
        pytest.param("UxVideoViewer", None, key("Key_Space"), "actPlayOrPause", lambda w: [],
                     id="viewer Space plays"),
        pytest.param("UxVideoViewer", None, click, "actPlayOrPause", lambda w: [],
                     id="viewer click plays"),
        pytest.param("UxVideoViewer", None, double_click, "changeScreen", lambda w: [],
                     id="viewer double click"),
        pytest.param("UxAutoScrollListView", with_rows, key("Key_Left"), "cursorMoveLeft",
                     lambda w: [], id="list Left"),
        pytest.param("UxAutoScrollListView", with_rows, key("Key_Right"), "cursorMoveRight",
                     lambda w: [], id="list Right"),
        pytest.param("UxDelegateComboBox", None, leave, "hideCombox", lambda w: [],
                     id="combo left by the pointer"),
        pytest.param("UxLineEditWithToolbutton", None, enter_and_click_button,
                     "toolbuttonClicked", lambda w: [], id="line edit button"),
        pytest.param("UxPlaySeekingBar", with_chapters, key("Key_PageUp"), "valueChanged",
                     lambda w: [w.chapters()[1]], id="seek Page Up to the next chapter"),
        pytest.param("UxVideoOperationViewer", with_crop, key("Key_Right"), "focusRectChanged",
                     lambda w: [crop_moved_one_screen_pixel(w)], id="crop moved by a key"),
    ],
)
def test_events_become_signals(cc, qt, qtbot, shown, cls_name, prepare, gesture, signal,
                               expected):
    widget = getattr(cc, cls_name)()
    if prepare:
        prepare(cc, qt, widget)
    shown(widget, 320, 180)
    widget.setFocus()
    with qtbot.waitSignal(getattr(widget, signal), timeout=1000) as caught:
        gesture(qtbot, qt, widget)
    assert caught.args == expected(widget)

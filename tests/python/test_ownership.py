"""Ownership across Python and C++: Qt's parent rules decide who deletes what, so nothing
is freed twice, nothing Python still holds is freed, and gc.collect() is safe."""

import gc
import sys

import pytest

WIDGETS = [
    "CustomRadioButton", "UxAutoScrollListView", "UxAutoTimeEidt", "UxCheckBox",
    "UxCircleProgressBar", "UxComboBox", "UxDelegateComboBox", "UxLineEditWithToolbutton",
    "UxPlaySeekingBar", "UxProgressBar", "UxPushButton", "UxRadioButton", "UxScrollButton",
    "UxSlider", "UxTrimSeekingBar", "UxVideoFullScreenViewer", "UxVideoOperationViewer",
    "UxVideoViewer", "uxToolButton",
]


# A widget given a parent belongs to it: deleting the parent deletes the widget, and
# the Python wrapper left behind knows it.
@pytest.mark.parametrize("cls_name", WIDGETS)
def test_widget_is_deleted_by_its_parent(cc, qt, qtbot, cls_name):
    parent = qt.QtWidgets.QWidget()
    child = getattr(cc, cls_name)(parent)
    assert child.parent() is parent
    with qtbot.waitSignal(child.destroyed, timeout=1000):
        del parent
        gc.collect()
    assert qt.sip.isdeleted(child)
    del child
    gc.collect()


# A widget without a parent belongs to Python and goes with its last reference.
@pytest.mark.parametrize("cls_name", WIDGETS)
def test_widget_without_parent_goes_with_python(cc, qt, qtbot, cls_name):
    widget = getattr(cc, cls_name)()
    assert qt.sip.ispyowned(widget)
    with qtbot.waitSignal(widget.destroyed, timeout=1000):
        del widget
        gc.collect()


def paint_row(qt, delegate, text):
    """Paints one row of a model through the delegate onto a fresh image."""
    model = qt.QtGui.QStandardItemModel()
    model.appendRow(qt.QtGui.QStandardItem(text))
    image = qt.QtGui.QImage(200, 20, qt.QtGui.QImage.Format.Format_ARGB32)
    image.fill(0)
    option = qt.QtWidgets.QStyleOptionViewItem()
    option.rect = image.rect()
    painter = qt.QtGui.QPainter(image)
    delegate.paint(painter, option, model.index(0, 0))
    painter.end()
    return image


# The row delegate is its combo box's child but never owns it: with the combo box it goes
# too; taken out of it, it outlives the combo box and still paints and sizes rows.
@pytest.mark.parametrize("detached", [False, True], ids=["child", "detached"])
def test_row_delegate_and_its_combo_box(cc, qt, qtbot, detached):
    combo = cc.UxDelegateComboBox()
    combo.addItems(["first", "second"])
    delegate = cc.UxComboboxViewItemDelegate(combo)
    combo.setItemDelegate(delegate)
    assert delegate.parent() is combo and not qt.sip.ispyowned(delegate)
    before = paint_row(qt, delegate, "first")
    if detached:
        delegate.setParent(None)
        assert qt.sip.ispyowned(delegate)
    with qtbot.waitSignal(combo.destroyed, timeout=1000):
        del combo
        gc.collect()
    assert qt.sip.isdeleted(delegate) != detached
    if detached:
        after = paint_row(qt, delegate, "first")
        assert after.size() == before.size()
        option, invalid = qt.QtWidgets.QStyleOptionViewItem(), qt.QtCore.QModelIndex()
        assert delegate.sizeHint(option, invalid).isEmpty()
    del delegate
    gc.collect()


# The full-screen viewer owns the control bar it holds; replacing it hands the old bar
# back to Python, which may keep it after the viewer is gone.
def test_control_bar_changes_hands(cc, qt, qtbot):
    viewer = cc.UxVideoFullScreenViewer()
    first, second = qt.QtWidgets.QWidget(), qt.QtWidgets.QWidget()
    viewer.setControlBar(first)
    assert viewer.controlBar() is first and not qt.sip.ispyowned(first)
    viewer.setControlBar(second)
    assert first.parent() is None and qt.sip.ispyowned(first)
    del viewer
    gc.collect()
    assert qt.sip.isdeleted(second) and not qt.sip.isdeleted(first)
    first.show()
    first.close()


# A frame's owner is any Python object, held by the frame and by a viewer that shows the
# frame without copying it, and let go when both are done.
def test_frame_owner_lives_as_long_as_its_holders(cc, qt, qtbot):
    width, height = 32, 16
    planes = [bytearray([81]) * (width * height), bytearray([90]) * (width * height // 4),
              bytearray([240]) * (width * height // 4)]
    owner = object()
    base = sys.getrefcount(owner)
    frame = cc.UxVideoFrame(cc.UxVideoFrame.PixelFormat.Format_YUV420P,
                            qt.QtCore.QSize(width, height))
    for index, plane in enumerate(planes):
        frame.setPlane(index, plane, width if index == 0 else width // 2)
    frame.setOwner(owner)
    assert frame.owner() is owner
    held = sys.getrefcount(owner) - base
    assert held == 1
    viewer = cc.UxVideoViewer()
    viewer.onUpdateVideoFrame(frame)
    del frame
    gc.collect()
    held = sys.getrefcount(owner) - base
    assert held == 1  # the viewer holds it now
    viewer.clearVideo()
    held = sys.getrefcount(owner) - base
    assert held == 0
    del viewer
    gc.collect()

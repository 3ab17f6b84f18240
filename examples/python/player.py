#!/usr/bin/python3
"""A small video player written in Python with the CommonCtrls widgets.

Video comes from PyAV (Debian python3-av, which decodes with FFmpeg): each decoded
picture goes to the viewer as a UxVideoFrame whose planes are the decoder's own buffers,
kept alive by the frame itself, so nothing is copied or converted in Python. The seek bar
moves through the clip, the trim bar below it marks the part that plays (playback loops
over it), and a double click on the picture, or the Full screen button, shows the clip in
the full-screen viewer with a control bar that appears at the bottom edge.

    PYTHONPATH=build/python examples/python/player.py clip.mkv
    PYTHONPATH=build-qt6/python examples/python/player.py clip.mkv      (PyQt6)

--frames N shows N frames and stops; with --quit the player then exits, with status 0
when all N were shown (used by the tests on the offscreen platform).
"""

import argparse
import fractions
import importlib
import os
import sys

import av


def load_bindings():
    """The module of the widgets and the PyQt it was built for: the one named in
    COMMONCTRLS_PYTHON_MODULE, else the PyQt5 one, else the PyQt6 one."""
    wanted = os.environ.get("COMMONCTRLS_PYTHON_MODULE")
    for name in [wanted] if wanted else ["CommonCtrls", "CommonCtrls6"]:
        try:
            widgets = importlib.import_module(name)
        except ImportError:
            continue
        pyqt = "PyQt6" if name.endswith("6") else "PyQt5"
        qt = [importlib.import_module(f"{pyqt}.{part}") for part in ("QtCore", "QtWidgets")]
        return (widgets, *qt)
    sys.exit("player: no CommonCtrls module found; set PYTHONPATH to <build>/python")


CC, QtCore, QtWidgets = load_bindings()
Qt = QtCore.Qt


class Clip:
    """The first video stream of a file, decoded in order, with seeking by milliseconds."""

    def __init__(self, path):
        self.container = av.open(path)
        self.stream = self.container.streams.video[0]
        self.stream.thread_type = "AUTO"
        self.rate = self.stream.average_rate or fractions.Fraction(25)
        if self.stream.duration:
            seconds = float(self.stream.duration * self.stream.time_base)
        else:
            seconds = (self.container.duration or 0) / av.time_base
        self.duration_ms = max(int(seconds * 1000), 1)
        context = self.stream.codec_context
        self.size = QtCore.QSize(context.width, context.height)
        self.sample_aspect = context.sample_aspect_ratio or fractions.Fraction(1)
        self._frames = self.container.decode(self.stream)

    def next_frame(self):
        """The next picture, or None at the end of the stream."""
        return next(self._frames, None)

    def seek(self, ms):
        """Goes to the key frame before ms and decodes up to the picture shown at ms."""
        self.container.seek(int(ms / 1000 / self.stream.time_base), stream=self.stream)
        self._frames = self.container.decode(self.stream)
        frame = self.next_frame()
        frame_ms = 1000 / self.rate
        while frame is not None and frame.time is not None and frame.time * 1000 + frame_ms <= ms:
            frame = self.next_frame()
        return frame


def to_video_frame(picture, sample_aspect):
    """A UxVideoFrame naming the decoded picture's planes, which it keeps alive."""
    if picture.format.name not in ("yuv420p", "yuvj420p"):
        picture = picture.reformat(format="yuv420p")
    frame = CC.UxVideoFrame(CC.UxVideoFrame.PixelFormat.Format_YUV420P,
                            QtCore.QSize(picture.width, picture.height))
    for index, plane in enumerate(picture.planes):
        frame.setPlane(index, plane, plane.line_size)
    if picture.format.name == "yuvj420p":
        frame.setColorRange(CC.UxVideoFrame.ColorRange.Range_Full)
    if picture.height >= 720:
        frame.setColorMatrix(CC.UxVideoFrame.ColorMatrix.Matrix_BT709)
    frame.setSampleAspectRatio(sample_aspect.numerator, sample_aspect.denominator)
    # The viewer holds the decoded picture instead of copying its planes.
    frame.setOwner(picture)
    return frame


# The trim handles are plain tool buttons until a host skins them: here two slim bars.
SKIN = """
UxTrimSeekingBar QToolButton#btnTrimLeft, UxTrimSeekingBar QToolButton#btnTrimRight {
    border: none;
    border-radius: 3px;
    background: #2d74cc;
    min-width: 8px;
    max-width: 8px;
    min-height: 22px;
}
"""


class PlayerWindow(QtWidgets.QWidget):
    def __init__(self, clip, frame_limit=0):
        super().__init__()
        self.setStyleSheet(SKIN)
        self.clip = clip
        self.frame_limit = frame_limit
        self.frames_shown = 0
        self.position_ms = 0
        self.last_frame = None
        self.setWindowTitle("CommonCtrls player")

        self.viewer = CC.UxVideoViewer()
        self.viewer.setInputVideo(clip.size, False, False, False)
        self.seek_bar = CC.UxPlaySeekingBar()
        self.seek_bar.setOrientation(Qt.Orientation.Horizontal)
        self.seek_bar.setRange(0, clip.duration_ms)
        self.seek_bar.setUsableRange(0, clip.duration_ms)
        self.trim_bar = CC.UxTrimSeekingBar()
        self.trim_bar.setRange(0, clip.duration_ms)
        # The kept part is at least a tenth of the clip.
        self.trim_bar.setTrimStartEnd(0, clip.duration_ms, clip.duration_ms // 10)
        self.play_button = CC.UxPushButton()
        self.full_button = CC.UxPushButton()
        self.full_button.setText("Full screen")
        self.full_screen = CC.UxVideoFullScreenViewer()
        self.full_screen.setInputVideo(clip.size, False, False, False)
        self.full_screen.setControlBar(self.make_control_bar())

        buttons = QtWidgets.QHBoxLayout()
        buttons.addWidget(self.play_button)
        buttons.addStretch()
        buttons.addWidget(self.full_button)
        layout = QtWidgets.QVBoxLayout(self)
        layout.addWidget(self.viewer, 1)
        layout.addWidget(self.seek_bar)
        layout.addWidget(self.trim_bar)
        layout.addLayout(buttons)

        self.clock = QtCore.QTimer(self)
        self.clock.setInterval(max(int(1000 / self.clip.rate), 1))
        self.clock.timeout.connect(self.advance)
        # The viewers never play anything themselves: clicks and keys come as commands.
        for viewer in (self.viewer, self.full_screen):
            viewer.actPlayOrPause.connect(self.toggle_play)
            viewer.changeScreen.connect(self.toggle_full_screen)
        self.full_screen.outFullscreen.connect(self.toggle_full_screen)
        self.play_button.clicked.connect(self.toggle_play)
        self.full_button.clicked.connect(self.toggle_full_screen)
        # Only the user's moves seek; the position shown during playback does not.
        self.seek_bar.sliderMoved.connect(self.seek)
        self.seek_bar.actionTriggered.connect(lambda _: self.seek(self.seek_bar.sliderPosition()))
        self.trim_bar.trimStartChanged.connect(self.keep_in_trim)
        self.trim_bar.trimEndChanged.connect(self.keep_in_trim)
        self.keep_in_trim()
        self.set_playing(True)

    def make_control_bar(self):
        bar = QtWidgets.QWidget()
        seek = CC.UxPlaySeekingBar(bar)
        seek.setOrientation(Qt.Orientation.Horizontal)
        seek.setRange(0, self.clip.duration_ms)
        seek.setUsableRange(0, self.clip.duration_ms)
        seek.sliderMoved.connect(self.seek)
        self.seek_bar.valueChanged.connect(seek.setValue)
        leave = CC.UxPushButton(bar)
        leave.setText("Leave full screen")
        leave.clicked.connect(self.toggle_full_screen)
        row = QtWidgets.QHBoxLayout(bar)
        row.addWidget(seek, 1)
        row.addWidget(leave)
        return bar

    def set_playing(self, playing):
        if playing:
            self.clock.start()
        else:
            self.clock.stop()
        self.play_button.setText("Pause" if playing else "Play")

    def toggle_play(self):
        self.set_playing(not self.clock.isActive())

    def toggle_full_screen(self):
        if self.full_screen.isVisible():
            self.full_screen.hide()
        else:
            self.full_screen.showFullScreen()

    def keep_in_trim(self):
        """The seek bar accepts clicks in the kept part only; the position stays in it."""
        start, end = self.trim_bar.trimStart(), self.trim_bar.trimEnd()
        self.seek_bar.setUsableRange(start, end)
        if not start <= self.position_ms < end:
            self.seek(start)

    def seek(self, ms):
        self.show_picture(self.clip.seek(ms))

    def advance(self):
        picture = self.clip.next_frame()
        if picture is None or self.time_of(picture) >= self.trim_bar.trimEnd():
            picture = self.clip.seek(self.trim_bar.trimStart())  # loop over the kept part
        self.show_picture(picture)

    def time_of(self, picture):
        return int((picture.time or 0) * 1000)

    def show_picture(self, picture):
        if picture is None:
            return
        frame = to_video_frame(picture, self.clip.sample_aspect)
        self.viewer.onUpdateVideoFrame(frame)
        if self.full_screen.isVisible():
            self.full_screen.onUpdateVideoFrame(frame)
        self.last_frame = frame
        self.position_ms = self.time_of(picture)
        self.seek_bar.setValue(self.position_ms)
        self.trim_bar.setValue(self.position_ms)
        self.frames_shown += 1
        if self.frame_limit and self.frames_shown >= self.frame_limit:
            self.set_playing(False)
            self.finished()

    def finished(self):
        """Called once --frames pictures were shown; the application may quit then."""

    def report(self, frames, full_screen):
        """A line on what was shown, and whether it is what the options asked for: the
        frames, full screen when asked, and the last frame painted."""
        in_full_screen = self.full_screen.isVisible()
        painted = self.shows_last_frame()
        summary = (f"player: {self.frames_shown} frames of {self.clip.size.width()}x"
                   f"{self.clip.size.height()} shown, last at {self.position_ms} ms, full screen "
                   f"{'on' if in_full_screen else 'off'}, last frame "
                   f"{'painted' if painted else 'NOT painted'}")
        return summary, self.frames_shown >= frames and painted and in_full_screen == full_screen

    def shows_last_frame(self):
        """Whether the viewer's centre shows the last frame's centre, as the frame itself
        converts it to RGB."""
        if self.last_frame is None:
            return False
        expected = self.last_frame.toImage()
        expected = expected.pixelColor(expected.width() // 2, expected.height() // 2)
        shown = self.viewer.grab().toImage().pixelColor(self.viewer.videoRect().center())
        return all(abs(a - b) <= 8 for a, b in zip(expected.getRgb()[:3], shown.getRgb()[:3]))


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("clip", help="a video file PyAV can decode")
    parser.add_argument("--frames", type=int, default=0, help="stop after N frames")
    parser.add_argument("--quit", action="store_true", help="exit after --frames frames")
    parser.add_argument("--seek", type=int, default=0, help="start at this many milliseconds")
    parser.add_argument("--full-screen", action="store_true", help="start in full screen")
    args = parser.parse_args(argv[1:])

    app = QtWidgets.QApplication(argv[:1])
    window = PlayerWindow(Clip(args.clip), args.frames)
    window.resize(640, 480)
    window.show()
    if args.seek:
        window.seek(args.seek)
    if args.full_screen:
        window.toggle_full_screen()
    outcome = []
    if args.quit:
        # Judged before quitting: Qt 6 closes the windows when the application quits.
        def finish():
            outcome.append(window.report(args.frames, args.full_screen))
            app.quit()

        window.finished = finish
    app.exec()
    if outcome:
        summary, passed = outcome[0]
        print(summary)
        return 0 if passed else 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

// commonctrls-gallery: the library's widgets as a host application uses them.
//
//   commonctrls-gallery [--page NAME] [--zoom Z] [--theme T] [--open VIDEO] [--stats]
//                       [--window-size WxH]
//   commonctrls-gallery --screenshot FILE.png [--page NAME] [--zoom Z] [--theme T]
//                       [--open VIDEO --wait MS] [--stats] [--window-size WxH] [--hover F]
//                       [--video-zoom V]
//   commonctrls-gallery --list-pages
//   commonctrls-gallery --write-clip FILE.mkv
//
// Z is a percentage (150) or a factor (1.5). T is gallery (the default), dark or light: an
// application-wide theme laid over the gallery's sheet. With --screenshot the window is
// rendered into FILE.png and the program exits; without a display it renders offscreen.
// --stats prints one line on exit: the pictures handed to the viewers, those dropped and
// the position, so that a script can read what happened. --hover rests the pointer at F (0 to
// 1) along the page's first seek bar, so that the screenshot shows its preview. --video-zoom
// magnifies the pictures of the page's video viewers V times (1 to 8) about their centres.

#include "GalleryClip.h"
#include "GalleryWindow.h"
#include "SyntheticClip.h"
#ifdef COMMONCTRLS_GALLERY_FFMPEG
#include "ClipWriter.h"
#endif

#include <UxPlaySeekingBar.h>
#include <UxVideoViewer.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPainter>
#include <QTextStream>
#include <QTimer>

namespace {

// "150", "150%" and "1.5" all mean 150 %.
double parseZoom(QString text, bool *ok)
{
    text.remove(QLatin1Char('%'));
    const double value = text.trimmed().toDouble(ok);
    return value > 4.0 ? value / 100.0 : value;
}

// Screenshots, the page list and clip writing need no display; they render offscreen without one.
bool needsNoDisplay(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--screenshot") == 0 || qstrcmp(argv[i], "--list-pages") == 0 ||
            qstrcmp(argv[i], "--write-clip") == 0)
            return true;
    }
    return false;
}

// Three seconds of the test pattern at 640 x 360 as a real file, for trying --open.
int writeSyntheticClip(const QString &path, QTextStream &err)
{
#ifdef COMMONCTRLS_GALLERY_FFMPEG
    SyntheticClip pattern;
    QImage frame;
    QObject::connect(&pattern, &ClipSource::frameShown,
                     [&frame](const QImage &shown) { frame = shown; });
    const auto frameAt = [&](int index) {
        pattern.seek(index);
        return frame.scaled(640, 360, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    ClipRecipe recipe;
    recipe.size = QSize(640, 360);
    recipe.framesPerSecond = SyntheticClip::kFramesPerSecond;
    recipe.frameCount = 3 * SyntheticClip::kFramesPerSecond;
    for (int second = 0; second < 3; ++second) { // a chapter a second, for the seek bar's marks
        recipe.chapters << second * SyntheticClip::kFramesPerSecond;
        recipe.chapterTitles << QObject::tr("Second %1").arg(second + 1);
    }
    const QString problem = writeVideoFile(path, recipe, frameAt);
    if (problem.isEmpty())
        return 0;
    err << "could not write " << path << ": " << problem << "\n";
#else
    err << "this gallery was built without FFmpeg; it cannot write " << path << "\n";
#endif
    return 1;
}

// "1280x720" as a size; an empty size for anything else.
QSize parseSize(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    bool okWidth = false, okHeight = false;
    const QSize size(parts.value(0).toInt(&okWidth), parts.value(1).toInt(&okHeight));
    return parts.size() == 2 && okWidth && okHeight && size.width() > 0 && size.height() > 0
               ? size
               : QSize();
}

void printStats(const GalleryClip &clip)
{
    QTextStream(stdout) << QStringLiteral("playback: shown %1, dropped %2, position %3 s\n")
                               .arg(clip.shownFrames())
                               .arg(clip.droppedFrames())
                               .arg(clip.position() / qMax(1.0, clip.framesPerSecond()), 0, 'f', 3);
}

// The popups on show over the window, such as a seek bar's preview.
QList<QWidget *> shownPopups(const QWidget &window)
{
    QList<QWidget *> popups;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget != &window && widget->isVisible() && widget->windowType() == Qt::ToolTip)
            popups << widget;
    }
    return popups;
}

// Moves the pointer over the first seek bar on show, at fraction of its length, and waits
// up to a few seconds for its preview to show.
void hoverSeekBar(const QWidget &window, double fraction)
{
    for (UxPlaySeekingBar *bar : window.findChildren<UxPlaySeekingBar *>()) {
        if (!bar->isVisible())
            continue;
        const QPoint at(qRound(bar->width() * qBound(0.0, fraction, 1.0)), bar->height() / 2);
        QMouseEvent move(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 3000 && shownPopups(window).isEmpty())
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        return;
    }
}

// Zooms the pictures of the video viewers on show, as a host's zoom control would.
void zoomVideo(const QWidget &window, double zoom)
{
    for (UxVideoViewer *viewer : window.findChildren<UxVideoViewer *>()) {
        if (viewer->isVisible())
            viewer->setZoom(zoom);
    }
    QApplication::processEvents();
}

// The window with the popups over it, as the screen shows them.
QPixmap grabWithPopups(QWidget &window)
{
    QPixmap shot = window.grab();
    QPainter painter(&shot);
    for (QWidget *popup : shownPopups(window))
        painter.drawPixmap(popup->mapToGlobal(QPoint()) - window.mapToGlobal(QPoint()),
                           popup->grab());
    return shot;
}

} // namespace

int main(int argc, char **argv)
{
    const bool noDisplay =
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (needsNoDisplay(argc, argv) && noDisplay && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("commonctrls-gallery"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The CommonCtrls widget gallery"));
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Render the window into FILE and exit."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption page(QStringLiteral("page"), QStringLiteral("Page to show."),
                                  QStringLiteral("NAME"));
    const QCommandLineOption zoom(QStringLiteral("zoom"),
                                  QStringLiteral("Zoom factor: 100, 125, 150, 200 (%)."),
                                  QStringLiteral("Z"));
    const QCommandLineOption theme(
        QStringLiteral("theme"),
        QStringLiteral("Lay an application-wide theme over the gallery's: gallery, dark, light."),
        QStringLiteral("T"));
    const QCommandLineOption listPages(QStringLiteral("list-pages"),
                                       QStringLiteral("Print the page names and exit."));
    const QCommandLineOption open(
        QStringLiteral("open"),
        QStringLiteral("Play this video file instead of the synthetic clip, on the Video page "
                       "unless --page names another."),
        QStringLiteral("VIDEO"));
    const QCommandLineOption wait(
        QStringLiteral("wait"),
        QStringLiteral("With --screenshot: let the clip play MS milliseconds first."),
        QStringLiteral("MS"));
    const QCommandLineOption writeClip(
        QStringLiteral("write-clip"),
        QStringLiteral("Write three seconds of the synthetic clip into FILE.mkv and exit."),
        QStringLiteral("FILE"));
    const QCommandLineOption stats(
        QStringLiteral("stats"),
        QStringLiteral("On exit, print the frames shown and dropped and the position."));
    const QCommandLineOption hover(
        QStringLiteral("hover"),
        QStringLiteral("With --screenshot: rest the pointer at F (0 to 1) along the page's first "
                       "seek bar, so that its preview shows."),
        QStringLiteral("F"));
    const QCommandLineOption videoZoom(
        QStringLiteral("video-zoom"),
        QStringLiteral("With --screenshot: magnify the page's video pictures V times (1 to 8)."),
        QStringLiteral("V"));
    const QCommandLineOption windowSize(QStringLiteral("window-size"),
                                        QStringLiteral("The window's size, as 1280x720."),
                                        QStringLiteral("WxH"));
    parser.addOptions({screenshot, page, zoom, theme, listPages, open, wait, writeClip, stats,
                       windowSize, hover, videoZoom});
    parser.process(app);

    QTextStream err(stderr);
    if (parser.isSet(writeClip))
        return writeSyntheticClip(parser.value(writeClip), err);
    GalleryWindow window;
    if (parser.isSet(listPages)) {
        QTextStream(stdout) << window.pageNames().join(QLatin1Char('\n')) << "\n";
        return 0;
    }
    if (parser.isSet(zoom)) {
        bool ok = false;
        const double factor = parseZoom(parser.value(zoom), &ok);
        if (!ok || factor <= 0) {
            err << "invalid zoom: " << parser.value(zoom) << "\n";
            return 2;
        }
        window.setZoom(factor);
    }
    if (parser.isSet(theme) && !window.setTheme(parser.value(theme))) {
        err << "no theme " << parser.value(theme) << "; themes: gallery, dark, light\n";
        return 2;
    }
    // A file opened from the command line is shown playing, unless another page is asked for.
    const QString shownPage = parser.isSet(page)   ? parser.value(page)
                              : parser.isSet(open) ? QStringLiteral("Video")
                                                   : QString();
    if (!shownPage.isEmpty() && !window.showPage(shownPage)) {
        err << "no page " << parser.value(page)
            << "; pages: " << window.pageNames().join(QStringLiteral(", ")) << "\n";
        return 2;
    }
    const QSize size = parser.isSet(windowSize) ? parseSize(parser.value(windowSize))
                                                : window.sizeHint().expandedTo(QSize(1000, 680));
    if (size.isEmpty()) {
        err << "invalid window size: " << parser.value(windowSize) << "; give it as 1280x720\n";
        return 2;
    }
    if (parser.isSet(open))
        window.openFile(parser.value(open));
    window.resize(size);
    window.show();
    if (!parser.isSet(screenshot)) {
        const int result = app.exec();
        if (parser.isSet(stats))
            printStats(*window.clip());
        return result;
    }

    // A file opens on the decoder's thread; its first frames arrive through the event loop.
    QEventLoop settle;
    QTimer::singleShot(parser.isSet(open) ? qMax(200, parser.value(wait).toInt()) : 0, &settle,
                       &QEventLoop::quit);
    settle.exec();
    QApplication::processEvents();
    if (parser.isSet(videoZoom))
        zoomVideo(window, parser.value(videoZoom).toDouble());
    if (parser.isSet(hover))
        hoverSeekBar(window, parser.value(hover).toDouble());
    if (parser.isSet(stats))
        printStats(*window.clip());
    const QString file = parser.value(screenshot);
    if (!grabWithPopups(window).save(file, "PNG")) {
        err << "could not write " << file << "\n";
        return 1;
    }
    return 0;
}

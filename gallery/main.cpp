// commonctrls-gallery: the library's widgets as a host application uses them.
//
//   commonctrls-gallery [--page NAME] [--zoom Z]
//   commonctrls-gallery --screenshot FILE.png [--page NAME] [--zoom Z]
//   commonctrls-gallery --list-pages
//
// Z is a percentage (150) or a factor (1.5). With --screenshot the window is rendered
// into FILE.png and the program exits; without a display it renders offscreen.

#include "GalleryWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

namespace {

// "150", "150%" and "1.5" all mean 150 %.
double parseZoom(QString text, bool *ok)
{
    text.remove(QLatin1Char('%'));
    const double value = text.trimmed().toDouble(ok);
    return value > 4.0 ? value / 100.0 : value;
}

// Screenshots and the page list need no display; they render offscreen without one.
bool needsNoDisplay(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--screenshot") == 0 || qstrcmp(argv[i], "--list-pages") == 0)
            return true;
    }
    return false;
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
    const QCommandLineOption listPages(QStringLiteral("list-pages"),
                                       QStringLiteral("Print the page names and exit."));
    parser.addOptions({screenshot, page, zoom, listPages});
    parser.process(app);

    QTextStream err(stderr);
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
    if (parser.isSet(page) && !window.showPage(parser.value(page))) {
        err << "no page " << parser.value(page)
            << "; pages: " << window.pageNames().join(QStringLiteral(", ")) << "\n";
        return 2;
    }
    window.resize(window.sizeHint().expandedTo(QSize(1000, 680)));
    window.show();
    if (!parser.isSet(screenshot))
        return app.exec();

    QApplication::processEvents();
    const QString file = parser.value(screenshot);
    if (!window.grab().save(file, "PNG")) {
        err << "could not write " << file << "\n";
        return 1;
    }
    return 0;
}

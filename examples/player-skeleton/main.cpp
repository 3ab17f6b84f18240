// The player skeleton: a Designer form of CommonCtrls widgets, skinned by its own
// style sheet. "--quit-after MS" closes it after that many milliseconds.
#include "PlayerWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption quitAfter("quit-after", "Quit after <ms> milliseconds.", "ms");
    parser.addOption(quitAfter);
    parser.process(app);

    PlayerWindow window;
    QFile styleSheet(":/player/player.qss");
    if (styleSheet.open(QIODevice::ReadOnly))
        window.setStyleSheet(QString::fromUtf8(styleSheet.readAll()));
    window.show();
    if (parser.isSet(quitAfter))
        QTimer::singleShot(parser.value(quitAfter).toInt(), &app, &QApplication::quit);
    return app.exec();
}

#ifndef SCREENFACTOR_H
#define SCREENFACTOR_H

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

// The caption geometry of the long info form scales with the screen's logical DPI
// against 96. The test variants set that DPI through QT_FONT_DPI; this checks that the
// platform took it and returns the factor the widgets should apply.
inline double screenFactorOfThisRun()
{
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    const QByteArray requested = qgetenv("QT_FONT_DPI");
    if (!requested.isEmpty() && dpi != requested.toDouble())
        qFatal("screen DPI %f differs from QT_FONT_DPI %s", dpi, requested.constData());
    return dpi / 96.0;
}

#endif // SCREENFACTOR_H

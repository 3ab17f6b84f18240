#ifndef PROGRESSPAGE_H
#define PROGRESSPAGE_H

#include "GalleryPage.h"

#include <QTimer>

class UxCircleProgressBar;
class UxProgressBar;

// Progress indicators animating through their range: skinned bars (the text colour
// switches at the middle), a bar with fractional percentages, a plain one for
// comparison, and circle indicators at two sizes.
class ProgressPage : public GalleryPage
{
    Q_OBJECT

public:
    explicit ProgressPage(QWidget *parent = nullptr);
    void refresh() override;

private Q_SLOTS:
    void step();

private:
    void show(int tick);

    QTimer m_timer;
    int m_tick = 0;
    QList<UxProgressBar *> m_bars; // skinned, then plain
    UxProgressBar *m_fractional;
    QList<UxCircleProgressBar *> m_circles;
};

#endif // PROGRESSPAGE_H

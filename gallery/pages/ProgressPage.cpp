#include "ProgressPage.h"

#include <CommonCtrls.h>
#include <UxCircleProgressBar.h>
#include <UxProgressBar.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

const int kTicks = 400;                // one sweep through the range
const int kFirstTick = 150;            // where a screenshot finds the page
const int kRingArtwork[] = {320, 200}; // the two rings' artwork sizes

} // namespace

ProgressPage::ProgressPage(QWidget *parent)
    : GalleryPage(tr("Progress"), parent)
    , m_fractional(new UxProgressBar(this))
{
    QVBoxLayout *page = new QVBoxLayout(this);
    page->addWidget(makeLabel(tr("Progress indicators"), "title", this));
    page->addWidget(makeLabel(tr("Skinned bars are drawn from two nine-sliced skins, their text "
                                 "light blue up to half and white beyond. The circle reveals its "
                                 "ring clockwise from twelve o'clock."),
                              "note", this));

    QGridLayout *bars = new QGridLayout;
    const QStringList names = {tr("Skinned"), tr("Skinned, from 20 to 80"), tr("Plain")};
    for (int i = 0; i < names.size(); ++i) {
        UxProgressBar *bar = new UxProgressBar(this);
        bar->setProperty("skin", i < 2 ? "on" : "off");
        if (i == 1)
            bar->setRange(20, 80);
        m_bars.append(bar);
        bars->addWidget(makeLabel(names[i], "note", this), i, 0);
        bars->addWidget(bar, i, 1);
    }
    m_fractional->setProperty("skin", "on");
    bars->addWidget(makeLabel(tr("setDoubleValue, two decimals"), "note", this), 3, 0);
    bars->addWidget(m_fractional, 3, 1);
    bars->setColumnStretch(1, 1);
    page->addLayout(bars);

    QHBoxLayout *circles = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        UxCircleProgressBar *circle = new UxCircleProgressBar(this);
        circle->setCircleProgressFontSize(i == 0 ? 16 : 10);
        circle->setProperty("ring", i == 0 ? "large" : "small");
        m_circles.append(circle);
        circles->addWidget(circle);
    }
    circles->addStretch();
    page->addLayout(circles);
    page->addStretch(1);

    show(kFirstTick);
    m_timer.setInterval(40);
    connect(&m_timer, SIGNAL(timeout()), this, SLOT(step()));
    m_timer.start();
}

// The ring's size takes the zoom rule twice: once when loaded, once when placed.
void ProgressPage::refresh()
{
    for (int i = 0; i < m_circles.size(); ++i) {
        const QSize art(kRingArtwork[i], kRingArtwork[i]);
        m_circles[i]->setFixedSize(CommonCtrls::SizeAdujstDpi(CommonCtrls::SizeAdujstDpi(art)));
    }
    show(m_tick);
}

void ProgressPage::step()
{
    show((m_tick + 1) % kTicks);
}

void ProgressPage::show(int tick)
{
    m_tick = tick;
    for (UxProgressBar *bar : m_bars)
        bar->setValue(bar->minimum() + (bar->maximum() - bar->minimum()) * tick / kTicks);
    m_fractional->setDoubleValue(tick * 10000 / kTicks, 2);
    for (UxCircleProgressBar *circle : m_circles)
        circle->setValue(tick * 100 / kTicks);
}

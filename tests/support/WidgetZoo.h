#pragma once

// One of every exported widget of the library, skinned from a style sheet with artwork
// drawn into a temporary folder. The soak and the event storm exercise the same set.

#include <CustomRadioButton.h>
#include <UxAutoScrollListView.h>
#include <UxAutoTimeEidt.h>
#include <UxCheckBox.h>
#include <UxCircleProgressBar.h>
#include <UxComboBox.h>
#include <UxComboboxViewItemDelegate.h>
#include <UxDelegateComboBox.h>
#include <UxLineEditWithToolbutton.h>
#include <UxPlaySeekingBar.h>
#include <UxProgressBar.h>
#include <UxPushButton.h>
#include <UxRadioButton.h>
#include <UxScrollButton.h>
#include <UxSlider.h>
#include <UxTrimSeekingBar.h>
#include <UxVideoFullScreenViewer.h>
#include <UxVideoOperationViewer.h>
#include <UxVideoViewer.h>
#include <uxToolButton.h>

#include "support/TestArtwork.h"

#include <QLabel>
#include <QStringListModel>
#include <QVBoxLayout>

class WidgetZoo
{
public:
    WidgetZoo()
    {
        drawArtwork("disabled.png", QSize(48, 24), QColor(120, 120, 140));
        drawArtwork("track.png", QSize(40, 16), QColor(40, 40, 60));
        drawArtwork("fill.png", QSize(40, 16), QColor(60, 140, 220));
        drawArtwork("ring.png", QSize(96, 96), QColor(80, 80, 80));
        drawArtwork("ring_lit.png", QSize(96, 96), QColor(30, 200, 90));
        drawArtwork("trim.png", QSize(24, 12), QColor(250, 200, 0));
        drawArtwork("arrow.png", QSize(12, 12), QColor(0, 0, 0));
        drawArtwork("arrow_off.png", QSize(12, 12), QColor(160, 160, 160));
        drawArtwork("check.png", QSize(16, 16), QColor(0, 120, 0));
        drawArtwork("check_hover.png", QSize(16, 16), QColor(0, 200, 0));
        drawArtwork("padding.png", QSize(8, 8), QColor(20, 20, 20));
    }

    QString path(const char *name) const { return m_art.path(QString::fromLatin1(name)); }

    QString styleSheet() const
    {
        return QStringLiteral(
                   "UxPushButton, UxComboBox { qproperty-disableImage: \"%1\";"
                   " qproperty-disableTextInfo: \"2,4,2,4,0,20,150,156,166\"; }"
                   "UxCheckBox, UxRadioButton, uxToolButton { qproperty-disableImage: \"%1\";"
                   " qproperty-disableTextInfo: \"0,2,18,2,90,90,90,200\"; }"
                   "UxScrollButton { qproperty-arrowImage: \"%2\";"
                   " qproperty-arrowDisableImage: \"%3\"; }"
                   "UxProgressBar { qproperty-progressPixmap: \"%4,%5\";"
                   " qproperty-progressMargin: \"4,4,4,4\";"
                   " qproperty-textColor: \"#9cc8ff*#ffffff\"; }"
                   "UxCircleProgressBar { qproperty-circleProgressBgImage: \"%6\";"
                   " qproperty-circleProgressImage: \"%7\";"
                   " qproperty-circleProgressTextColor: #336699;"
                   " qproperty-circleProgressFontSize: 12; }"
                   "UxPlaySeekingBar { qproperty-trimRangeImage: \"%8\";"
                   " qproperty-trimRangeMargin: \"2,2,2,2\";"
                   " qproperty-grooveOutterSpace: \"6,6\"; }"
                   "UxVideoViewer { qproperty-clrMargin: #101010; qproperty-clrPadding: #202020; }"
                   "UxVideoOperationViewer { qproperty-paddingBrush: \"%9\"; }")
            .arg(path("disabled.png"), path("arrow.png"), path("arrow_off.png"), path("track.png"),
                 path("fill.png"), path("ring.png"), path("ring_lit.png"), path("trim.png"),
                 path("padding.png"));
    }

    // Creates one of each exported widget in a column of parent (the full-screen viewer is
    // a window of its own, owned by parent) and returns them.
    QList<QWidget *> populate(QWidget *parent) const
    {
        auto *column = new QVBoxLayout(parent);
        QList<QWidget *> all;
        const auto add = [&](QWidget *widget) {
            widget->setObjectName(QString::fromLatin1(widget->metaObject()->className()));
            if (!widget->isWindow())
                column->addWidget(widget);
            all.append(widget);
        };
        add(new UxPushButton(parent));
        add(new UxCheckBox(parent));
        add(new UxRadioButton(parent));
        add(new uxToolButton(parent));
        auto *combo = new UxComboBox(parent);
        combo->addItems({"720p", "1080p", "2160p"});
        add(combo);
        add(new UxScrollButton(parent));
        add(new CustomRadioButton(parent));
        auto *bar = new UxProgressBar(parent);
        bar->setRange(0, 1000);
        add(bar);
        add(new UxCircleProgressBar(parent));
        add(new UxSlider(parent));
        auto *seek = new UxPlaySeekingBar(parent);
        seek->setRange(0, 10000);
        seek->setUsableRange(1000, 9000);
        add(seek);
        auto *trim = new UxTrimSeekingBar(parent);
        trim->setRange(0, 10000);
        trim->setTrimStartEnd(2000, 8000, 500);
        add(trim);
        auto *viewer = new UxVideoViewer(parent);
        viewer->setInputVideo(QSize(320, 180), false, false, false);
        add(viewer);
        auto *fullScreen = new UxVideoFullScreenViewer(parent);
        fullScreen->setInputVideo(QSize(320, 240), false, false, false);
        fullScreen->setControlBar(new QLabel(QStringLiteral("controls")));
        add(fullScreen);
        auto *crop = new UxVideoOperationViewer(parent);
        crop->setInputVideo(QSize(640, 360), true, false, false);
        crop->setLogicVideo(QSize(1280, 720), 16, 9, QRect(100, 100, 640, 360), QSize(32, 18));
        add(crop);
        auto *list = new UxAutoScrollListView(parent);
        auto *clips = new QStringListModel(list);
        QStringList names;
        for (int i = 0; i < 40; ++i)
            names << QStringLiteral("clip %1").arg(i);
        clips->setStringList(names);
        list->setModel(clips);
        list->setScrollButtonVisual(true);
        add(list);
        auto *quality = new UxDelegateComboBox(parent);
        auto *rows = new UxComboboxViewItemDelegate(quality);
        rows->setCheckImage(path("check.png") + "*" + path("check_hover.png"));
        quality->setItemDelegate(rows);
        quality->addItems({"low", "medium", "high"});
        add(quality);
        add(new UxLineEditWithToolbutton(parent));
        auto *time = new UxAutoTimeEidt(parent);
        time->setDisplayFormat(QStringLiteral("hh:mm:ss"));
        time->setTimeRange(QTime(1, 0), QTime(2, 30));
        add(time);
        parent->setStyleSheet(styleSheet());
        return all;
    }

private:
    void drawArtwork(const char *name, const QSize &size, const QColor &color)
    {
        m_art.save(QString::fromLatin1(name), TestArtwork::framed(size, color));
    }

    ArtworkFolder m_art;
};

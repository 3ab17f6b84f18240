#include <UxPlaySeekingBar.h>
#include <UxTrimSeekingBar.h>
#include <UxVideoFullScreenViewer.h>

#include "support/SendInput.h"
#include "support/ShownTrimBar.h"
#include "support/TestArtwork.h"

#include <QHBoxLayout>
#include <QScreen>
#include <QStyleFactory>
#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>

namespace {

QPoint along(const UxPlaySeekingBar &bar, int pixel)
{
    return bar.orientation() == Qt::Horizontal ? QPoint(pixel, 12) : QPoint(12, pixel);
}

void moveOver(QWidget &widget, const QPoint &pos, Qt::MouseButton held = Qt::NoButton)
{
    sendMouse(widget, QEvent::MouseMove, pos, held);
}

// What a bar (or trim bar) previews, as its signals tell it: the value, -1 while none.
struct PreviewWatch
{
    int value = -1;
    int requests = 0;
    int ends = 0;
    template <class Bar>
    explicit PreviewWatch(Bar *bar)
    {
        QObject::connect(bar, &Bar::previewRequested, [this](int v) {
            value = v;
            ++requests;
        });
        QObject::connect(bar, &Bar::previewEnded, [this] {
            value = -1;
            ++ends;
        });
    }
};

QWidget *popupOf(const QWidget *owner)
{
    return owner->findChild<QWidget *>(QStringLiteral("seekPreview"));
}

bool popupShown(const QWidget *owner)
{
    return popupOf(owner) && popupOf(owner)->isVisible();
}

// Where a window stands on the screen, as a host may place it; or the bar sits in the
// control bar of a full-screen viewer, across it or between two buttons.
enum class Place {
    TopLeftCorner,
    BottomRightCorner,
    Middle,
    WiderThanScreen,
    FullScreenAcross,
    FullScreenBetweenButtons
};

QRect placed(Place place, const QRect &screen)
{
    const QSize size(300, 40);
    switch (place) {
    case Place::TopLeftCorner:
        return QRect(screen.topLeft(), size);
    case Place::BottomRightCorner:
        return QRect(screen.bottomRight() - QPoint(size.width() - 1, size.height() - 1), size);
    case Place::WiderThanScreen:
        return QRect(screen.left() - 50, screen.center().y(), screen.width() + 100, size.height());
    default:
        return QRect(screen.center() - QPoint(size.width() / 2, 0), size);
    }
}

void showAndWait(QWidget *window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qFatal("bar not shown");
}

// A horizontal bar over 0..100, all usable, previewing, along the top of a shown window or
// in a full-screen viewer's control bar.
struct Shown
{
    std::unique_ptr<QWidget> window;
    UxPlaySeekingBar *bar = nullptr;
    explicit Shown(Place place = Place::Middle)
    {
        const QRect geometry = placed(place, QGuiApplication::primaryScreen()->geometry());
        QWidget *host = new QWidget;
        bar = new UxPlaySeekingBar(host);
        bar->setOrientation(Qt::Horizontal);
        bar->setRange(0, 100);
        bar->setUsableRange(0, 100);
        bar->setPreviewEnabled(true);
        if (place != Place::FullScreenAcross && place != Place::FullScreenBetweenButtons) {
            window.reset(host);
            window->setGeometry(geometry);
            bar->setGeometry(0, 0, geometry.width(), 24);
            showAndWait(host);
            return;
        }
        auto *layout = new QHBoxLayout(host);
        if (place == Place::FullScreenBetweenButtons)
            layout->addWidget(new QToolButton);
        layout->addWidget(bar);
        if (place == Place::FullScreenBetweenButtons)
            layout->addWidget(new QToolButton);
        auto *viewer = new UxVideoFullScreenViewer;
        window.reset(viewer);
        viewer->setControlBar(host);
        viewer->showFullScreen();
        showAndWait(viewer);
        viewer->showControlBar();
        if (!QTest::qWaitForWindowExposed(host))
            qFatal("control bar not shown");
    }
};

QPixmap picture(const QSize &pixels, qreal ratio)
{
    QPixmap pixmap = QPixmap::fromImage(TestArtwork::gradient(pixels));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

using Ending = std::function<void(Shown &)>;

} // namespace

Q_DECLARE_METATYPE(Place)
Q_DECLARE_METATYPE(Ending)

class TestSeekBarPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        qApp->setStyleSheet("QSlider::groove:horizontal { margin: 0px; height: 8px; }"
                            "QSlider::groove:vertical { margin: 0px; width: 8px; }");
    }

    // Hovering each pixel along a 200-pixel bar, and beyond its ends, previews the value a
    // click there jumps to, and nothing where a click is refused; both ends of the range
    // are previewed unless clicks there are refused.
    void hoverPreviewsTheClickValue_data()
    {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<QString>("outer");
        QTest::addColumn<int>("usableMin");
        QTest::addColumn<int>("usableMax");
        QTest::addColumn<bool>("outerClicks");
        QTest::addColumn<bool>("endsPreviewed");
        QTest::newRow("whole range") << false << false << "0,0" << 0 << 100 << false << true;
        QTest::newRow("outer spaces") << false << false << "10,20" << 0 << 100 << false << true;
        QTest::newRow("usable 20..80, outer clicks refused")
            << false << false << "10,20" << 20 << 80 << false << false;
        QTest::newRow("usable 80..20 given reversed")
            << false << false << "0,0" << 80 << 20 << false << false;
        QTest::newRow("usable 20..80, outer clicks allowed")
            << false << false << "10,20" << 20 << 80 << true << true;
        QTest::newRow("inverted") << false << true << "5,15" << 0 << 100 << false << true;
        QTest::newRow("vertical") << true << false << "5,15" << 10 << 90 << false << false;
    }
    void hoverPreviewsTheClickValue()
    {
        QFETCH(bool, vertical);
        QFETCH(bool, inverted);
        QFETCH(QString, outer);
        QFETCH(int, usableMin);
        QFETCH(int, usableMax);
        QFETCH(bool, outerClicks);
        QFETCH(bool, endsPreviewed);
        UxPlaySeekingBar hovered, clicked;
        for (UxPlaySeekingBar *bar : {&hovered, &clicked}) {
            bar->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
            bar->setInvertedAppearance(inverted);
            bar->setRange(0, 100);
            bar->resize(vertical ? QSize(24, 200) : QSize(200, 24));
            bar->setGrooveOutterSpace(outer);
            bar->setUsableRange(usableMin, usableMax);
            bar->setOutterTrimRangeClickable(outerClicks);
        }
        hovered.setPreviewEnabled(true);
        PreviewWatch watch(&hovered);
        QSet<int> previewed;
        for (int pixel = -5; pixel <= 205; ++pixel) {
            moveOver(hovered, along(hovered, pixel));
            const QByteArray where = QByteArray::number(pixel);
            if (watch.value >= 0) {
                previewed << watch.value;
                // From the far end, so that the press misses the handle.
                clicked.setValue(watch.value < 50 ? 100 : 0);
                QTest::mouseClick(&clicked, Qt::LeftButton, {}, along(clicked, pixel));
                QVERIFY2(clicked.value() == watch.value, where);
            } else {
                for (int start : {0, 100}) {
                    clicked.setValue(start);
                    QTest::mouseClick(&clicked, Qt::LeftButton, {}, along(clicked, pixel));
                    QVERIFY2(clicked.value() == start, where);
                }
            }
        }
        QVERIFY(!previewed.isEmpty());
        QCOMPARE(previewed.contains(0) && previewed.contains(100), endsPreviewed);
    }

    // Off, the bar neither signals nor shows a popup, whatever the host answers; switched
    // off while previewing, it ends the preview once and tracks the mouse as before.
    void nothingWhenOff_data()
    {
        QTest::addColumn<bool>("onBefore");
        QTest::addColumn<bool>("trackedBefore");
        QTest::newRow("never on") << false << false;
        QTest::newRow("switched off") << true << false;
        QTest::newRow("switched off, host tracks the mouse") << true << true;
    }
    void nothingWhenOff()
    {
        QFETCH(bool, onBefore);
        QFETCH(bool, trackedBefore);
        Shown shown;
        UxPlaySeekingBar &bar = *shown.bar;
        bar.setPreviewEnabled(false);
        bar.setMouseTracking(trackedBefore);
        PreviewWatch watch(&bar);
        if (onBefore) {
            bar.setPreviewEnabled(true);
            moveOver(bar, along(bar, 100));
            bar.showPreview(picture(QSize(40, 30), 1));
            QVERIFY(popupShown(&bar));
            bar.setPreviewEnabled(false);
            QCOMPARE(watch.ends, 1);
            QVERIFY(!popupShown(&bar));
        }
        const int requests = watch.requests;
        for (int pixel = 0; pixel < bar.width(); pixel += 7)
            moveOver(bar, along(bar, pixel));
        bar.showPreview(picture(QSize(40, 30), 1), QStringLiteral("0:01"));
        QCOMPARE(watch.requests, requests);
        QCOMPARE(watch.ends, int(onBefore));
        QVERIFY(!popupShown(&bar));
        QCOMPARE(bar.hasMouseTracking(), trackedBefore);
    }

    // Each way a preview ends hides the popup, and signals the end once where the preview
    // itself ends; an answer coming later shows nothing.
    void previewEnds_data()
    {
        QTest::addColumn<Ending>("ending");
        QTest::addColumn<bool>("ended");
        QTest::newRow("leave") << Ending([](Shown &s) {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(s.bar, &leave);
        }) << true;
        QTest::newRow("press off the handle") << Ending([](Shown &s) {
            QTest::mousePress(s.bar, Qt::LeftButton, {}, along(*s.bar, 250));
        }) << true;
        QTest::newRow("drag of the handle") << Ending([](Shown &s) {
            const int handle = s.bar->mapFromGlobal(QPoint(s.bar->calcGlobalPosByValue(0), 0)).x();
            QTest::mousePress(s.bar, Qt::LeftButton, {}, along(*s.bar, handle + 2));
            moveOver(*s.bar, along(*s.bar, 150), Qt::LeftButton);
        }) << true;
        QTest::newRow("bar hidden") << Ending([](Shown &s) { s.bar->hide(); }) << true;
        QTest::newRow("window hidden") << Ending([](Shown &s) { s.window->hide(); }) << true;
        QTest::newRow("null picture")
            << Ending([](Shown &s) { s.bar->showPreview(QPixmap()); }) << false;
    }
    void previewEnds()
    {
        QFETCH(Ending, ending);
        QFETCH(bool, ended);
        Shown shown;
        PreviewWatch watch(shown.bar);
        moveOver(*shown.bar, along(*shown.bar, 100));
        QCOMPARE(watch.requests, 1);
        shown.bar->showPreview(picture(QSize(40, 30), 1), QStringLiteral("0:10"));
        QVERIFY(popupShown(shown.bar));
        ending(shown);
        QVERIFY(!popupShown(shown.bar));
        QCOMPARE(watch.ends, int(ended));
        QCOMPARE(watch.requests, 1);
        if (ended) {
            shown.bar->showPreview(picture(QSize(40, 30), 1));
            QVERIFY(!popupShown(shown.bar));
        }
    }

    // The popup stays on the screen and, across, inside the window; where there is room it
    // is centred on the pointer above the bar, else below it.
    void popupOnScreen_data()
    {
        QTest::addColumn<Place>("place");
        QTest::newRow("top left corner") << Place::TopLeftCorner;
        QTest::newRow("bottom right corner") << Place::BottomRightCorner;
        QTest::newRow("middle") << Place::Middle;
        QTest::newRow("window wider than the screen") << Place::WiderThanScreen;
        QTest::newRow("full-screen control bar, across") << Place::FullScreenAcross;
        QTest::newRow("full-screen control bar, between buttons")
            << Place::FullScreenBetweenButtons;
    }
    void popupOnScreen()
    {
        QFETCH(Place, place);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        Shown shown(place);
        UxPlaySeekingBar &bar = *shown.bar;
        const QRect window = bar.window()->frameGeometry();
        if (place == Place::FullScreenAcross || place == Place::FullScreenBetweenButtons)
            QCOMPARE(window.width(), screen.width()); // the control bar spans the screen
        const QRect barOnScreen(bar.mapToGlobal(QPoint()), bar.size());
        for (int pixel : {0, 1, bar.width() / 2, bar.width() - 2, bar.width() - 1}) {
            moveOver(bar, along(bar, pixel));
            bar.showPreview(picture(QSize(120, 68), 1), QStringLiteral("1:02:03"));
            QVERIFY(popupShown(&bar));
            const QRect popup = popupOf(&bar)->geometry();
            const QByteArray where = QByteArray::number(pixel);
            QVERIFY2(screen.contains(popup), where);
            QVERIFY2(window.left() <= popup.left() || popup.left() == screen.left(), where);
            QVERIFY2(popup.right() <= window.right() || popup.right() == screen.right(), where);
            const bool above = barOnScreen.top() - popup.height() > screen.top();
            QVERIFY2(above ? popup.bottom() < barOnScreen.top()
                           : popup.top() > barOnScreen.bottom(),
                     where);
            const int pointer = bar.mapToGlobal(along(bar, pixel)).x();
            const QRect room = window & screen;
            if (room.left() <= pointer - popup.width() / 2 &&
                pointer + popup.width() / 2 < room.right())
                QVERIFY2(qAbs(popup.center().x() - pointer) <= 1, where);
        }
    }

    // A picture shows at its logical size, its pixels over its device-pixel ratio; made at
    // the screen's ratio, it is copied pixel for pixel. A caption adds a line under it.
    void pictureRatio_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QString>("caption");
        for (qreal ratio : {1.0, 1.5, 2.0}) {
            const QByteArray name = "ratio " + QByteArray::number(ratio);
            QTest::newRow(name) << ratio << QString();
            QTest::newRow(name + ", caption") << ratio << QStringLiteral("0:42");
        }
    }
    void pictureRatio()
    {
        QFETCH(qreal, ratio);
        QFETCH(QString, caption);
        Shown shown;
        moveOver(*shown.bar, along(*shown.bar, 150));
        const QPixmap shownPicture = picture(QSize(61, 37), ratio);
        shown.bar->showPreview(shownPicture, caption);
        QWidget *popup = popupOf(shown.bar);
        QVERIFY(popup && popup->isVisible());
        const QSize logical(int(std::ceil(61 / ratio)), int(std::ceil(37 / ratio)));
        QVERIFY(popup->width() >= logical.width());
        if (caption.isEmpty())
            QCOMPARE(popup->size(), logical);
        else
            QVERIFY(popup->height() > logical.height());
        const QImage grabbed = popup->grab().toImage();
        if (!qFuzzyCompare(grabbed.devicePixelRatioF(), ratio))
            return; // crispness shows only at the screen's ratio; the size is checked
        const int left = int(std::lround((popup->width() - logical.width()) / 2 * ratio));
        QCOMPARE(grabbed.copy(QRect(QPoint(left, 0), shownPicture.size()))
                     .convertToFormat(QImage::Format_ARGB32),
                 shownPicture.toImage().convertToFormat(QImage::Format_ARGB32));
    }

    // A trim handle that gains focus previews its trim point, with the popup above the
    // point; keys that move it preview the new point; losing focus ends the preview. Off,
    // focus and keys preview nothing.
    void trimHandlePreview_data()
    {
        QTest::addColumn<bool>("startHandle");
        QTest::addColumn<bool>("previewOn");
        QTest::newRow("start handle") << true << true;
        QTest::newRow("end handle") << false << true;
        QTest::newRow("start handle, preview off") << true << false;
    }
    void trimHandlePreview()
    {
        QFETCH(bool, startHandle);
        QFETCH(bool, previewOn);
        ShownTrimBar shownTrim;
        UxTrimSeekingBar &trim = shownTrim.widget;
        UxPlaySeekingBar *bar = shownTrim.bar;
        QToolButton *handle = startHandle ? shownTrim.start : shownTrim.end;
        trim.setPreviewEnabled(previewOn);
        trim.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&trim));
        QCOMPARE(bar->isPreviewEnabled(), previewOn);
        PreviewWatch watch(&trim);
        const auto point = [&] { return startHandle ? trim.trimStart() : trim.trimEnd(); };

        handle->setFocus(Qt::TabFocusReason);
        QCOMPARE(watch.value, previewOn ? point() : -1);
        trim.showPreview(picture(QSize(40, 30), 1), QStringLiteral("0:10"));
        QCOMPARE(popupShown(bar), previewOn);
        if (previewOn)
            QVERIFY(qAbs(popupOf(bar)->geometry().center().x() -
                         bar->calcGlobalPosByValue(point())) <= 1);

        QTest::keyClick(handle, Qt::Key_Right);
        QCOMPARE(watch.value, previewOn ? point() : -1);
        QCOMPARE(watch.requests, previewOn ? 2 : 0);

        trim.setFocus(Qt::TabFocusReason);
        QCOMPARE(watch.value, -1);
        QCOMPARE(watch.ends, int(previewOn));
        QVERIFY(!popupShown(bar));
    }
};

QTEST_MAIN(TestSeekBarPreview)
#include "tst_uxseekbarpreview.moc"

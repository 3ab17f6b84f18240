#include <CustomRadioButton.h>
#include <UxResourceMgr.h>
#include <UxScrollButton.h>

#include "support/TestArtwork.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QtTest>

namespace {

const QColor kArrow(0, 0, 255);

// The rectangle that holds every pixel of the colour in the widget as shown.
QRect boundsOf(QWidget &widget, const QColor &colour)
{
    const QImage shown = widget.grab().toImage();
    QRect bounds;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixelColor(x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// A style that lays out the radio button's indicator and contents where a row says.
class FixedRadioStyle : public QProxyStyle
{
public:
    FixedRadioStyle(const QRect &indicator, const QRect &contents)
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
        , m_indicator(indicator)
        , m_contents(contents)
    {
    }
    QRect subElementRect(SubElement element, const QStyleOption *option,
                         const QWidget *widget) const override
    {
        if (element == SE_RadioButtonIndicator)
            return m_indicator;
        if (element == SE_RadioButtonContents)
            return m_contents;
        return QProxyStyle::subElementRect(element, option, widget);
    }

private:
    QRect m_indicator, m_contents;
};

} // namespace

class TestScrollButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        UxResourceMgr::setZoomDPI(2.0); // artwork keeps its size
    }

    // The arrow is centred in device pixels and keeps its size; the widget clips it. The
    // image of the other state is never drawn in place of a missing one.
    void arrowPlacement_data()
    {
        QTest::addColumn<QSize>("button");
        QTest::addColumn<QString>("file"); // "@2x" files load at a pixel ratio of 2
        QTest::addColumn<QSize>("arrow");  // in device pixels
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("ownState"); // the image is set for the button's state
        QTest::addColumn<QRect>("drawn");   // empty: no arrow at all
        const auto row = [](const char *tag, QSize button, const char *file, QSize arrow) {
            return std::ref(QTest::newRow(tag) << button << QString(file) << arrow);
        };
        row("10x10 in 20x20", {20, 20}, "a.png", {10, 10}).get()
            << true << true << QRect(4, 4, 10, 10);
        row("11x11 in 20x20", {20, 20}, "a.png", {11, 11}).get()
            << true << true << QRect(4, 4, 11, 11);
        row("odd button", {21, 15}, "a.png", {6, 4}).get() << true << true << QRect(7, 5, 6, 4);
        row("larger than the button", {20, 20}, "a.png", {30, 30}).get()
            << true << true << QRect(0, 0, 20, 20);
        row("ratio 2", {20, 20}, "a@2x.png", {20, 20}).get() << true << true << QRect(0, 0, 10, 10);
        row("ratio 2, odd offset", {30, 30}, "a@2x.png", {8, 8}).get()
            << true << true << QRect(5, 5, 4, 4);
        row("disabled image", {20, 20}, "a.png", {10, 10}).get()
            << false << true << QRect(4, 4, 10, 10);
        row("enabled, only the disabled image", {20, 20}, "a.png", {10, 10}).get()
            << true << false << QRect();
        row("disabled, only the enabled image", {20, 20}, "a.png", {10, 10}).get()
            << false << false << QRect();
    }

    void arrowPlacement()
    {
        QFETCH(QSize, button);
        QFETCH(QString, file);
        QFETCH(QSize, arrow);
        QFETCH(bool, enabled);
        QFETCH(bool, ownState);
        QFETCH(QRect, drawn);
        const QString path = m_art.save(QString::number(++m_serial) + file, // no cache hits
                                        TestArtwork::solid(arrow, kArrow, QImage::Format_RGB32));

        UxScrollButton scroll;
        scroll.resize(button);
        scroll.setEnabled(enabled);
        if (enabled == ownState)
            scroll.setArrowImage(path);
        else
            scroll.setArrowDisableImage(path);
        QCOMPARE(enabled == ownState ? scroll.arrowImage() : scroll.arrowDisableImage(), path);
        QCOMPARE(boundsOf(scroll, kArrow), drawn);
    }

    // From the widget's top to the indicator's bottom, from the indicator's left edge to
    // the first column of the contents; the widget's own style decides, not the
    // application's.
    void indicatorRect_data()
    {
        QTest::addColumn<QRect>("indicator");
        QTest::addColumn<QRect>("contents");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("indicator at the left")
            << QRect(QPoint(0, 5), QPoint(12, 17)) << QRect(16, 0, 60, 22)
            << QRect(QPoint(0, 0), QPoint(16, 17));
        QTest::newRow("indented indicator")
            << QRect(QPoint(3, 2), QPoint(15, 14)) << QRect(20, 1, 40, 20)
            << QRect(QPoint(3, 0), QPoint(20, 14));
    }

    void indicatorRect()
    {
        QFETCH(QRect, indicator);
        QFETCH(QRect, contents);
        QFETCH(QRect, expected);
        FixedRadioStyle style(indicator, contents);
        CustomRadioButton radio;
        radio.setText(QStringLiteral("Stereo"));
        radio.setStyle(&style);
        QCOMPARE(radio.indicatorRect(), expected);
    }

private:
    ArtworkFolder m_art;
    int m_serial = 0;
};

QTEST_MAIN(TestScrollButton)
#include "tst_uxscrollbutton.moc"

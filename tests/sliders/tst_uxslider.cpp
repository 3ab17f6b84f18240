#include <UxSlider.h>

#include <QSignalSpy>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QtTest>

namespace {

// Opens the protected mapping and the handle's place to the test.
class Probe : public UxSlider
{
public:
    using UxSlider::pixelPosToRangeValue;
    using UxSlider::rangeValueToPixelPos;

    QRect handle() const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    }
    int handleCentre() const
    {
        const QRect h = handle();
        return orientation() == Qt::Horizontal ? (h.left() + h.right() + 1) / 2
                                               : (h.top() + h.bottom() + 1) / 2;
    }
};

void press(QWidget &w, const QPoint &at, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(&w, button, Qt::NoModifier, at);
}

} // namespace

class TestUxSlider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Layouts: horizontal, inverted, right to left, vertical (minimum at the bottom), and
    // vertical inverted; `minimumAtStart` says whether the minimum is at the left or top.
    void layouts_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<bool>("minimumAtStart");
        QTest::newRow("horizontal") << int(Qt::Horizontal) << false << false << true;
        QTest::newRow("horizontal inverted") << int(Qt::Horizontal) << true << false << false;
        QTest::newRow("right to left") << int(Qt::Horizontal) << false << true << false;
        QTest::newRow("vertical") << int(Qt::Vertical) << false << false << false;
        QTest::newRow("vertical inverted") << int(Qt::Vertical) << true << false << true;
    }

    // The half-handle mapping means: after a jump, the handle is centred on the click; and
    // pixels before the first value or past the last, even outside the widget, give the ends.
    void layouts()
    {
        QFETCH(int, orientation);
        QFETCH(bool, inverted);
        QFETCH(bool, rightToLeft);
        QFETCH(bool, minimumAtStart);
        Probe slider;
        const bool horizontal = orientation == Qt::Horizontal;
        slider.setOrientation(Qt::Orientation(orientation));
        slider.setInvertedAppearance(inverted);
        slider.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        slider.setRange(-500, 500);
        slider.resize(horizontal ? QSize(220, 24) : QSize(24, 220));
        const int start = minimumAtStart ? -500 : 500;
        for (int pixel : {-30, 1})
            QCOMPARE(slider.pixelPosToRangeValue(pixel), start);
        for (int pixel : {218, 400})
            QCOMPARE(slider.pixelPosToRangeValue(pixel), -start);

        for (int at : {40, 100, 173}) {
            slider.setValue(-start); // the handle at the far end
            const QPoint click = horizontal ? QPoint(at, 12) : QPoint(12, at);
            QVERIFY(!slider.handle().contains(click));
            press(slider, click);
            QVERIFY(qAbs(slider.handleCentre() - at) <= 1);
            QVERIFY(!slider.isSliderDown()); // a jump is no drag
            QCOMPARE(slider.pixelPosToRangeValue(slider.rangeValueToPixelPos(slider.value())),
                     slider.value());
            QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, click);
        }
    }

    void pressOnTheHandleStartsADrag()
    {
        Probe slider;
        slider.setOrientation(Qt::Horizontal);
        slider.setRange(0, 100);
        slider.resize(200, 24);
        slider.setValue(50);
        QSignalSpy changed(&slider, SIGNAL(valueChanged(int)));
        const QRect handle = slider.handle();
        press(slider, QPoint(handle.right(), handle.center().y())); // its outermost pixel
        QVERIFY(slider.isSliderDown());
        QCOMPARE(slider.value(), 50);
        QCOMPARE(changed.count(), 0);
    }

    void actionBeforeValue()
    {
        Probe slider;
        slider.setOrientation(Qt::Horizontal);
        slider.setRange(0, 100);
        slider.resize(200, 24);
        QList<QString> order;
        connect(&slider, &QAbstractSlider::actionTriggered, [&](int action) {
            order << QStringLiteral("action %1 at %2").arg(action).arg(slider.value());
        });
        connect(&slider, &QAbstractSlider::valueChanged,
                [&](int v) { order << QStringLiteral("value %1").arg(v); });
        const int target = slider.pixelPosToRangeValue(150);
        press(slider, QPoint(150, 12));
        QCOMPARE(order, (QList<QString>{QStringLiteral("action %1 at 0").arg(QSlider::SliderMove),
                                        QStringLiteral("value %1").arg(target)}));
        QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(150, 12));

        // A click off the handle that maps to the current value: nothing at all.
        order.clear();
        slider.setRange(0, 2);
        slider.setValue(0);
        order.clear();
        const QPoint same(40, 12);
        QVERIFY(!slider.handle().contains(same));
        QCOMPARE(slider.pixelPosToRangeValue(same.x()), 0);
        press(slider, same);
        QCOMPARE(order, QList<QString>());
    }

    void otherButtonsBehaveAsQSlider_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("right") << int(Qt::RightButton) << true;
        QTest::newRow("middle") << int(Qt::MiddleButton) << true;
        QTest::newRow("left, disabled") << int(Qt::LeftButton) << false;
    }

    void otherButtonsBehaveAsQSlider()
    {
        QFETCH(int, button);
        QFETCH(bool, enabled);
        Probe slider;
        QSlider plain;
        for (QSlider *s : {static_cast<QSlider *>(&slider), &plain}) {
            s->setOrientation(Qt::Horizontal);
            s->setRange(0, 100);
            s->resize(200, 24);
            s->setEnabled(enabled);
            press(*s, QPoint(170, 12), Qt::MouseButton(button));
        }
        QCOMPARE(slider.value(), plain.value());
        QCOMPARE(slider.isSliderDown(), plain.isSliderDown());
    }

    void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }
};

QTEST_MAIN(TestUxSlider)
#include "tst_uxslider.moc"

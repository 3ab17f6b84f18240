#include <UxPlaySeekingBar.h>
#include <UxSlider.h>

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
    Probe(bool vertical, int minimum, int maximum)
    {
        setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
        setRange(minimum, maximum);
        resize(vertical ? QSize(24, 220) : QSize(220, 24));
    }
    QRect handle() const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    }
};

enum Layout { Vertical = 1, Inverted = 2, RightToLeft = 4, MinimumAtStart = 8 };

} // namespace

class TestUxSlider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }

    // Qt's style divides by zero for a range of exactly 2^31; painting must survive it.
    // Such a range gives up its lowest value, and only such a range: the maximum stays,
    // the value stays within the range.
    void halfIntRange_data()
    {
        QTest::addColumn<bool>("seekBar");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        for (bool seekBar : {false, true}) {
            const char *kind = seekBar ? "seek bar: " : "slider: ";
            QTest::newRow(qPrintable(QString(kind) + "INT_MIN to 0")) << seekBar << INT_MIN << 0;
            QTest::newRow(qPrintable(QString(kind) + "-1 to INT_MAX")) << seekBar << -1 << INT_MAX;
            QTest::newRow(qPrintable(QString(kind) + "INT_MIN to 1")) << seekBar << INT_MIN << 1;
        }
    }

    void halfIntRange()
    {
        QFETCH(bool, seekBar);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QScopedPointer<QSlider> slider(seekBar ? static_cast<QSlider *>(new UxPlaySeekingBar)
                                               : new UxSlider);
        slider->setOrientation(Qt::Horizontal);
        slider->resize(300, 24);
        slider->setRange(minimum, maximum);
        slider->setValue(maximum);
        const bool halfIntSpan = qint64(maximum) - minimum == (qint64(1) << 31);
        QCOMPARE(slider->maximum(), maximum);
        QCOMPARE(slider->minimum(), halfIntSpan ? minimum + 1 : minimum);
        QVERIFY(slider->value() >= slider->minimum() && slider->value() <= slider->maximum());
        QVERIFY(!slider->grab().isNull());
    }

    void layouts_data()
    {
        QTest::addColumn<int>("layout");
        QTest::newRow("horizontal") << int(MinimumAtStart);
        QTest::newRow("horizontal inverted") << int(Inverted);
        QTest::newRow("right to left") << int(RightToLeft);
        QTest::newRow("vertical") << int(Vertical);
        QTest::newRow("vertical inverted") << (Vertical | Inverted | MinimumAtStart);
    }

    // The range is inset by half a handle: a jump centres the handle on the click, and
    // pixels before the first value or past the last, even outside the widget, give the ends
    // (MinimumAtStart: the minimum lies at the left or top).
    void layouts()
    {
        QFETCH(int, layout);
        const bool vertical = layout & Vertical;
        Probe slider(vertical, -500, 500);
        slider.setInvertedAppearance(layout & Inverted);
        slider.setLayoutDirection(layout & RightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        const int first = layout & MinimumAtStart ? -500 : 500;
        for (int pixel : {-30, 1, 218, 400})
            QCOMPARE(slider.pixelPosToRangeValue(pixel), pixel < 100 ? first : -first);
        for (int at : {40, 100, 173}) {
            slider.setValue(-first); // the handle at the far end
            const QPoint click = vertical ? QPoint(12, at) : QPoint(at, 12);
            QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, click);
            const QRect h = slider.handle();
            const int centre = vertical ? h.top() + h.bottom() + 1 : h.left() + h.right() + 1;
            QVERIFY2(qAbs(centre / 2 - at) <= 1, qPrintable(QString::number(centre / 2)));
            QVERIFY(qAbs(slider.rangeValueToPixelPos(slider.value()) - at) <= 1);
        }
    }

    // On 0..2 from 0; x -1 is the handle's outermost pixel. The log holds actions with the
    // value they were triggered at, new values and slider presses. A jump triggers the move
    // action before the value changes; all but a left click off the handle is QSlider's.
    void presses_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("x");
        QTest::addColumn<QString>("log");
        QTest::newRow("off the handle") << int(Qt::LeftButton) << 200 << "a7@0 v2";
        QTest::newRow("onto the value") << int(Qt::LeftButton) << 40 << "";
        QTest::newRow("on the handle") << int(Qt::LeftButton) << -1 << "down";
        QTest::newRow("right") << int(Qt::RightButton) << 150 << "";
        QTest::newRow("middle") << int(Qt::MiddleButton) << 200 << "a7@0 v2 a7@2 down";
    }

    void presses()
    {
        QFETCH(int, button);
        QFETCH(int, x);
        QFETCH(QString, log);
        Probe slider(false, 0, 2);
        QStringList seen;
        connect(&slider, &QAbstractSlider::actionTriggered,
                [&](int a) { seen << QStringLiteral("a%1@%2").arg(a).arg(slider.value()); });
        connect(&slider, &QAbstractSlider::valueChanged,
                [&](int v) { seen << QStringLiteral("v%1").arg(v); });
        connect(&slider, &QAbstractSlider::sliderPressed, [&] { seen << QStringLiteral("down"); });
        const QPoint at(x < 0 ? slider.handle().right() : x, 12);
        QTest::mousePress(&slider, Qt::MouseButton(button), Qt::NoModifier, at);
        QCOMPARE(seen.join(' '), log);
    }
};

QTEST_MAIN(TestUxSlider)
#include "tst_uxslider.moc"

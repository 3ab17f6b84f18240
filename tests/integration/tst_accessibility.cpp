#include "support/WidgetZoo.h"

#include <QAccessible>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

// Qt hands accessibility events on only while a platform bridge says that a tool listens;
// the offscreen platform has none, so the test switches on Qt's default platform
// accessibility itself (QtGui's private API, from Debian's qtbase5-private-dev).
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

QStringList heard; // "event object child value", and the trim bar's reports

void listen(QAccessibleEvent *e)
{
    const bool isValue = e->type() == QAccessible::ValueChanged;
    heard << QStringLiteral("%1 %2 %3 %4")
                 .arg(QMetaEnum::fromType<QAccessible::Event>().valueToKey(e->type()))
                 .arg(e->object() ? e->object()->objectName() : QString())
                 .arg(e->child())
                 .arg(isValue ? static_cast<QAccessibleValueChangeEvent *>(e)->value().toString()
                              : QString());
}

QAccessibleInterface *of(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// Role, name, one more text, and the value with its bounds, as a screen reader gets them.
QString summaryOf(QAccessibleInterface *iface, int text)
{
    QStringList value;
    if (const QAccessibleValueInterface *v = iface->valueInterface())
        for (const QVariant &n : {v->currentValue(), v->minimumValue(), v->maximumValue()})
            value << n.toString();
    return QStringLiteral("%1|%2|%3|%4")
        .arg(QMetaEnum::fromType<QAccessible::Role>().valueToKey(iface->role()),
             iface->text(QAccessible::Name), iface->text(QAccessible::Text(text)), value.join(','));
}

// One of each widget that screen readers are told about, shown and skinned (the progress
// bar from the sheet), in the states the rows expect.
struct Widgets
{
    WidgetZoo zoo;
    QWidget host;
    QTranslator translator;
    template <typename W>
    W *add(const char *name)
    {
        auto *widget = new W(&host);
        widget->setObjectName(name);
        widget->resize(640, 360);
        return widget;
    }
    UxPlaySeekingBar *seek = add<UxPlaySeekingBar>("seek");
    UxProgressBar *progress = add<UxProgressBar>("progress");
    UxCircleProgressBar *circle = add<UxCircleProgressBar>("circle");
    UxVideoViewer *video = add<UxVideoViewer>("video");
    UxVideoFullScreenViewer *still = add<UxVideoFullScreenViewer>("still");
    UxPushButton *push = add<UxPushButton>("push");
    UxTrimSeekingBar *trim = add<UxTrimSeekingBar>("trim"); // 0..100 keeping 20..70, 10 at least
    UxVideoOperationViewer *crop = add<UxVideoOperationViewer>("crop");     // its middle quarter
    UxVideoOperationViewer *crop3D = add<UxVideoOperationViewer>("crop3D"); // side by side

    Widgets()
    {
        host.setStyleSheet(zoo.styleSheet());
        host.show();
        seek->setValue(30), seek->setUsableRange(10, 90);
        progress->setRange(0, 3), progress->setValue(1), progress->useFloat(true);
        circle->setRange(0, 200), circle->setValue(50);
        still->setShowStaticPicture(true, QImage(zoo.path("track.png"))), still->toggleFullscreen();
        push->setText("Export"), push->setEnabled(false);
        trim->setRange(0, 100), trim->setTrimStartEnd(20, 70, 10);
        QObject::connect(trim, &UxTrimSeekingBar::trimStartChanged, [] { heard << "start"; });
        for (UxVideoOperationViewer *viewer : {crop, crop3D}) {
            viewer->setInputVideo(QSize(1920, 1080), viewer == crop3D, false, false);
            viewer->setLogicVideo(QSize(1920, 1080), 16, 9, QRect(480, 270, 960, 540), {64, 36});
        }
    }
    void setByTool(const char *handle, const QVariant &value)
    {
        of(trim->findChild<QObject *>(handle))->valueInterface()->setCurrentValue(value);
    }
    void translate(const char *locale)
    {
        if (translator.load(QLocale(locale), "commonctrls", "_", COMMONCTRLS_QM_DIR))
            QCoreApplication::installTranslator(&translator);
    }
};

using W = Widgets;
using Act = std::function<void(W &)>;

} // namespace

Q_DECLARE_METATYPE(Act)

class TestAccessibility : public QObject
{
    Q_OBJECT

    std::unique_ptr<Widgets> w;

private Q_SLOTS:
    void initTestCase()
    {
        QAccessible::installUpdateHandler(listen);
        QGuiApplicationPrivate::platform_integration->accessibility()->setActive(true);
        QVERIFY(QAccessible::isActive());
    }
    void init() { w.reset(new Widgets), heard.clear(); }
    void cleanup() { w.reset(); }

    // After an optional change, a widget or a child element of it ("widget/index") as a
    // screen reader gets it, with its disabled state and where it is (inside the widget, or
    // exactly at the place given), and what was announced.
    void screenReadersGetEachWidget_data()
    {
        QTest::addColumn<Act>("change");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("text");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QRect>("at");
        QTest::addColumn<QStringList>("announced");
        const int description = QAccessible::Description, value = QAccessible::Value;
        const Act none;
        const QString crop = "Graphic|Crop rectangle|Left %1, top 270, width 960, height 540 "
                             "video pixels|";
        QTest::newRow("seek bar") << none << "seek" << description
                                  << "Slider||Usable from 10 to 90|30,0,99" << QRect()
                                  << QStringList();
        QTest::newRow("usable range") << Act([](W &w) { w.seek->setMaxUsablePos(7); }) << "seek"
                                      << description << "Slider||Usable from 10 to 7|30,0,99"
                                      << QRect() << QStringList{"DescriptionChanged seek -1 "};
        QTest::newRow("float text") << none << "progress" << value << "ProgressBar||33.33%|1,0,3"
                                    << QRect() << QStringList();
        QTest::newRow("fraction") << Act([](W &w) { w.progress->setDoubleValue(1234, 2); })
                                  << "progress" << value << "ProgressBar||12.34%|1234,0,10000"
                                  << QRect() << QStringList{"ValueChanged progress -1 1234"};
        QTest::newRow("circle") << Act([](W &w) { w.circle->setValue(42); }) << "circle" << value
                                << "ProgressBar||42%|42,0,200" << QRect()
                                << QStringList{"ValueChanged circle -1 42"};
        QTest::newRow("first frame")
            << Act([](W &w) { w.video->onUpdateVideo(QImage(w.zoo.path("fill.png"))); }) << "video"
            << description << "Animation|Video|Showing video|" << QRect()
            << QStringList{"DescriptionChanged video -1 "};
        QTest::newRow("full screen")
            << none << "still" << description
            << "Animation|Video|Showing a still picture, full screen|" << QRect() << QStringList();
        QTest::newRow("push button")
            << none << "push" << value << "Button|Export||" << QRect() << QStringList();
        QTest::newRow("trim bar") << none << "trim" << value << "Grouping|||" << QRect()
                                  << QStringList();
        QTest::newRow("trim length") << Act([](W &w) { w.trim->onTrimLengthChanged(30); })
                                     << "trim/2" << value << "Slider|Trim end|50|50,30,100"
                                     << QRect() << QStringList{"ValueChanged btnTrimRight -1 50"};
        QTest::newRow("tool sets start")
            << Act([](W &w) { w.setByTool("btnTrimLeft", 65); }) << "trim/1" << value
            << "Slider|Trim start|60|60,0,60" << QRect()
            << QStringList{"ValueChanged btnTrimLeft -1 60", "start"};
        QTest::newRow("tool sets no number")
            << Act([](W &w) { w.setByTool("btnTrimLeft", "soon"); }) << "trim/1" << value
            << "Slider|Trim start|20|20,0,60" << QRect() << QStringList();
        QTest::newRow("tool sets end")
            << Act([](W &w) { w.setByTool("btnTrimRight", 1e300); }) << "trim/1" << value
            << "Slider|Trim start|20|20,0,90" << QRect()
            << QStringList{"ValueChanged btnTrimRight -1 100"};
        QTest::newRow("German") << Act([](W &w) { w.translate("de"); }) << "trim/1" << value
                                << "Slider|Schnittanfang|20|20,0,60" << QRect() << QStringList();
        QTest::newRow("Chinese") << Act([](W &w) { w.translate("zh_CN"); }) << "video" << value
                                 << "Animation|视频||" << QRect() << QStringList();
        QTest::newRow("crop") << none << "crop/0" << description << crop.arg(480)
                              << QRect(160, 90, 320, 180) << QStringList();
        QTest::newRow("crop, host")
            << Act([](W &w) { w.crop->onFocusLeftChanged(600); }) << "crop/0" << description
            << crop.arg(600) << QRect(200, 90, 320, 180)
            << QStringList{"DescriptionChanged crop 0 "};
        QTest::newRow("crop, key") << Act([](W &w) { QTest::keyClick(w.crop, Qt::Key_Right); })
                                   << "crop" << description << "Animation|Video|No picture|"
                                   << QRect() << QStringList{"DescriptionChanged crop 0 "};
        QTest::newRow("crop, right view") << none << "crop3D/1" << description << crop.arg(480)
                                          << QRect(400, 135, 160, 90) << QStringList();
        QTest::newRow("crop, zoomed past the view")
            << Act([](W &w) { w.crop->setZoom(4); }) << "crop/0" << description << crop.arg(480)
            << QRect(0, 0, 640, 360) << QStringList();
    }

    void screenReadersGetEachWidget()
    {
        QFETCH(Act, change);
        QFETCH(QString, path);
        QFETCH(int, text);
        QFETCH(QString, summary);
        QFETCH(QRect, at);
        QFETCH(QStringList, announced);
        if (change)
            change(*w);
        const QStringList parts = path.split('/');
        QWidget *widget = w->host.findChild<QWidget *>(parts[0]);
        QAccessibleInterface *iface =
            parts.size() > 1 ? of(widget)->child(parts[1].toInt()) : of(widget);
        QCOMPARE(summaryOf(iface, text), summary);
        QCOMPARE(bool(iface->state().disabled), !widget->isEnabled());
        QCOMPARE(of(widget)->indexOfChild(iface), parts.value(1, "-1").toInt());
        const QRect shown = iface->rect().translated(-widget->mapToGlobal(QPoint()));
        QVERIFY(at.isNull() ? !shown.isEmpty() && widget->rect().contains(shown) : shown == at);
        for (const QString &event : announced)
            QVERIFY2(heard.contains(event), qPrintable(heard.join('\n')));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

// Every widget keeps its own look under a host's application-wide theme: the colours of
// its skin are found when it paints without a theme and again under each of the
// gallery's two themes, which style all of Qt's classes as popular themes do. The skin's
// rules sit on the widgets' parent or in the application's sheet, before the theme.

#include "support/TestArtwork.h"
#include "support/WidgetZoo.h"

#include <QListView>
#include <QtTest>

#include <algorithm>

namespace {

QString themeSheet(const QString &name)
{
    QFile file(QStringLiteral(COMMONCTRLS_THEME_DIR "/theme-%1.qss").arg(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

int pixelsOf(const QImage &image, const QColor &colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        count += int(std::count(row, row + image.width(), colour.rgb()));
    }
    return count;
}

// The state in which a widget shows its skin.
void prepare(QWidget *widget, bool disabled)
{
    if (auto *slider = qobject_cast<QSlider *>(widget))
        slider->setOrientation(Qt::Horizontal);
    auto *button = qobject_cast<QAbstractButton *>(widget);
    if (button && disabled) // the disabled skins draw the caption
        button->setText(QStringLiteral("Export"));
    if (auto *bar = qobject_cast<QProgressBar *>(widget))
        bar->setValue(700);
    if (auto *circle = qobject_cast<UxCircleProgressBar *>(widget))
        circle->setValue(40);
    if (qobject_cast<QListView *>(widget)) // short enough for its edge buttons to show
        widget->setFixedHeight(120);
    if (auto *viewer = qobject_cast<UxVideoViewer *>(widget)) {
        viewer->setAspectRatio(UxVideoViewer::AspectRatio_4_3); // margins left and right
        viewer->onUpdateVideo(TestArtwork::solid(QSize(64, 36), QColor(200, 50, 100)));
    }
    if (qobject_cast<UxLineEditWithToolbutton *>(widget)) {
        QEvent enter(QEvent::Enter); // shows the embedded button
        QApplication::sendEvent(widget, &enter);
    }
    widget->setMinimumHeight(120); // the viewers and the circle have no height of their own
    widget->setEnabled(!disabled);
}

// What shows the skin: the widget, or the open list of a combo box with the row delegate.
QImage grabSkin(QWidget *widget)
{
    QApplication::processEvents();
    QWidget *shown = widget;
    auto *combo = qobject_cast<UxDelegateComboBox *>(widget);
    if (combo) {
        combo->showPopup();
        shown = combo->view()->viewport();
    }
    const QImage image = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (combo)
        combo->hidePopup();
    return image;
}

} // namespace

class TestGlobalStyleSheet : public QObject
{
    Q_OBJECT

    WidgetZoo m_zoo; // its artwork: disabled #78788c, track #28283c, fill #3c8cdc, ring
                     // #505050, lit ring #1ec85a, trim #fac800, arrows #000000 and #a0a0a0,
                     // check #007800, padding #141414; clrMargin #101010, clrPadding #202020

private Q_SLOTS:
    void cleanup() { qApp->setStyleSheet(QString()); }

    void skinSurvivesTheme_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<bool>("disabled");
        QTest::addColumn<QString>("colours"); // of the skin, each to be found
        QTest::addColumn<QString>("theme");
        QTest::addColumn<bool>("skinInAppSheet");
        // Each widget in each theme, its skin in the window's sheet or in the application's.
        const auto shows = [](const char *widget, bool disabled, const char *colours) {
            for (const char *theme : {"dark", "light"}) {
                for (bool inApp : {false, true}) {
                    QTest::addRow("%s%s, %s, skin in %s sheet", widget, disabled ? " disabled" : "",
                                  theme, inApp ? "app" : "parent")
                        << widget << disabled << colours << theme << inApp;
                }
            }
        };
        const auto enabledShows = [&](const char *widget, const char *colours) {
            shows(widget, false, colours);
        };
        const auto disabledShows = [&](const char *widget, const char *colours) {
            shows(widget, true, colours);
        };
        disabledShows("UxPushButton", "#78788c #969ca6"); // image and caption
        disabledShows("UxCheckBox", "#78788c");
        disabledShows("UxRadioButton", "#78788c");
        disabledShows("uxToolButton", "#78788c");
        disabledShows("UxComboBox", "#78788c #969ca6");
        enabledShows("UxScrollButton", "#000000");
        disabledShows("UxScrollButton", "#a0a0a0");
        enabledShows("UxProgressBar", "#28283c #3c8cdc");
        enabledShows("UxCircleProgressBar", "#505050 #1ec85a #336699"); // rings, percentage
        enabledShows("UxPlaySeekingBar", "#fac800");
        enabledShows("UxTrimSeekingBar", "#fac800 #007800");               // trim image, handles
        enabledShows("UxVideoViewer", "#101010 #202020 #c83264");          // margin, padding, frame
        enabledShows("UxVideoOperationViewer", "#141414 #c83264 #ffff00"); // and crop outline
        enabledShows("UxAutoScrollListView", "#007800");                   // edge button
        enabledShows("UxDelegateComboBox", "#007800"); // the current row's check
        enabledShows("UxLineEditWithToolbutton", "#007800");
    }

    void skinSurvivesTheme()
    {
        QFETCH(QString, widget);
        QFETCH(bool, disabled);
        QFETCH(QString, colours);
        QFETCH(QString, theme);
        QFETCH(bool, skinInAppSheet);
        // Embedded buttons and trim handles take host pictures by their names.
        const QString skin = m_zoo.styleSheet() +
                             QStringLiteral("UxTrimSeekingBar QToolButton, UxAutoScrollListView "
                                            "QToolButton, QToolButton#btnOnLineEdit"
                                            " { border: none; image: url(%1); }")
                                 .arg(m_zoo.path("check.png"));
        const QString hostile = themeSheet(theme);
        QVERIFY(hostile.contains(QLatin1String("QSlider::handle")));
        QWidget window;
        m_zoo.populate(&window);
        window.setStyleSheet(QString()); // the skin goes where the row says, before polishing
        window.setStyleSheet(skinInAppSheet ? QString() : skin);
        qApp->setStyleSheet(skinInAppSheet ? skin : QString());
        QWidget *target = window.findChild<QWidget *>(widget);
        QVERIFY(target);
        prepare(target, disabled);
        window.resize(480, 2400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage plain = grabSkin(target);
        const QColor plainBackground = window.palette().color(QPalette::Window);
        qApp->setStyleSheet(skinInAppSheet ? skin + hostile : hostile);
        const QImage themed = grabSkin(target);
        QVERIFY(window.palette().color(QPalette::Window) != plainBackground); // the theme holds
        for (const QString &name : colours.split(QLatin1Char(' '))) {
            QVERIFY2(pixelsOf(plain, QColor(name)) > 0, qPrintable(name + " without a theme"));
            QVERIFY2(pixelsOf(themed, QColor(name)) > 0, qPrintable(name + " under the theme"));
        }
    }
};

QTEST_MAIN(TestGlobalStyleSheet)
#include "tst_globalstylesheet.moc"

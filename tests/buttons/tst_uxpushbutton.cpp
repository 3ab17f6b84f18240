#include "ScreenFactor.h"

#include <UxPushButton.h>
#include <UxResourceMgr.h>

#include <QApplication>
#include <QMetaProperty>
#include <QPainter>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QColor kFrame(255, 0, 0); // the artwork's outer frame, which must never show
const QColor kFace(0, 200, 0);  // what the image rectangle must show
const QColor kCaption(255, 0, 255);

// Disabled-state artwork: a frame of `frame` pixels around a solid face.
QString writeSkin(const QTemporaryDir &dir, const QString &name, const QSize &size, int frame)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(kFrame);
    QPainter(&image).fillRect(image.rect().adjusted(frame, frame, -frame, -frame), kFace);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

bool isCaptionPixel(const QColor &c)
{
    return c.red() > 200 && c.blue() > 200 && c.green() < 60;
}

bool isFramePixel(const QColor &c)
{
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

struct Census
{
    int face = 0, frame = 0, captionInside = 0, captionOutside = 0, pixelsInImageRect = 0;
};

// Counts what a rendered button shows, inside and outside the expected rectangles.
Census census(const QImage &image, const QRect &imageRect, const QRect &captionRect)
{
    Census c;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            const QPoint at(x, y);
            if (imageRect.contains(at) && !captionRect.contains(at)) {
                ++c.pixelsInImageRect;
                c.face += colour == kFace;
            }
            c.frame += isFramePixel(colour);
            if (isCaptionPixel(colour))
                ++(captionRect.contains(at) ? c.captionInside : c.captionOutside);
        }
    }
    return c;
}

QImage render(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

void prepare(QPushButton &button, const QString &caption)
{
    QFont font = button.font();
    font.setPixelSize(12);
    button.setFont(font);
    button.setText(caption);
    button.resize(100, 30);
}

} // namespace

class TestUxPushButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void paintsAsQPushButton_data();
    void paintsAsQPushButton();
    void disabledOverlay_data();
    void disabledOverlay();
    void disabledThroughParent();
    void styleSheetSetsProperties();
    void settersDoNotRepaint();

private:
    QTemporaryDir m_dir;
    double m_factor = 1.0;
    QString m_skin;
};

void TestUxPushButton::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    m_factor = screenFactorOfThisRun();
    // At zoom 2.0 artwork keeps its size, so the 4-pixel frame stays 4 pixels.
    UxResourceMgr::setZoomDPI(2.0);
    m_skin = writeSkin(m_dir, QStringLiteral("skin.png"), QSize(40, 30), 4);
}

void TestUxPushButton::paintsAsQPushButton_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("info");
    QTest::newRow("enabled, fully skinned") << true << "Play"
                                            << "2,4,10,20,5,16,255,0,255";
    QTest::newRow("disabled without caption") << false << ""
                                              << "2,4,10,20,5,16,255,0,255";
    QTest::newRow("disabled, empty info") << false << "Play"
                                          << "";
    QTest::newRow("disabled, blank info") << false << "Play"
                                          << "   ";
}

void TestUxPushButton::paintsAsQPushButton()
{
    QFETCH(bool, enabled);
    QFETCH(QString, caption);
    QFETCH(QString, info);
    UxPushButton skinned;
    QPushButton plain;
    for (QPushButton *button : {static_cast<QPushButton *>(&skinned), &plain}) {
        prepare(*button, caption);
        button->setEnabled(enabled);
    }
    skinned.setDisableImage(m_skin);
    skinned.setDisableTextInfo(info);
    QCOMPARE(render(skinned), render(plain));
}

void TestUxPushButton::disabledOverlay_data()
{
    QTest::addColumn<QString>("skinName");
    QTest::addColumn<QSize>("skinSize");
    QTest::addColumn<int>("frame");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QRect>("imageRect");
    QTest::addColumn<QRect>("captionUnits"); // y and height before the screen factor
    // Button 100 x 30.
    QTest::newRow("image and caption")
        << "skin.png" << QSize(40, 30) << 4 << "2,4,10,20,5,16,255,0,255" << QRect(2, 2, 96, 26)
        << QRect(10, 5, 80, 16);
    QTest::newRow("ratio-2 artwork leaves out twice the pixels")
        << "skin@2x.png" << QSize(80, 60) << 8 << "2,4,10,20,5,16,255,0,255" << QRect(2, 2, 96, 26)
        << QRect(10, 5, 80, 16);
    QTest::newRow("inset image, caption at the left")
        << "skin.png" << QSize(40, 30) << 4 << "6,30,4,50,4,20,255,0,255,255" << QRect(6, 6, 70, 18)
        << QRect(4, 4, 50, 20);
    QTest::newRow("missing image: caption only")
        << "absent.png" << QSize() << 0 << "2,4,10,20,5,16,255,0,255" << QRect()
        << QRect(10, 5, 80, 16);
}

void TestUxPushButton::disabledOverlay()
{
    QFETCH(QString, skinName);
    QFETCH(QSize, skinSize);
    QFETCH(int, frame);
    QFETCH(QString, info);
    QFETCH(QRect, imageRect);
    QFETCH(QRect, captionUnits);
    const QString path =
        skinSize.isValid() ? writeSkin(m_dir, skinName, skinSize, frame) : m_dir.filePath(skinName);
    UxPushButton button;
    prepare(button, QStringLiteral("Play"));
    button.setDisableImage(path);
    button.setDisableTextInfo(info);
    button.setEnabled(false);
    const QRect captionRect(captionUnits.x(), int(captionUnits.y() * m_factor),
                            captionUnits.width(), int(captionUnits.height() * m_factor));

    const Census c = census(render(button), imageRect, captionRect);
    QCOMPARE(c.face, c.pixelsInImageRect); // the face fills the image rectangle
    QCOMPARE(c.frame, 0);                  // and the frame is left out
    QVERIFY(c.captionInside > 20);
    QCOMPARE(c.captionOutside, 0);

    // The overlay only shows while disabled.
    button.setEnabled(true);
    const Census enabled = census(render(button), imageRect, captionRect);
    QCOMPARE(enabled.captionInside + enabled.captionOutside, 0);
    QVERIFY(imageRect.isEmpty() || enabled.face == 0);
}

void TestUxPushButton::disabledThroughParent()
{
    QWidget parent;
    UxPushButton *button = new UxPushButton(&parent);
    prepare(*button, QStringLiteral("Play"));
    button->setDisableImage(m_skin);
    button->setDisableTextInfo(QStringLiteral("0,0,20,40,0,30,255,0,255"));
    parent.setEnabled(false);
    QVERIFY(button->isEnabledTo(&parent));
    const Census c = census(render(*button), button->rect(), QRect(20, 0, 60, int(30 * m_factor)));
    QVERIFY(c.face > 0);
    QVERIFY(c.captionInside > 20);
}

void TestUxPushButton::styleSheetSetsProperties()
{
    UxPushButton button;
    const QString info = QStringLiteral("2,4,10,20,5,16,153,153,153");
    button.setStyleSheet(QStringLiteral("UxPushButton { qproperty-disableImage: \"%1\"; "
                                        "qproperty-disableTextInfo: \"%2\"; }")
                             .arg(m_skin, info));
    button.ensurePolished();
    QCOMPARE(button.disableImage(), m_skin);
    QCOMPARE(button.disableTextInfo(), info);

    for (const char *name : {"disableImage", "disableTextInfo"}) {
        const QMetaObject *meta = button.metaObject();
        const QMetaProperty property = meta->property(meta->indexOfProperty(name));
        QVERIFY2(property.isValid(), name);
        QCOMPARE(property.type(), QVariant::String);
        QVERIFY(property.isDesignable() && property.isScriptable() && property.isStored());
        QVERIFY(!property.hasNotifySignal());
    }
}

void TestUxPushButton::settersDoNotRepaint()
{
    UxPushButton button;
    prepare(button, QStringLiteral("Play"));
    button.setEnabled(false);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));

    int paints = 0;
    struct PaintCounter : QObject
    {
        int *count;
        explicit PaintCounter(int *c)
            : count(c)
        {
        }
        bool eventFilter(QObject *, QEvent *event) override
        {
            *count += event->type() == QEvent::Paint;
            return false;
        }
    } counter(&paints);
    button.installEventFilter(&counter);
    QCoreApplication::processEvents();
    paints = 0;

    button.setDisableImage(m_skin);
    button.setDisableTextInfo(QStringLiteral("2,4,10,20,5,16,255,0,255"));
    QTest::qWait(50);
    QCOMPARE(paints, 0);
    button.update(); // the counter does see a repaint that is asked for
    QTRY_VERIFY(paints > 0);
}

QTEST_MAIN(TestUxPushButton)
#include "tst_uxpushbutton.moc"

#include "EventCounter.h"
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

// Disabled-state artwork: a frame of `frame` pixels around a solid face.
QString writeSkin(const QTemporaryDir &dir, const QString &name, const QSize &size, int frame)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(kFrame);
    QPainter(&image).fillRect(image.rect().adjusted(frame, frame, -frame, -frame), kFace);
    image.save(dir.filePath(name));
    return dir.filePath(name);
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
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        m_factor = screenFactorOfThisRun();
        UxResourceMgr::setZoomDPI(2.0); // artwork keeps its size, the frame stays 4 pixels
        m_skin = writeSkin(m_dir, QStringLiteral("skin.png"), QSize(40, 30), 4);
    }

    void paintsAsQPushButton_data()
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

    void paintsAsQPushButton()
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

    void disabledOverlay_data()
    {
        QTest::addColumn<QString>("skinName");
        QTest::addColumn<int>("frame"); // 0: no such file
        QTest::addColumn<QString>("info");
        QTest::addColumn<bool>("throughParent");
        QTest::addColumn<QRect>("imageRect");
        QTest::addColumn<QRect>("captionUnits"); // y and height before the screen factor
        // Button 100 x 30; image (x, x, W - cut, H - 2x), caption (x, y, W - cut, h).
        const QString info = QStringLiteral("2,4,10,20,5,16,255,0,255");
        QTest::newRow("image and caption")
            << "skin.png" << 4 << info << false << QRect(2, 2, 96, 26) << QRect(10, 5, 80, 16);
        QTest::newRow("ratio-2 artwork leaves out twice the pixels")
            << "skin@2x.png" << 8 << info << false << QRect(2, 2, 96, 26) << QRect(10, 5, 80, 16);
        QTest::newRow("disabled through its parent, alpha given")
            << "skin.png" << 4 << "6,30,4,50,4,20,255,0,255,255" << true << QRect(6, 6, 70, 18)
            << QRect(4, 4, 50, 20);
        QTest::newRow("missing image: caption only")
            << "absent.png" << 0 << info << false << QRect() << QRect(10, 5, 80, 16);
    }

    // Checks every pixel: the face fills the image rectangle outside the caption, the
    // artwork's frame never shows, and magenta caption pixels lie in the caption rectangle.
    void disabledOverlay()
    {
        QFETCH(QString, skinName);
        QFETCH(int, frame);
        QFETCH(QString, info);
        QFETCH(bool, throughParent);
        QFETCH(QRect, imageRect);
        QFETCH(QRect, captionUnits);
        const QString path = frame ? writeSkin(m_dir, skinName, QSize(10, 10) * frame, frame)
                                   : m_dir.filePath(skinName);
        QWidget parent;
        UxPushButton *button = new UxPushButton(&parent);
        prepare(*button, QStringLiteral("Play"));
        button->setDisableImage(path);
        button->setDisableTextInfo(info);
        (throughParent ? static_cast<QWidget *>(&parent) : button)->setEnabled(false);
        const QRect caption(captionUnits.x(), int(captionUnits.y() * m_factor),
                            captionUnits.width(), int(captionUnits.height() * m_factor));
        const QImage shown = render(*button);
        int captionInside = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QColor c = shown.pixelColor(x, y);
                const QPoint at(x, y);
                QVERIFY(!(c.red() > 200 && c.green() < 60 && c.blue() < 60)); // no frame
                if (imageRect.contains(at) && !caption.contains(at))
                    QCOMPARE(c, kFace);
                if (c.red() > 200 && c.blue() > 200 && c.green() < 60) {
                    QVERIFY2(caption.contains(at),
                             qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                    ++captionInside;
                }
            }
        }
        QVERIFY(captionInside > 20);
    }

    void styleSheetSetsPropertiesWithoutRepaint()
    {
        UxPushButton button;
        prepare(button, QStringLiteral("Play"));
        button.setEnabled(false);
        const QString info = QStringLiteral("2,4,10,20,5,16,153,153,153");
        button.setStyleSheet(QStringLiteral("UxPushButton { qproperty-disableImage: \"%1\"; "
                                            "qproperty-disableTextInfo: \"%2\"; }")
                                 .arg(m_skin, info));
        button.ensurePolished();
        QCOMPARE(button.disableImage(), m_skin);
        QCOMPARE(button.disableTextInfo(), info);
        for (const char *name : {"disableImage", "disableTextInfo"}) {
            const QMetaProperty p =
                button.metaObject()->property(button.metaObject()->indexOfProperty(name));
            QVERIFY(p.isDesignable() && p.isScriptable() && p.isStored() && !p.hasNotifySignal());
        }

        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        EventCounter paints(&button, QEvent::Paint);
        QCoreApplication::processEvents();
        paints.count = 0;
        button.setDisableImage(QString());
        button.setDisableTextInfo(QStringLiteral("0,0"));
        QTest::qWait(50);
        QCOMPARE(paints.count, 0);
        button.update(); // the counter does see a repaint that is asked for
        QTRY_VERIFY(paints.count > 0);
    }

private:
    QTemporaryDir m_dir;
    double m_factor = 1.0;
    QString m_skin;
};

QTEST_MAIN(TestUxPushButton)
#include "tst_uxpushbutton.moc"

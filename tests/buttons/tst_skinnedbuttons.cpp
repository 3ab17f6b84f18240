#include "ScreenFactor.h"
#include "support/EventCounter.h"
#include "support/TestArtwork.h"

#include <UxCheckBox.h>
#include <UxComboBox.h>
#include <UxPushButton.h>
#include <UxRadioButton.h>
#include <UxResourceMgr.h>
#include <uxToolButton.h>

#include <QApplication>
#include <QMetaProperty>
#include <QPainter>
#include <QStyleFactory>
#include <QtTest>

#include <memory>

namespace {

using WidgetPtr = std::unique_ptr<QWidget>;

enum class Button { Push, Check, Radio, Tool, Combo };
const Button kAllButtons[] = {Button::Push, Button::Check, Button::Radio, Button::Tool,
                              Button::Combo};

QString nameOf(Button button)
{
    const char *names[] = {"push", "check", "radio", "tool", "combo"};
    return QString::fromLatin1(names[int(button)]);
}

// The push button and the combo box read the long info form, the others the short one.
bool readsLongForm(Button button)
{
    return button == Button::Push || button == Button::Combo;
}

// The skinned class and its Qt base, both captioned and sized the same.
std::pair<WidgetPtr, WidgetPtr> makePair(Button button, const QString &caption)
{
    WidgetPtr skinned, plain;
    switch (button) {
    case Button::Push:
        skinned.reset(new UxPushButton), plain.reset(new QPushButton);
        break;
    case Button::Check:
        skinned.reset(new UxCheckBox), plain.reset(new QCheckBox);
        break;
    case Button::Radio:
        skinned.reset(new UxRadioButton), plain.reset(new QRadioButton);
        break;
    case Button::Tool:
        skinned.reset(new uxToolButton), plain.reset(new QToolButton);
        break;
    case Button::Combo:
        skinned.reset(new UxComboBox), plain.reset(new QComboBox);
        break;
    }
    for (QWidget *widget : {skinned.get(), plain.get()}) {
        QFont font = widget->font();
        font.setPixelSize(12);
        widget->setFont(font);
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            button->setText(caption);
        else if (!caption.isEmpty())
            static_cast<QComboBox *>(widget)->addItem(caption);
        widget->resize(100, 30);
    }
    return {std::move(skinned), std::move(plain)};
}

QImage render(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

Q_DECLARE_METATYPE(Button)

class TestSkinnedButtons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        m_factor = screenFactorOfThisRun();
        UxResourceMgr::setZoomDPI(2.0); // artwork keeps its size
        // Every pixel differs from its neighbours, so any other source part shows.
        m_art.save("skin.png", TestArtwork::gradient(QSize(40, 30)));
        m_art.save("skin@2x.png", TestArtwork::gradient(QSize(80, 60)));
        m_art.save("tiny.png", TestArtwork::gradient(QSize(8, 6)));
    }

    // Each row renders the skinned widget and compares it with its base class's painting
    // plus the overlay drawn by hand where the row says it goes. An empty image rectangle
    // means no image, an empty caption rectangle no caption.
    void paint_data()
    {
        QTest::addColumn<Button>("widget");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("artwork");
        QTest::addColumn<int>("textAlign");
        QTest::addColumn<QRect>("image");
        QTest::addColumn<QRectF>("source");     // in device pixels
        QTest::addColumn<QRect>("captionRect"); // long form: y and height before the screen factor
        QTest::addColumn<int>("align");
        QTest::addColumn<QColor>("colour");

        const QString lng = "2,4,10,20,5,16,255,0,255", shrt = "2,4,10,20,255,0,255";
        const QColor magenta(255, 0, 255), none;
        const int left = Qt::AlignLeft | Qt::AlignVCenter;
        const int centre = Qt::AlignHCenter | Qt::AlignVCenter;
        const int right = Qt::AlignRight | Qt::AlignVCenter;
        const auto row = [](const char *tag, Button widget, bool enabled, const char *text,
                            const QString &info) -> QTestData & {
            return QTest::newRow(tag) << widget << enabled << QString(text) << info;
        };
        const auto asBase = [&](const QString &tag, Button widget, bool enabled, const char *text,
                                const QString &info) {
            row(qPrintable(tag), widget, enabled, text, info)
                << "skin.png" << 0 << QRect() << QRectF() << QRect() << 0 << none;
        };
        for (Button widget : kAllButtons) {
            const QString name = nameOf(widget);
            asBase(name + ": enabled", widget, true, "Play", readsLongForm(widget) ? lng : shrt);
            asBase(name + ": blank info", widget, false, "Play", " ");
        }
        row("push: overlay", Button::Push, false, "Play", lng)
            << "skin.png" << 0 << QRect(2, 2, 96, 26) << QRectF(4, 4, 32, 22)
            << QRect(10, 5, 80, 16) << centre << magenta;
        row("push: ratio-2 artwork", Button::Push, false, "Play", lng)
            << "skin@2x.png" << 0 << QRect(2, 2, 96, 26) << QRectF(8, 8, 64, 44)
            << QRect(10, 5, 80, 16) << centre << magenta;
        asBase("push: no caption", Button::Push, false, "", lng);
        row("push: missing image, caption only", Button::Push, false, "Play", lng)
            << "absent.png" << 0 << QRect() << QRectF() << QRect(10, 5, 80, 16) << centre
            << magenta;
        for (Button widget : {Button::Check, Button::Radio}) {
            row(qPrintable(nameOf(widget) + ": overlay"), widget, false, "Play", shrt)
                << "skin.png" << 0 << QRect(2, 0, 96, 30) << QRectF(0, 0, 40, 30)
                << QRect(10, 0, 80, 30) << left << magenta;
            row(qPrintable(nameOf(widget) + ": image also without caption"), widget, false, "",
                "0,20")
                << "skin.png" << 0 << QRect(0, 0, 80, 30) << QRectF(0, 0, 40, 30) << QRect() << 0
                << none;
        }
        row("check: alpha given", Button::Check, false, "Play", "2,4,10,20,255,0,255,128")
            << "skin.png" << 0 << QRect(2, 0, 96, 30) << QRectF(0, 0, 40, 30)
            << QRect(10, 0, 80, 30) << left << QColor(255, 0, 255, 128);
        const QList<QPair<int, int>> aligns = {
            {0, left}, {1, right}, {2, centre}, {5, left}, {-1, left}};
        for (const auto &align : aligns)
            row(qPrintable(QStringLiteral("tool: textAlign %1").arg(align.first)), Button::Tool,
                false, "Play", shrt)
                << "skin.png" << align.first << QRect(2, 3, 96, 24) << QRectF(3, 3, 34, 24)
                << QRect(10, 3, 80, 24) << align.second << magenta;
        asBase("tool: no caption", Button::Tool, false, "", shrt);
        row("combo: overlay", Button::Combo, false, "Play", lng)
            << "skin.png" << 0 << QRect(2, 3, 96, 24) << QRectF(2, 4, 36, 22)
            << QRect(10, 5, 80, 16) << left << magenta;
        row("combo: ratio-2 artwork", Button::Combo, false, "Play", lng)
            << "skin@2x.png" << 0 << QRect(2, 3, 96, 24) << QRectF(4, 8, 72, 44)
            << QRect(10, 5, 80, 16) << left << magenta;
        asBase("combo: no current item", Button::Combo, false, "", lng);
        // Source parts without width or height are drawPixmap's: up to the picture's edge.
        row("combo: source width 0", Button::Combo, false, "Play", "2,40,10,20,5,16,255,0,255")
            << "skin.png" << 0 << QRect(2, 3, 60, 24) << QRectF(2, 4, 0, 22) << QRect(10, 5, 80, 16)
            << left << magenta;
        row("combo: source width below 0", Button::Combo, false, "Play",
            "2,50,10,20,5,16,255,0,255")
            << "skin.png" << 0 << QRect(2, 3, 50, 24) << QRectF(2, 4, -10, 22)
            << QRect(10, 5, 80, 16) << left << magenta;
        row("push: artwork within its frame", Button::Push, false, "Play", lng)
            << "tiny.png" << 0 << QRect(2, 2, 96, 26) << QRectF(4, 4, 0, -2) << QRect(10, 5, 80, 16)
            << centre << magenta;
        row("tool: artwork within its frame", Button::Tool, false, "Play", shrt)
            << "tiny.png" << 0 << QRect(2, 3, 96, 24) << QRectF(3, 3, 2, 0) << QRect(10, 3, 80, 24)
            << left << magenta;
    }

    void paint()
    {
        QFETCH(Button, widget);
        QFETCH(bool, enabled);
        QFETCH(QString, text);
        QFETCH(QString, info);
        QFETCH(QString, artwork);
        QFETCH(int, textAlign);
        QFETCH(QRect, image);
        QFETCH(QRectF, source);
        QFETCH(QRect, captionRect);
        QFETCH(int, align);
        QFETCH(QColor, colour);
        auto pair = makePair(widget, text);
        QWidget &skinned = *pair.first;
        QVERIFY(skinned.setProperty("disableImage", m_art.path(artwork)));
        QVERIFY(skinned.setProperty("disableTextInfo", info));
        if (widget == Button::Tool)
            QVERIFY(skinned.setProperty("textAlign", textAlign));
        skinned.setEnabled(enabled);
        pair.second->setEnabled(enabled);

        QImage expected = render(*pair.second);
        QPainter painter(&expected);
        if (!image.isEmpty())
            painter.drawPixmap(QRectF(image), QPixmap(m_art.path(artwork)), source);
        if (!captionRect.isEmpty()) {
            if (readsLongForm(widget))
                captionRect = QRect(captionRect.x(), int(captionRect.y() * m_factor),
                                    captionRect.width(), int(captionRect.height() * m_factor));
            painter.setFont(skinned.font());
            painter.setPen(colour);
            painter.drawText(captionRect, align, text);
        }
        painter.end();
        QCOMPARE(render(skinned), expected);
    }

    // Style sheets set the properties; neither setter repaints by itself.
    void propertiesWithoutRepaint_data()
    {
        QTest::addColumn<Button>("widget");
        for (Button widget : kAllButtons)
            QTest::newRow(qPrintable(nameOf(widget))) << widget;
    }

    void propertiesWithoutRepaint()
    {
        QFETCH(Button, widget);
        auto pair = makePair(widget, QStringLiteral("Play"));
        QWidget &skinned = *pair.first;
        const QString path = m_art.path(QStringLiteral("skin.png"));
        skinned.setStyleSheet(QStringLiteral("* { qproperty-disableImage: \"%1\"; "
                                             "qproperty-disableTextInfo: \"1,2\"; }")
                                  .arg(path));
        skinned.ensurePolished();
        QCOMPARE(skinned.property("disableImage").toString(), path);
        QCOMPARE(skinned.property("disableTextInfo").toString(), QStringLiteral("1,2"));
        const QMetaObject *meta = skinned.metaObject();
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QMetaProperty p = meta->property(i);
            QVERIFY(p.isDesignable() && p.isScriptable() && p.isStored() && !p.hasNotifySignal());
        }

        skinned.show();
        QVERIFY(QTest::qWaitForWindowExposed(&skinned));
        EventCounter paints(&skinned, QEvent::Paint);
        QCoreApplication::processEvents();
        paints.count = 0;
        skinned.setProperty("disableImage", QString());
        skinned.setProperty("disableTextInfo", QStringLiteral("0,0"));
        skinned.setProperty("textAlign", 2);
        QTest::qWait(30); // a repaint asked for would arrive in this time; none may
        QCOMPARE(paints.count, 0);
        skinned.update(); // the counter does see a repaint that is asked for
        QTRY_VERIFY(paints.count > 0);
    }

private:
    ArtworkFolder m_art;
    double m_factor = 1.0;
};

QTEST_MAIN(TestSkinnedButtons)
#include "tst_skinnedbuttons.moc"

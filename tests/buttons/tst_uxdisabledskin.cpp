#include "ScreenFactor.h"
#include "buttons/UxDisabledSkin.h"

#include <QWidget>
#include <QtTest>

#include <limits>

using Form = UxDisabledSkin::InfoForm;
Q_DECLARE_METATYPE(Form)

namespace {
UxDisabledSkin::Layout layoutOf(Form form)
{
    return form == Form::Long ? UxDisabledSkin::kComboBox : UxDisabledSkin::kCheckable;
}

// Fields as the widgets read them after parsing; caption top and height are given in
// info units and multiplied by the run's screen factor for the long form.
struct Fields
{
    int imageX, imageWidthCut, textX, textWidthCut, textYUnits, textHeightUnits;
    QColor colour;
};
} // namespace
Q_DECLARE_METATYPE(Fields)

class TestDisabledSkin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void infoText_data()
    {
        const QColor black(0, 0, 0, 255);
        QTest::addColumn<Form>("form");
        QTest::addColumn<QStringList>("texts"); // set one after the other
        QTest::addColumn<Fields>("expected");

        QTest::newRow("long: nine fields, opaque colour")
            << Form::Long << QStringList{"2,4,10,20,5,16,153,153,153"}
            << Fields{2, 4, 10, 20, 5, 16, QColor(153, 153, 153, 255)};
        QTest::newRow("long: ten fields carry alpha")
            << Form::Long << QStringList{"1,2,3,4,5,6,10,20,30,40"}
            << Fields{1, 2, 3, 4, 5, 6, QColor(10, 20, 30, 40)};
        QTest::newRow("long: one field parses nothing")
            << Form::Long << QStringList{"7"} << Fields{0, 0, 0, 0, 0, 0, black};
        QTest::newRow("long: empty field counts 0")
            << Form::Long << QStringList{"1,,3,4,5,6"} << Fields{1, 0, 3, 4, 5, 6, black};
        QTest::newRow("long: four fields take only the image")
            << Form::Long << QStringList{"1,2,3,4"} << Fields{1, 2, 0, 0, 0, 0, black};
        QTest::newRow("long: seven fields keep the colour")
            << Form::Long << QStringList{"1,2,3,4,5,6,7"} << Fields{1, 2, 3, 4, 5, 6, black};
        QTest::newRow("long: later short text keeps the caption")
            << Form::Long << QStringList{"2,4,10,20,5,16,153,153,153", "8,9"}
            << Fields{8, 9, 10, 20, 5, 16, QColor(153, 153, 153)};
        QTest::newRow("long: same text twice gives the same caption")
            << Form::Long << QStringList{"0,0,10,20,5,16", "0,0,10,20,5,16"}
            << Fields{0, 0, 10, 20, 5, 16, black};
        QTest::newRow("long: colour out of range is clamped")
            << Form::Long << QStringList{"0,0,0,0,0,0,300,-5,20"}
            << Fields{0, 0, 0, 0, 0, 0, QColor(255, 0, 20)};

        QTest::newRow("short: two fields")
            << Form::Short << QStringList{"0,20"} << Fields{0, 20, 0, 0, 0, 0, black};
        QTest::newRow("short: six fields keep the colour, no caption top")
            << Form::Short << QStringList{"1,2,3,4,10,20"} << Fields{1, 2, 3, 4, 0, 0, black};
        QTest::newRow("short: seven fields, opaque colour")
            << Form::Short << QStringList{"1,2,3,4,5,6,7"}
            << Fields{1, 2, 3, 4, 0, 0, QColor(5, 6, 7, 255)};
        QTest::newRow("short: eight fields carry alpha")
            << Form::Short << QStringList{"1,2,3,4,5,6,7,8"}
            << Fields{1, 2, 3, 4, 0, 0, QColor(5, 6, 7, 8)};
    }

    void infoText()
    {
        QFETCH(Form, form);
        QFETCH(QStringList, texts);
        QFETCH(Fields, expected);
        UxDisabledSkin skin(layoutOf(form));
        for (const QString &text : texts)
            skin.setTextInfo(text);

        const double factor = form == Form::Long ? m_factor : 1.0;
        QCOMPARE(skin.textInfo(), texts.last());
        QCOMPARE(skin.imageX(), expected.imageX);
        QCOMPARE(skin.imageWidthCut(), expected.imageWidthCut);
        QCOMPARE(skin.textX(), expected.textX);
        QCOMPARE(skin.textWidthCut(), expected.textWidthCut);
        QCOMPARE(skin.textY(), int(expected.textYUnits * factor));
        QCOMPARE(skin.textHeight(), int(expected.textHeightUnits * factor));
        QCOMPARE(skin.textColor(), expected.colour);
    }

    void hugeCaptionFieldsSaturate()
    {
        UxDisabledSkin skin(UxDisabledSkin::kPushButton);
        skin.setTextInfo(QStringLiteral("0,0,0,0,2147483647,-2147483648"));
        QCOMPARE(skin.textY(), std::numeric_limits<int>::max());
        QCOMPARE(skin.textHeight(), std::numeric_limits<int>::min());
    }

    void overlayIsDue_data()
    {
        QTest::addColumn<QString>("info");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("due");
        QTest::newRow("disabled with info") << "0" << false << true;
        QTest::newRow("enabled with info") << "0" << true << false;
        QTest::newRow("empty info") << "" << false << false;
        QTest::newRow("blank info") << " \t " << false << false;
    }

    void overlayIsDue()
    {
        QFETCH(QString, info);
        QFETCH(bool, enabled);
        QFETCH(bool, due);
        QWidget widget;
        widget.setEnabled(enabled);
        UxDisabledSkin skin(UxDisabledSkin::kToolButton);
        skin.setTextInfo(info);
        QCOMPARE(skin.isDue(widget), due);
    }

    void initTestCase() { m_factor = screenFactorOfThisRun(); }

private:
    double m_factor = 1.0;
};

QTEST_MAIN(TestDisabledSkin)
#include "tst_uxdisabledskin.moc"

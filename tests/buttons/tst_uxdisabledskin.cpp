#include "ScreenFactor.h"
#include "buttons/UxDisabledSkin.h"

#include <QWidget>
#include <QtTest>

#include <climits>

using Form = UxDisabledSkin::InfoForm;
Q_DECLARE_METATYPE(Form)

namespace {
UxDisabledSkin::Layout layoutOf(Form form)
{
    return form == Form::Long ? UxDisabledSkin::kComboBox : UxDisabledSkin::kCheckable;
}

// Fields as the widgets read them after parsing, 0 and opaque black unless set; caption
// top and height are given in info units and multiplied by the run's screen factor for
// the long form.
struct Fields
{
    int imageX = 0, imageWidthCut = 0, textX = 0, textWidthCut = 0, textYUnits = 0,
        textHeightUnits = 0;
    QColor colour{0, 0, 0, 255};

    Fields &image(int x, int widthCut)
    {
        imageX = x;
        imageWidthCut = widthCut;
        return *this;
    }
    Fields &text(int x, int widthCut)
    {
        textX = x;
        textWidthCut = widthCut;
        return *this;
    }
    Fields &caption(int yUnits, int heightUnits)
    {
        textYUnits = yUnits;
        textHeightUnits = heightUnits;
        return *this;
    }
    Fields &in(const QColor &c)
    {
        colour = c;
        return *this;
    }
};
} // namespace
Q_DECLARE_METATYPE(Fields)

class TestDisabledSkin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void infoText_data()
    {
        QTest::addColumn<Form>("form");
        QTest::addColumn<QStringList>("texts"); // set one after the other
        QTest::addColumn<Fields>("expected");

        QTest::newRow("long: nine fields, opaque colour")
            << Form::Long << QStringList{"2,4,10,20,5,16,153,153,153"}
            << Fields().image(2, 4).text(10, 20).caption(5, 16).in(QColor(153, 153, 153, 255));
        QTest::newRow("long: ten fields carry alpha")
            << Form::Long << QStringList{"1,2,3,4,5,6,10,20,30,40"}
            << Fields().image(1, 2).text(3, 4).caption(5, 6).in(QColor(10, 20, 30, 40));
        QTest::newRow("long: one field parses nothing")
            << Form::Long << QStringList{"7"} << Fields();
        QTest::newRow("long: empty field counts 0")
            << Form::Long << QStringList{"1,,3,4,5,6"}
            << Fields().image(1, 0).text(3, 4).caption(5, 6);
        QTest::newRow("long: four fields take only the image")
            << Form::Long << QStringList{"1,2,3,4"} << Fields().image(1, 2);
        QTest::newRow("long: seven fields keep the colour")
            << Form::Long << QStringList{"1,2,3,4,5,6,7"}
            << Fields().image(1, 2).text(3, 4).caption(5, 6);
        QTest::newRow("long: later short text keeps the caption")
            << Form::Long << QStringList{"2,4,10,20,5,16,153,153,153", "8,9"}
            << Fields().image(8, 9).text(10, 20).caption(5, 16).in(QColor(153, 153, 153));
        QTest::newRow("long: same text twice gives the same caption")
            << Form::Long << QStringList{"0,0,10,20,5,16", "0,0,10,20,5,16"}
            << Fields().text(10, 20).caption(5, 16);
        QTest::newRow("long: colour out of range is clamped")
            << Form::Long << QStringList{"0,0,0,0,0,0,300,-5,20"}
            << Fields().in(QColor(255, 0, 20));

        QTest::newRow("short: two fields")
            << Form::Short << QStringList{"0,20"} << Fields().image(0, 20);
        QTest::newRow("short: six fields keep the colour, no caption top")
            << Form::Short << QStringList{"1,2,3,4,10,20"} << Fields().image(1, 2).text(3, 4);
        QTest::newRow("short: seven fields, opaque colour")
            << Form::Short << QStringList{"1,2,3,4,5,6,7"}
            << Fields().image(1, 2).text(3, 4).in(QColor(5, 6, 7, 255));
        QTest::newRow("short: eight fields carry alpha")
            << Form::Short << QStringList{"1,2,3,4,5,6,7,8"}
            << Fields().image(1, 2).text(3, 4).in(QColor(5, 6, 7, 8));
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

    // Caption fields at the integer limits saturate, never wrap: each keeps its sign and
    // comes out at least as far from 0 as the screen factor makes it, within int.
    void hugeCaptionFieldsSaturate_data()
    {
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("height");
        QTest::newRow("top INT_MAX, height INT_MIN") << INT_MAX << INT_MIN;
        QTest::newRow("top INT_MIN, height INT_MAX") << INT_MIN << INT_MAX;
    }
    void hugeCaptionFieldsSaturate()
    {
        QFETCH(int, top);
        QFETCH(int, height);
        UxDisabledSkin skin(UxDisabledSkin::kPushButton);
        skin.setTextInfo(QStringLiteral("0,0,0,0,%1,%2").arg(top).arg(height));
        for (const auto &field :
             {qMakePair(top, skin.textY()), qMakePair(height, skin.textHeight())}) {
            const double least = qMin(qAbs(double(field.first)) * m_factor, double(INT_MAX)) - 1;
            QVERIFY2(
                (field.second < 0) == (field.first < 0) && qAbs(double(field.second)) >= least,
                qPrintable(QStringLiteral("%1 read as %2").arg(field.first).arg(field.second)));
        }
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

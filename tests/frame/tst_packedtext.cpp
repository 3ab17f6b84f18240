#include "frame/UxPackedText.h"

#include <QtTest>

class TestPackedText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QList<int>>("numbers"); // one per part
        QTest::newRow("empty parts are kept and read 0")
            << "1,,3," << QChar(',') << QList<int>{1, 0, 3, 0};
        QTest::newRow("empty text is one part") << "" << QChar(',') << QList<int>{0};
        QTest::newRow("blanks around numbers") << " 12 , -3" << QChar(',') << QList<int>{12, -3};
        QTest::newRow("not base-10 numbers read 0")
            << "a,0x10,1.5,2147483648" << QChar(',') << QList<int>{0, 0, 0, 0};
        QTest::newRow("asterisk pairs") << "#ff0000*7" << QChar('*') << QList<int>{0, 7};
    }

    void parts()
    {
        QFETCH(QString, text);
        QFETCH(QChar, separator);
        QFETCH(QList<int>, numbers);
        const UxPackedText packed(text, separator);
        QCOMPARE(packed.count(), numbers.size());
        for (int i = 0; i < numbers.size(); ++i)
            QCOMPARE(packed.number(i), numbers[i]);
        QCOMPARE(packed.number(packed.count()), 0); // past the end: no part, number 0
        QMargins m(9, 9, 9, 9);
        QCOMPARE(UxPackedText::readMargins(text, &m), numbers.size() == 4);
        if (numbers.size() == 4) // top, right, bottom, left
            QCOMPARE(m, QMargins(numbers[3], numbers[0], numbers[1], numbers[2]));
        else
            QCOMPARE(m, QMargins(9, 9, 9, 9));
    }
};

QTEST_APPLESS_MAIN(TestPackedText)
#include "tst_packedtext.moc"

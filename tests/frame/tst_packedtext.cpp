#include "frame/UxPackedText.h"

#include <QtTest>

class TestPackedText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parts_data();
    void parts();
};

void TestPackedText::parts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<QList<int>>("numbers");
    const QChar comma(','), star('*');
    QTest::newRow("numbers") << "2,4,10" << comma << QStringList{"2", "4", "10"}
                             << QList<int>{2, 4, 10};
    QTest::newRow("empty part kept")
        << "1,,3" << comma << QStringList{"1", "", "3"} << QList<int>{1, 0, 3};
    QTest::newRow("empty text is one empty part")
        << "" << comma << QStringList{""} << QList<int>{0};
    QTest::newRow("trailing separator")
        << "4,6," << comma << QStringList{"4", "6", ""} << QList<int>{4, 6, 0};
    QTest::newRow("blanks around numbers")
        << " 12 , -3" << comma << QStringList{" 12 ", " -3"} << QList<int>{12, -3};
    QTest::newRow("not numbers read 0")
        << "a,0x10,1.5,7" << comma << QStringList{"a", "0x10", "1.5", "7"}
        << QList<int>{0, 0, 0, 7};
    QTest::newRow("beyond int reads 0")
        << "2147483647,2147483648" << comma << QStringList{"2147483647", "2147483648"}
        << QList<int>{2147483647, 0};
    QTest::newRow("asterisk pairs")
        << "#ff0000*#00ff00" << star << QStringList{"#ff0000", "#00ff00"} << QList<int>{0, 0};
    QTest::newRow("commas are not asterisks")
        << "a.png,b.png" << star << QStringList{"a.png,b.png"} << QList<int>{0};
}

void TestPackedText::parts()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(QStringList, parts);
    QFETCH(QList<int>, numbers);
    const UxPackedText packed(text, separator);
    QCOMPARE(packed.count(), parts.size());
    QCOMPARE(packed.parts(), parts);
    for (int i = 0; i < numbers.size(); ++i)
        QCOMPARE(packed.number(i), numbers.at(i));
    // Reading past the end is a part that is not there: empty text, number 0.
    QCOMPARE(packed.part(packed.count()), QString());
    QCOMPARE(packed.number(packed.count()), 0);
    QCOMPARE(packed.number(-1), 0);
}

QTEST_APPLESS_MAIN(TestPackedText)
#include "tst_packedtext.moc"

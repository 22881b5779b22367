#include "common/number_text.h"

#include <QTest>
#include <limits>

using namespace ruvo;

class TestNumberText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("plain") << "9600" << 9600.0;
        QTest::newRow("leading blanks") << "  \t75" << 75.0;
        QTest::newRow("trailing garbage") << "12abc" << 12.0;
        QTest::newRow("written with spaces") << " 12 " << 12.0;
        QTest::newRow("negative") << "-300" << -300.0;
        QTest::newRow("plus sign") << "+42" << 42.0;
        QTest::newRow("fraction") << "1.25x" << 1.25;
        QTest::newRow("unreadable") << "abc" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("full-width digits are not decimal") << "１２" << 0.0;
        QTest::newRow("colour value") << "11772145" << 11772145.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(ruvo::leadingNumber(text), expected);
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("2.5 to even below") << 2.5 << 2;
        QTest::newRow("3.5 to even above") << 3.5 << 4;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("-3.5") << -3.5 << -4;
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("below half") << 7.49 << 7;
        QTest::newRow("above half") << 7.51 << 8;
        QTest::newRow("too large is held") << 1e12 << std::numeric_limits<int>::max();
        QTest::newRow("too small is held") << -1e12 << std::numeric_limits<int>::min();
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(ruvo::roundHalfEven(value), expected);
    }

    void leadingIntegerRoundsTheFraction()
    {
        QCOMPARE(leadingInteger(u"9600.5"), 9600);
        QCOMPARE(leadingInteger(u"9601.5"), 9602);
        QCOMPARE(leadingInteger(u"99999999999"), std::numeric_limits<int>::max());
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_number_text.moc"

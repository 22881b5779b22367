#include "viewer/page_step.h"

#include <QTest>

using namespace ruvo;

class TestPageStep : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void forward_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");
        QTest::newRow("next") << 1 << 7 << 2;
        QTest::newRow("to the last") << 5 << 7 << 6;
        QTest::newRow("held at the last") << 6 << 7 << 6;
    }
    void forward()
    {
        QFETCH(int, index);
        QFETCH(int, count);
        QTEST(stepForward(index, count), "expected");
    }

    void backward_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("onePage");
        QTest::addColumn<bool>("lastAlone");
        QTest::addColumn<int>("expected");
        QTest::newRow("one page: back one") << 4 << 7 << true << false << 3;
        QTest::newRow("one page: first stays") << 0 << 7 << true << false << 0;
        QTest::newRow("spread 4+5 back to 2+3") << 5 << 7 << false << false << 2;
        QTest::newRow("spread 2+3 back to 0+1") << 3 << 7 << false << false << 0;
        QTest::newRow("N=2 first spread raised to 0") << 1 << 2 << false << false << 0;
        QTest::newRow("odd spread 2+3 back to 0") << 3 << 5 << false << false << 0;
        QTest::newRow("last alone, N=7") << 6 << 7 << false << true << 4;
        QTest::newRow("last alone, N=2") << 1 << 2 << false << true << 0;
        QTest::newRow("last alone, N=3") << 2 << 3 << false << true << 0;
        QTest::newRow("marker but not on the last") << 4 << 7 << false << true << 1;
        QTest::newRow("last alone of one page held at 0") << 0 << 1 << false << true << 0;
    }
    void backward()
    {
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(bool, onePage);
        QFETCH(bool, lastAlone);
        QTEST(stepBackward(index, count, onePage, lastAlone), "expected");
    }
};

QTEST_GUILESS_MAIN(TestPageStep)
#include "tst_page_step.moc"

#include "commands/command_availability.h"

#include <QTest>

using namespace ruvo;

class TestCommandAvailability : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void availability_data()
    {
        QTest::addColumn<bool>("onePage");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("armed");
        QTest::addColumn<int>("spread");
        QTest::addColumn<bool>("next");
        QTest::addColumn<bool>("previous");
        QTest::addColumn<int>("armedAfter");
        // One page at a time.
        QTest::newRow("one: first of five") << true << 0 << 5 << 0 << 0 << true << false << 0;
        QTest::newRow("one: middle") << true << 2 << 5 << 0 << 0 << true << true << 0;
        QTest::newRow("one: last of five") << true << 4 << 5 << 1 << 0 << false << true << 1;
        QTest::newRow("one: single page") << true << 0 << 1 << 1 << 0 << false << false << 1;
        QTest::newRow("one: empty book") << true << 0 << 0 << 0 << 0 << false << false << 0;
        // Spreads: the index names the second page of the spread.
        QTest::newRow("two: N=2 at 1") << false << 1 << 2 << 1 << 2 << false << true << 0;
        QTest::newRow("two: N=5 at 1") << false << 1 << 5 << 0 << 2 << true << false << 0;
        QTest::newRow("two: N=5 at 3") << false << 3 << 5 << 0 << 2 << true << true << 0;
        QTest::newRow("two: last page alone") << false << 4 << 5 << 1 << 0 << false << true << 0;
        QTest::newRow("two: spread ends the book") << false << 5 << 6 << 1 << 2 << false << true << 0;
        QTest::newRow("two: end check used up") << false << 5 << 6 << 0 << 2 << false << true << 0;
        QTest::newRow("two: armed but not at the end") << false << 3 << 7 << 1 << 2 << true << true << 1;
        QTest::newRow("two: N=2 opened at second page") << false << 1 << 2 << 1 << 0 << false << true << 0;
        QTest::newRow("two: one-page book") << false << 0 << 1 << 1 << 0 << false << false << 0;
        QTest::newRow("two: empty book") << false << 0 << 0 << 0 << 0 << false << false << 0;
    }
    void availability()
    {
        QFETCH(bool, onePage);
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(int, armed);
        QFETCH(int, spread);
        const Availability result = evaluateAvailability({index, count, armed != 0, spread == 2, onePage});
        QTEST(result.nextEnabled, "next");
        QTEST(result.previousEnabled, "previous");
        QTEST(int(result.endCheckArmed), "armedAfter");
    }

    // Registering needs a page on screen: a folder without pages shows none.
    void registerNeedsAPageOnScreen_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("a page") << 3 << 5 << true;
        QTest::newRow("the first page") << 0 << 1 << true;
        QTest::newRow("index 0 of an empty book") << 0 << 0 << false;
        QTest::newRow("no page") << -1 << 0 << false;
        QTest::newRow("no index in a book") << -1 << 4 << false;
    }
    void registerNeedsAPageOnScreen()
    {
        QFETCH(int, index);
        QFETCH(int, count);
        for (bool onePage : {false, true})
            QTEST(evaluateAvailability({index, count, 0, 0, onePage}).registerEnabled, "enabled");
    }
};

QTEST_GUILESS_MAIN(TestCommandAvailability)
#include "tst_command_availability.moc"

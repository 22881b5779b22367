// The spare core held idle while a library's own threads work: taken only when it takes up
// the hold within the wait, held until the hold ends, and never held once refused.

#include "imaging/spare_hold.h"
#include "support/scripted_spare.h"

#include <QTest>

#include <atomic>

using namespace ruvo;
using namespace ruvo::test;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(ruvo::test::Spare)

class TestSpareHold : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void heldOnlyWhenTakenUpInTime_data()
    {
        QTest::addColumn<Spare>("spare");
        QTest::addColumn<bool>("held");
        QTest::addColumn<int>("offered");
        QTest::newRow(spareName(Spare::Thread)) << Spare::Thread << true << 1;
        // Run at once on the caller's own thread, there is no other thread to hold.
        QTest::newRow(spareName(Spare::Inline)) << Spare::Inline << false << 1;
        QTest::newRow(spareName(Spare::Late)) << Spare::Late << false << 1;
        QTest::newRow(spareName(Spare::Never)) << Spare::Never << false << 1;
    }
    void heldOnlyWhenTakenUpInTime()
    {
        QFETCH(Spare, spare);
        QFETCH(bool, held);
        QFETCH(int, offered);
        ScriptedSpare core(spare);
        {
            SpareHold hold(core.core());
            // Long enough for a thread of its own to begin on a loaded machine.
            QCOMPARE(hold.held(held ? 5s : 20ms), held);
            QCOMPARE(core.offered(), offered);
            // Asked again, the answer stands.
            QCOMPARE(hold.held(0us), held);
        }
        // The hold ended: a spare core that held lets go, one that begins late takes nothing
        // up and returns at once.
        core.join();
        core.runHeld();
    }

    // While held, the spare core's thread does nothing else: it returns only once the hold ends.
    void holdsUntilTheHoldEnds()
    {
        std::atomic<bool> returned{false};
        std::thread spareThread;
        const SpareCore spare = [&](std::function<void()> task) {
            spareThread = std::thread([&returned, task = std::move(task)] {
                task();
                returned = true;
            });
        };
        {
            SpareHold hold(spare);
            QVERIFY(hold.held(5s));
            QTest::qWait(50);
            QVERIFY(!returned);
        }
        spareThread.join();
        QVERIFY(returned);
    }

    void noSpareCoreIsNeverHeld()
    {
        SpareHold hold(SpareCore{});
        QVERIFY(!hold.held(10ms));
    }
};

QTEST_MAIN(TestSpareHold)
#include "tst_spare_hold.moc"

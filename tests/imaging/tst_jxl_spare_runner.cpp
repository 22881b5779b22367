// libjxl's work shared between the caller and the spare core: every item of every range done
// once, by no more threads than the runner told libjxl of, whatever the spare core does.

#include "imaging/jxl/jxl_spare_runner.h"
#include "support/scripted_spare.h"

#include <QTest>

#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

using namespace ruvo;
using namespace ruvo::test;

Q_DECLARE_METATYPE(ruvo::test::Spare)

namespace {

// What libjxl sees of one run.
struct Work
{
    explicit Work(uint32_t end) : done(end) {}

    std::vector<std::atomic<int>> done;
    std::atomic<int> inits{0};
    std::atomic<size_t> threadsTold{0};
    std::atomic<size_t> highestThread{0};
    std::mutex mutex;
    std::set<std::thread::id> threads;
    JxlParallelRetCode initResult = 0;

    static JxlParallelRetCode init(void* opaque, size_t threads)
    {
        auto* work = static_cast<Work*>(opaque);
        ++work->inits;
        work->threadsTold = threads;
        return work->initResult;
    }
    static void run(void* opaque, uint32_t value, size_t thread)
    {
        auto* work = static_cast<Work*>(opaque);
        ++work->done[value];
        size_t highest = work->highestThread.load();
        while (thread > highest && !work->highestThread.compare_exchange_weak(highest, thread)) {
        }
        // Enough work an item for two threads to meet.
        volatile double sink = 0;
        for (int i = 0; i < 2000; ++i)
            sink = sink + i * 0.5;
        const std::lock_guard lock(work->mutex);
        work->threads.insert(std::this_thread::get_id());
    }
};

} // namespace

class TestJxlSpareRunner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyItemOnceOnTwoThreadsAtMost_data()
    {
        QTest::addColumn<Spare>("spare");
        QTest::addColumn<bool>("given");
        QTest::addColumn<uint32_t>("start");
        QTest::addColumn<uint32_t>("end");
        for (Spare kind : {Spare::Inline, Spare::Thread, Spare::Late, Spare::Never}) {
            for (const auto& [start, end] :
                 {std::pair<uint32_t, uint32_t>{0, 0}, {0, 1}, {3, 4}, {0, 2}, {5, 2000}})
                QTest::addRow("%s, %u to %u", spareName(kind), start, end) << kind << true << start << end;
        }
        QTest::newRow("no spare core, 0 to 2000") << Spare::Never << false << 0u << 2000u;
    }
    void everyItemOnceOnTwoThreadsAtMost()
    {
        QFETCH(Spare, spare);
        QFETCH(bool, given);
        QFETCH(uint32_t, start);
        QFETCH(uint32_t, end);
        ScriptedSpare core(spare);
        JxlSpareRunner runner(given ? core.core() : SpareCore{});
        Work work(end);
        QCOMPARE(JxlSpareRunner::run(&runner, &work, Work::init, Work::run, start, end), 0);
        // Whatever the spare core does later, the range is done when the run returns.
        for (uint32_t value = 0; value < end; ++value)
            QCOMPARE(work.done[value].load(), value >= start ? 1 : 0);
        core.join();
        core.runHeld();
        for (uint32_t value = 0; value < end; ++value)
            QCOMPARE(work.done[value].load(), value >= start ? 1 : 0);
        QCOMPARE(work.inits.load(), 1);
        const bool shared = given && end - start > 1;
        QCOMPARE(work.threadsTold.load(), size_t(shared ? 2 : 1));
        QCOMPARE_LT(work.highestThread.load(), work.threadsTold.load());
        QCOMPARE_LE(work.threads.size(), size_t(2));
        QCOMPARE(core.offered(), shared ? 1 : 0);
    }

    // A failure libjxl's own setting up reports is handed back, and nothing is run.
    void failedInitIsReported()
    {
        ScriptedSpare core(Spare::Inline);
        JxlSpareRunner runner(core.core());
        Work work(10);
        work.initResult = -7;
        QCOMPARE(JxlSpareRunner::run(&runner, &work, Work::init, Work::run, 0, 10), -7);
        for (uint32_t value = 0; value < 10; ++value)
            QCOMPARE(work.done[value].load(), 0);
        QCOMPARE(core.offered(), 0);
    }
};

QTEST_MAIN(TestJxlSpareRunner)
#include "tst_jxl_spare_runner.moc"

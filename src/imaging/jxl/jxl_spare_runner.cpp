#include "imaging/jxl/jxl_spare_runner.h"

#include <atomic>
#include <memory>

namespace ruvo {

namespace {

enum Helper : int
{
    Offered,
    Working,
    Done,
    Withdrawn
};

// One range of work, shared by the caller and the spare core.
struct SharedRange
{
    SharedRange(void* jpegxl, JxlParallelRunFunction work, uint32_t start, uint32_t end)
        : jpegxl(jpegxl), work(work), next(start), end(end)
    {
    }

    void workThrough(size_t thread)
    {
        for (uint64_t item = next.fetch_add(1); item < end; item = next.fetch_add(1))
            work(jpegxl, uint32_t(item), thread);
    }

    void* const jpegxl;
    const JxlParallelRunFunction work;
    std::atomic<uint64_t> next;
    const uint64_t end;
    std::atomic<int> helper{Offered};
};

void runAlone(void* jpegxl, JxlParallelRunFunction work, uint32_t start, uint32_t end)
{
    for (uint32_t item = start; item < end; ++item)
        work(jpegxl, item, 0);
}

} // namespace

JxlParallelRetCode JxlSpareRunner::run(void* runner, void* jpegxl, JxlParallelRunInit init,
                                       JxlParallelRunFunction work, uint32_t start, uint32_t end)
{
    const SpareCore& spare = static_cast<JxlSpareRunner*>(runner)->m_spare;
    const bool shared = spare && end - start > 1;
    if (const JxlParallelRetCode initialised = init(jpegxl, shared ? 2 : 1); initialised != 0)
        return initialised;
    if (!shared) {
        runAlone(jpegxl, work, start, end);
        return 0;
    }
    std::shared_ptr<SharedRange> range;
    try {
        range = std::make_shared<SharedRange>(jpegxl, work, start, end);
        spare([range] {
            int expected = Offered;
            if (!range->helper.compare_exchange_strong(expected, Working))
                return;
            range->workThrough(1);
            range->helper.store(Done);
            range->helper.notify_all();
        });
    } catch (...) {
        // Without memory for the sharing, the caller does it all; whatever the spare core
        // was given finds the range taken.
        if (!range) {
            runAlone(jpegxl, work, start, end);
            return 0;
        }
    }
    range->workThrough(0);
    int expected = Offered;
    if (!range->helper.compare_exchange_strong(expected, Withdrawn))
        range->helper.wait(Working);
    return 0;
}

} // namespace ruvo

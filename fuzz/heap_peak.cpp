#include "heap_peak.h"

#include <sanitizer/allocator_interface.h>

#include <atomic>

namespace ruvo::fuzz {

namespace {

std::atomic<std::int64_t> live{0};
std::atomic<std::int64_t> peak{0};
std::atomic<std::int64_t> atStart{0};

void onAllocation(const volatile void*, std::size_t size)
{
    const std::int64_t now = live.fetch_add(std::int64_t(size)) + std::int64_t(size);
    std::int64_t highest = peak.load();
    while (now > highest && !peak.compare_exchange_weak(highest, now)) {
    }
}

void onRelease(const volatile void* pointer)
{
    const void* const block = const_cast<const void*>(pointer);
    if (block && __sanitizer_get_ownership(block))
        live.fetch_sub(std::int64_t(__sanitizer_get_allocated_size(block)));
}

} // namespace

void HeapPeak::start()
{
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(onAllocation, onRelease) != 0;
    (void)installed;
    atStart = live.load();
    peak = atStart.load();
}

std::int64_t HeapPeak::growth()
{
    return peak.load() - atStart.load();
}

} // namespace ruvo::fuzz

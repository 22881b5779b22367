#include "platform/large_page_memory.h"

#include <cstdint>
#include <limits>
#include <sys/mman.h>

namespace ruvo {

LargePageMemory::LargePageMemory(qsizetype bytes)
{
    if (bytes <= 0 || bytes > std::numeric_limits<qsizetype>::max() - 2 * pageBytes)
        return;
    const auto large = size_t(pageBytes);
    const size_t length = (size_t(bytes) + large - 1) / large * large;
    // One large page more than needed, so that a boundary falls within; the rest goes back.
    void* area = ::mmap(nullptr, length + large, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED)
        return;
    const auto at = reinterpret_cast<std::uintptr_t>(area);
    const std::uintptr_t start = (at + large - 1) & ~std::uintptr_t(large - 1);
    const size_t head = start - at;
    if (head > 0)
        ::munmap(area, head);
    if (large - head > 0)
        ::munmap(reinterpret_cast<void*>(start + length), large - head);
    m_start = reinterpret_cast<void*>(start);
    m_length = length;
    ::madvise(m_start, m_length, MADV_HUGEPAGE);
}

LargePageMemory::~LargePageMemory()
{
    if (m_start)
        ::munmap(m_start, m_length);
}

} // namespace ruvo

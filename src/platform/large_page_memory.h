#pragma once

#include <QtGlobal>

namespace ruvo {

// Memory for megabytes of pixels or bytes: whole large pages, mapped at a large page's
// boundary, with the advice to the system to back them with large pages. A large page takes
// one fault where small ones take 512. It is only advice: the system's setting of transparent
// huge pages decides ("madvise" or "always" follows it), and without large pages the memory is
// made of small ones, as any is.
class LargePageMemory
{
public:
    static constexpr qsizetype pageBytes = qsizetype(2) * 1024 * 1024;

    // Room for at least bytes, not yet touched; none when the system will not map it.
    explicit LargePageMemory(qsizetype bytes);
    ~LargePageMemory();
    LargePageMemory(const LargePageMemory&) = delete;
    LargePageMemory& operator=(const LargePageMemory&) = delete;

    bool isNull() const { return m_start == nullptr; }
    void* data() const { return m_start; }

private:
    void* m_start = nullptr;
    size_t m_length = 0;
};

} // namespace ruvo

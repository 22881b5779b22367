#include "imaging/picture_memory.h"

#include <QtNumeric>

#include <cstdint>
#include <limits>
#include <sys/mman.h>

namespace ruvo {

namespace {

struct Mapping
{
    void* start;
    size_t length;
};

void unmap(void* info)
{
    auto* mapping = static_cast<Mapping*>(info);
    ::munmap(mapping->start, mapping->length);
    delete mapping;
}

// Maps length bytes (a whole number of large pages) at an address that is a multiple of a
// large page, so that every one of them can be a large page; nothing when it cannot.
void* mapAligned(size_t length)
{
    const auto large = size_t(kLargePageBytes);
    void* area = ::mmap(nullptr, length + large, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED)
        return nullptr;
    const auto at = reinterpret_cast<std::uintptr_t>(area);
    const std::uintptr_t start = (at + large - 1) & ~std::uintptr_t(large - 1);
    const size_t head = start - at;
    if (head > 0)
        ::munmap(area, head);
    if (large - head > 0)
        ::munmap(reinterpret_cast<void*>(start + length), large - head);
    auto* aligned = reinterpret_cast<void*>(start);
    // Only advice: a system without large pages maps small ones, as for any memory.
    ::madvise(aligned, length, MADV_HUGEPAGE);
    return aligned;
}

} // namespace

QImage newPicture(QSize size, QImage::Format format)
{
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    qsizetype bits = 0;
    qsizetype bytes = 0;
    // Rows as Qt lays them out: whole 32-bit words.
    if (size.isEmpty() || depth <= 0 || qMulOverflow(qsizetype(size.width()), qsizetype(depth), &bits) ||
        qMulOverflow((bits + 31) / 32 * 4, qsizetype(size.height()), &bytes) || bytes < kLargePageBytes ||
        bytes > std::numeric_limits<qsizetype>::max() - kLargePageBytes)
        return QImage(size, format);
    const qsizetype bytesPerLine = (bits + 31) / 32 * 4;
    const auto length = size_t((bytes + kLargePageBytes - 1) / kLargePageBytes * kLargePageBytes);
    void* memory = mapAligned(length);
    if (!memory)
        return QImage(size, format);
    auto* mapping = new Mapping{memory, length};
    QImage image(static_cast<uchar*>(memory), size.width(), size.height(), bytesPerLine, format, unmap,
                 mapping);
    if (image.isNull())
        unmap(mapping);
    return image;
}

} // namespace ruvo

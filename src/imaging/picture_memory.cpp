#include "imaging/picture_memory.h"

#include <QIODevice>
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

// Bytes rounded up to whole large pages.
size_t wholeLargePages(qsizetype bytes)
{
    return size_t((bytes + kLargePageBytes - 1) / kLargePageBytes * kLargePageBytes);
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
    const size_t length = wholeLargePages(bytes);
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

struct HeldBytes::Memory
{
    explicit Memory(size_t length) : mapping{mapAligned(length), length} {}
    ~Memory()
    {
        if (mapping.start)
            ::munmap(mapping.start, mapping.length);
    }
    Memory(const Memory&) = delete;
    Memory& operator=(const Memory&) = delete;

    Mapping mapping;
};

HeldBytes::HeldBytes() = default;
HeldBytes::~HeldBytes() = default;

bool HeldBytes::readAll(QIODevice& device)
{
    m_bytes = QByteArray();
    m_memory.reset();
    const qint64 size = device.size() - device.pos();
    std::unique_ptr<Memory> memory;
    if (size >= kLargePageBytes && size <= std::numeric_limits<qsizetype>::max() - kLargePageBytes)
        memory = std::make_unique<Memory>(wholeLargePages(size));
    if (!memory || !memory->mapping.start) {
        // Too few bytes to fill a large page, or memory the system will not map: Qt's own.
        QByteArray bytes = device.readAll();
        if (bytes.size() != size)
            return false;
        m_bytes = std::move(bytes);
        return true;
    }
    auto* data = static_cast<char*>(memory->mapping.start);
    for (qint64 read = 0; read < size;) {
        const qint64 got = device.read(data + read, size - read);
        if (got <= 0)
            return false;
        read += got;
    }
    m_memory = std::move(memory);
    m_bytes = QByteArray::fromRawData(data, qsizetype(size));
    return true;
}

} // namespace ruvo

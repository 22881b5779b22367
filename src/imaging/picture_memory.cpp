#include "imaging/picture_memory.h"

#include "platform/large_page_memory.h"

#include <QIODevice>
#include <QtNumeric>

namespace ruvo {

namespace {

void release(void* memory)
{
    delete static_cast<LargePageMemory*>(memory);
}

} // namespace

QImage newPicture(QSize size, QImage::Format format)
{
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    qsizetype bits = 0;
    qsizetype bytes = 0;
    if (size.isEmpty() || depth <= 0 || qMulOverflow(qsizetype(size.width()), qsizetype(depth), &bits))
        return QImage(size, format);
    // Rows as Qt lays them out: whole 32-bit words.
    const qsizetype bytesPerLine = (bits + 31) / 32 * 4;
    if (qMulOverflow(bytesPerLine, qsizetype(size.height()), &bytes) || bytes < LargePageMemory::pageBytes)
        return QImage(size, format);
    auto* memory = new LargePageMemory(bytes);
    if (memory->isNull()) {
        delete memory;
        return QImage(size, format);
    }
    QImage image(static_cast<uchar*>(memory->data()), size.width(), size.height(), bytesPerLine, format,
                 release, memory);
    if (image.isNull())
        delete memory;
    return image;
}

HeldBytes::HeldBytes() = default;
HeldBytes::~HeldBytes() = default;

bool HeldBytes::readAll(QIODevice& device)
{
    m_bytes = QByteArray();
    m_memory.reset();
    const qint64 size = device.size() - device.pos();
    std::unique_ptr<LargePageMemory> memory;
    if (size >= LargePageMemory::pageBytes)
        memory = std::make_unique<LargePageMemory>(qsizetype(size));
    if (!memory || memory->isNull()) {
        // Too few bytes to fill a large page, or memory the system will not map: Qt's own.
        QByteArray bytes = device.readAll();
        if (bytes.size() != size)
            return false;
        m_bytes = std::move(bytes);
        return true;
    }
    auto* data = static_cast<char*>(memory->data());
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

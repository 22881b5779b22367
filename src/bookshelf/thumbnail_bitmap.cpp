#include "bookshelf/thumbnail_bitmap.h"

#include <QBuffer>
#include <QImageWriter>

namespace ruvo {

std::optional<QByteArray> thumbnailBitmap(const QImage& thumbnail)
{
    if (thumbnail.isNull())
        return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return std::nullopt;
    QImageWriter writer(&buffer, "BMP");
    // A file header and an info header at the least: anything shorter is no bitmap.
    constexpr qsizetype headerBytes = 14 + 40;
    if (!writer.write(thumbnail) || bytes.size() <= headerBytes || !bytes.startsWith("BM"))
        return std::nullopt;
    return bytes;
}

} // namespace ruvo

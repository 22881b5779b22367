#include "imaging/readers/png_page_reader.h"

#include "imaging/bitmap/png_header.h"
#include "imaging/picture_limits.h"
#include "imaging/readers/page_reading.h"
#include "imaging/stream_bytes.h"

#include <limits>

namespace ruvo {

namespace {

// The signature and the header chunk up to the picture's size.
constexpr qint64 kPngHeadBytes = 24;

DecodedPicture decodePng(QIODevice& file, const SpareCore&, const ScaledSizeOf&)
{
    QImageReader reader(&file, "png");
    return readThroughQt(reader, file.size() * kPngPixelsPerByte);
}

std::optional<QSize> pngSize(QIODevice& file)
{
    const std::optional<PngHeader> header = PngHeader::read(StreamBytes(file).at(0, kPngHeadBytes));
    constexpr quint32 kLongestSide = std::numeric_limits<int>::max();
    if (!header || header->width > kLongestSide || header->height > kLongestSide)
        return std::nullopt;
    return QSize(int(header->width), int(header->height));
}

} // namespace

const PageReader pngPageReader{decodePng, pngSize};

} // namespace ruvo

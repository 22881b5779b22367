#include "imaging/bitmap/png_header.h"

#include <QtEndian>

namespace ruvo {

namespace {

constexpr QByteArrayView kSignature("\x89PNG\r\n\x1A\n", 8);
// The header is the first chunk, width and height first.
constexpr qsizetype kWidthAt = 16;
constexpr qsizetype kHeightAt = 20;
constexpr qsizetype kDepthAt = 24;
constexpr qsizetype kColourTypeAt = 25;

} // namespace

int PngHeader::bitsPerPixel() const
{
    switch (colourType) {
    case 0:
    case 3:
        return depth;
    case 2:
        return 3 * depth;
    case 4:
        return 2 * depth;
    case 6:
        return 4 * depth;
    default:
        return 0;
    }
}

bool PngHeader::hasSignature(QByteArrayView bytes)
{
    return bytes.startsWith(kSignature);
}

std::optional<PngHeader> PngHeader::read(QByteArrayView png)
{
    if (!hasSignature(png) || png.size() < kHeightAt + 4)
        return std::nullopt;
    PngHeader header;
    header.width = qFromBigEndian<quint32>(png.data() + kWidthAt);
    header.height = qFromBigEndian<quint32>(png.data() + kHeightAt);
    if (png.size() > kColourTypeAt) {
        header.depth = quint8(png.at(kDepthAt));
        header.colourType = quint8(png.at(kColourTypeAt));
    }
    return header;
}

} // namespace ruvo

#include "imaging/bitmap/ico_directory.h"

#include "imaging/bitmap/dib_header.h"

#include <QtEndian>

#include <algorithm>
#include <limits>
#include <optional>

namespace ruvo {

namespace {

constexpr qsizetype kDirectoryBytes = 6;
constexpr qsizetype kEntryBytes = 16;
constexpr char kPngSignature[] = "\x89PNG\r\n\x1A\n";
// A PNG's first chunk is its header, width and height first.
constexpr qsizetype kPngWidthAt = 16;
constexpr qsizetype kPngHeightAt = 20;
constexpr qsizetype kPngDepthAt = 24;
constexpr qsizetype kPngColourTypeAt = 25;
// A directory entry holds sides of up to 255 pixels; 0 stands for 256 and more.
constexpr int kLargestEntrySide = 255;

struct Size
{
    qint64 width = 0;
    qint64 height = 0;
};

std::optional<Size> imageSize(QByteArrayView image)
{
    if (image.startsWith(QByteArrayView(kPngSignature, 8))) {
        if (image.size() < kPngHeightAt + 4)
            return std::nullopt;
        return Size{qFromBigEndian<quint32>(image.data() + kPngWidthAt),
                    qFromBigEndian<quint32>(image.data() + kPngHeightAt)};
    }
    const std::optional<DibHeader> header = DibHeader::read(image);
    if (!header || header->width <= 0 || header->height <= 0)
        return std::nullopt;
    // An icon's bitmap holds its colours and its transparency mask, one above
    // the other, and says so in its height.
    return Size{header->width, header->height / 2};
}

// Bits per pixel of a PNG: its depth times the channels of its colour type.
int pngBits(QByteArrayView image)
{
    if (image.size() <= kPngColourTypeAt)
        return 0;
    const int depth = quint8(image.at(kPngDepthAt));
    switch (quint8(image.at(kPngColourTypeAt))) {
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

// The image an entry points at, from its offset to the end of the file.
std::optional<QByteArrayView> entryImage(QByteArrayView ico, qsizetype index)
{
    const qsizetype entryAt = kDirectoryBytes + index * kEntryBytes;
    if (ico.size() < kDirectoryBytes || entryAt + kEntryBytes > ico.size())
        return std::nullopt;
    const qint64 at = qFromLittleEndian<quint32>(ico.data() + entryAt + 12);
    if (at >= ico.size())
        return std::nullopt;
    return ico.sliced(at);
}

char entrySide(qint64 side)
{
    return char(side > kLargestEntrySide ? 0 : side);
}

} // namespace

QByteArray icoWithTrueSizes(QByteArray ico)
{
    if (ico.size() < kDirectoryBytes)
        return ico;
    const qsizetype count = qFromLittleEndian<quint16>(ico.constData() + 4);
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype entryAt = kDirectoryBytes + i * kEntryBytes;
        if (entryAt + kEntryBytes > ico.size())
            break;
        char* entry = ico.data() + entryAt;
        const qint64 bytes = qFromLittleEndian<quint32>(entry + 8);
        const std::optional<QByteArrayView> image = entryImage(ico, i);
        if (!image)
            continue;
        if (bytes > image->size())
            qToLittleEndian<quint32>(quint32(image->size()), entry + 8);
        const std::optional<Size> size = imageSize(*image);
        if (!size || size->width <= 0 || size->height <= 0)
            continue;
        entry[0] = entrySide(size->width);
        entry[1] = entrySide(size->height);
    }
    return ico;
}

int icoImageBits(QByteArrayView ico, int index)
{
    const std::optional<QByteArrayView> image = entryImage(ico, index);
    if (!image)
        return 0;
    if (image->startsWith(QByteArrayView(kPngSignature, 8)))
        return pngBits(*image);
    const std::optional<DibHeader> header = DibHeader::read(*image);
    return header ? header->bitCount : 0;
}

std::optional<QSize> icoImageSize(QByteArrayView ico, int index)
{
    const std::optional<QByteArrayView> image = entryImage(ico, index);
    const std::optional<Size> size = image ? imageSize(*image) : std::nullopt;
    if (!size)
        return std::nullopt;
    const auto side = [](qint64 value) {
        return int(std::min<qint64>(value, std::numeric_limits<int>::max()));
    };
    return QSize(side(size->width), side(size->height));
}

} // namespace ruvo

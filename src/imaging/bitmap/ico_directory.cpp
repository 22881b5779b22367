#include "imaging/bitmap/ico_directory.h"

#include "imaging/bitmap/dib_header.h"
#include "imaging/bitmap/png_header.h"

#include <QtEndian>

#include <algorithm>
#include <limits>
#include <optional>

namespace ruvo {

namespace {

constexpr qsizetype kDirectoryBytes = 6;
constexpr qsizetype kEntryBytes = 16;
// A directory entry holds sides of up to 255 pixels; 0 stands for 256 and more.
constexpr int kLargestEntrySide = 255;

struct Size
{
    qint64 width = 0;
    qint64 height = 0;
};

std::optional<Size> imageSize(QByteArrayView image)
{
    if (PngHeader::hasSignature(image)) {
        const std::optional<PngHeader> png = PngHeader::read(image);
        if (!png)
            return std::nullopt;
        return Size{png->width, png->height};
    }
    const std::optional<DibHeader> header = DibHeader::read(image);
    if (!header || header->width <= 0 || header->height <= 0)
        return std::nullopt;
    // An icon's bitmap holds its colours and its transparency mask, one above
    // the other, and says so in its height.
    return Size{header->width, header->height / 2};
}

char entrySide(qint64 side)
{
    return char(side > kLargestEntrySide ? 0 : side);
}

} // namespace

QByteArray icoWithTrueSizes(QByteArray ico)
{
    const int count = icoImageCount(ico);
    for (int i = 0; i < count; ++i) {
        const qsizetype entryAt = icoDirectoryBytes(i);
        if (entryAt + kEntryBytes > ico.size())
            break;
        char* entry = ico.data() + entryAt;
        const qint64 bytes = qFromLittleEndian<quint32>(entry + 8);
        const QByteArrayView image = icoImage(ico, i);
        if (image.isEmpty())
            continue;
        if (bytes > image.size())
            qToLittleEndian<quint32>(quint32(image.size()), entry + 8);
        const std::optional<Size> size = imageSize(image);
        if (!size || size->width <= 0 || size->height <= 0)
            continue;
        entry[0] = entrySide(size->width);
        entry[1] = entrySide(size->height);
    }
    return ico;
}

int icoImageCount(QByteArrayView ico)
{
    if (ico.size() < kDirectoryBytes)
        return 0;
    return qFromLittleEndian<quint16>(ico.data() + 4);
}

qsizetype icoDirectoryBytes(int count)
{
    return kDirectoryBytes + qsizetype(count) * kEntryBytes;
}

int icoImagesWithin(int count, qint64 fileBytes)
{
    const qint64 room = std::max<qint64>(0, (fileBytes - kDirectoryBytes) / kEntryBytes);
    return int(std::clamp<qint64>(count, 0, room));
}

std::optional<qint64> icoImageOffset(QByteArrayView directory, int index)
{
    const qsizetype entryAt = icoDirectoryBytes(index);
    if (index < 0 || directory.size() < kDirectoryBytes || entryAt + kEntryBytes > directory.size())
        return std::nullopt;
    return qFromLittleEndian<quint32>(directory.data() + entryAt + 12);
}

QByteArrayView icoImage(QByteArrayView ico, int index)
{
    const std::optional<qint64> at = icoImageOffset(ico, index);
    if (!at || *at >= ico.size())
        return {};
    return ico.sliced(*at);
}

std::optional<QSize> icoListedSize(QByteArrayView directory, int index)
{
    if (!icoImageOffset(directory, index))
        return std::nullopt;
    const qsizetype entryAt = icoDirectoryBytes(index);
    const auto side = [&](qsizetype at) {
        const int listed = quint8(directory.at(entryAt + at));
        return listed == 0 ? kLargestEntrySide + 1 : listed;
    };
    return QSize(side(0), side(1));
}

int icoImageBits(QByteArrayView image)
{
    if (PngHeader::hasSignature(image)) {
        const std::optional<PngHeader> png = PngHeader::read(image);
        return png ? png->bitsPerPixel() : 0;
    }
    const std::optional<DibHeader> header = DibHeader::read(image);
    return header ? header->bitCount : 0;
}

std::optional<QSize> icoImageSize(QByteArrayView image)
{
    const std::optional<Size> size = imageSize(image);
    if (!size)
        return std::nullopt;
    const auto side = [](qint64 value) {
        return int(std::min<qint64>(value, std::numeric_limits<int>::max()));
    };
    return QSize(side(size->width), side(size->height));
}

std::optional<IcoImage> icoPageImage(int count, const std::function<std::optional<QSize>(int)>& sizeOf,
                                     const std::function<int(int)>& bitsOf)
{
    std::optional<IcoImage> best;
    std::pair<qint64, int> bestRank{-1, -1};
    for (int i = 0; i < count; ++i) {
        const std::optional<QSize> size = sizeOf(i);
        if (!size)
            continue;
        const std::pair<qint64, int> rank{qint64(size->width()) * size->height(), bitsOf(i)};
        if (size->isValid() && rank > bestRank) {
            best = IcoImage{i, *size};
            bestRank = rank;
        }
    }
    return best;
}

} // namespace ruvo

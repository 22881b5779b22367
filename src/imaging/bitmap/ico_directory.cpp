#include "imaging/bitmap/ico_directory.h"

#include "imaging/bitmap/dib_header.h"

#include <QtEndian>

#include <optional>

namespace ruvo {

namespace {

constexpr qsizetype kDirectoryBytes = 6;
constexpr qsizetype kEntryBytes = 16;
constexpr char kPngSignature[] = "\x89PNG\r\n\x1A\n";
// A PNG's first chunk is its header, width and height first.
constexpr qsizetype kPngWidthAt = 16;
constexpr qsizetype kPngHeightAt = 20;
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
        const qint64 at = qFromLittleEndian<quint32>(entry + 12);
        if (at >= ico.size())
            continue;
        if (bytes > ico.size() - at)
            qToLittleEndian<quint32>(quint32(ico.size() - at), entry + 8);
        const std::optional<Size> size = imageSize(QByteArrayView(ico).sliced(at));
        if (!size || size->width <= 0 || size->height <= 0)
            continue;
        entry[0] = entrySide(size->width);
        entry[1] = entrySide(size->height);
    }
    return ico;
}

} // namespace ruvo

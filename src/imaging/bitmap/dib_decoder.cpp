#include "imaging/bitmap/dib_decoder.h"

#include "imaging/bitmap/dib_header.h"
#include "imaging/picture_limits.h"
#include "imaging/picture_memory.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <optional>

namespace ruvo {

namespace {

constexpr int kInfoHeaderBytes = 40;
constexpr int kMaskedHeaderBytes = 56;
// The header sizes Qt's reader knows. Of these, OS/2's 64-byte header gives
// the compression field its own meanings, so its masks are Qt's to judge.
constexpr quint32 kOs2HeaderBytes = 64;
constexpr std::array<quint32, 5> kQtHeaderSizes = {12, kInfoHeaderBytes, kOs2HeaderBytes, 108, 124};

// Red, green, blue and alpha.
using Masks = std::array<quint32, 4>;

bool fail(QString* error, const char* text)
{
    if (error)
        *error = QString::fromLatin1(text);
    return false;
}

bool masked(quint32 compression)
{
    return compression == DibHeader::BitFields || compression == DibHeader::AlphaBitFields;
}

// The masks follow a plain info header and lie at the same place inside the
// longer ones; the alpha mask is only there in headers of 56 bytes and more,
// or when the compression says so.
std::optional<Masks> masksOf(const DibHeader& header, QByteArrayView dib)
{
    if (!masked(header.compression)) {
        if (header.bitCount == 16)
            return Masks{0x7C00, 0x03E0, 0x001F, 0};
        return Masks{0xFF0000, 0x00FF00, 0x0000FF, 0};
    }
    const bool alpha =
        header.compression == DibHeader::AlphaBitFields || header.headerSize >= kMaskedHeaderBytes;
    const int count = alpha ? 4 : 3;
    if (dib.size() < kInfoHeaderBytes + 4 * count)
        return std::nullopt;
    Masks masks = {0, 0, 0, 0};
    for (int i = 0; i < count; ++i)
        masks[i] = qFromLittleEndian<quint32>(dib.data() + kInfoHeaderBytes + 4 * i);
    return masks;
}

// A channel's bits must lie side by side to make a number.
bool contiguous(quint32 mask)
{
    if (mask == 0)
        return true;
    const quint32 bits = mask >> std::countr_zero(mask);
    return (bits & (bits + 1)) == 0;
}

// A channel's value scaled to 0..255.
int channel(quint32 value, quint32 mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const quint64 most = mask >> shift;
    const quint64 field = (value & mask) >> shift;
    return int((field * 255 + most / 2) / most);
}

bool validBitCount(const DibHeader& header)
{
    if (masked(header.compression))
        return header.bitCount == 16 || header.bitCount == 32;
    switch (header.bitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

} // namespace

QList<QRgb> dibPalette(const DibHeader& header, QByteArrayView dib, qint64 pixelsAt)
{
    const qint64 most = qint64(1) << header.bitCount;
    const qint64 wanted = header.coloursUsed ? std::min<qint64>(header.coloursUsed, most) : most;
    const int entryBytes = header.isCoreHeader() ? 3 : 4;
    const qint64 tableEnd = std::min<qint64>(pixelsAt, dib.size());
    const qint64 stored = std::max<qint64>(0, (tableEnd - header.headerSize) / entryBytes);
    QList<QRgb> palette(most, qRgb(0, 0, 0));
    const auto* data = reinterpret_cast<const uchar*>(dib.data());
    for (qint64 i = 0; i < std::min(wanted, stored); ++i) {
        const uchar* entry = data + header.headerSize + i * entryBytes;
        palette[i] = qRgb(entry[2], entry[1], entry[0]);
    }
    return palette;
}

bool qtReadsDib(QByteArrayView dib, qint64 pixelsAt)
{
    const std::optional<DibHeader> header = DibHeader::read(dib);
    if (!header)
        return true;
    // Qt takes a core header's table for as long as the bit count allows; a shorter one
    // ends where the pixels start.
    if (header->isCoreHeader() && header->bitCount >= 1 && header->bitCount <= 8 && pixelsAt >= 0 &&
        pixelsAt < header->headerSize + 3 * (qint64(1) << header->bitCount))
        return false;
    if (std::find(kQtHeaderSizes.begin(), kQtHeaderSizes.end(), header->headerSize) == kQtHeaderSizes.end())
        return false;
    if (header->compression == DibHeader::AlphaBitFields)
        return false;
    // Plain 16-bit pixels hold 5 bits a channel.
    if (header->compression == DibHeader::Rgb && header->bitCount == 16 && !header->isCoreHeader())
        return false;
    if (header->compression != DibHeader::BitFields || header->headerSize == kOs2HeaderBytes)
        return true;
    const std::optional<Masks> masks = masksOf(*header, dib);
    if (!masks)
        return true;
    return std::all_of(masks->begin(), masks->end(),
                       [](quint32 mask) { return mask == 0 || std::popcount(mask) == 8; });
}

QImage decodeDib(QByteArrayView dib, qint64 pixelsAt, QString* error)
{
    const std::optional<DibHeader> read = DibHeader::read(dib);
    if (!read) {
        fail(error, "bitmap header is truncated");
        return QImage();
    }
    const DibHeader& header = *read;
    if (header.headerSize < 12 || (header.headerSize > 12 && header.headerSize < 16) ||
        header.headerSize > dib.size()) {
        fail(error, "unsupported bitmap header");
        return QImage();
    }
    if (header.compression != DibHeader::Rgb && !masked(header.compression)) {
        fail(error, "bitmap compression is not supported");
        return QImage();
    }
    if (!validBitCount(header)) {
        fail(error, "unsupported bitmap pixel format");
        return QImage();
    }
    if (header.width <= 0 || header.height == 0 || header.height == std::numeric_limits<int>::min()) {
        fail(error, "bitmap has no pixels");
        return QImage();
    }
    const qint64 width = header.width;
    const qint64 rows = header.rows();
    if (width > kPictureMaxSide || rows > kPictureMaxSide || width * rows > kPictureMaxPixels) {
        fail(error, "bitmap is too large");
        return QImage();
    }
    const std::optional<Masks> masks = masksOf(header, dib);
    if (!masks) {
        fail(error, "bitmap masks are missing");
        return QImage();
    }
    if (!std::all_of(masks->begin(), masks->end(), contiguous)) {
        fail(error, "bitmap masks are scattered");
        return QImage();
    }
    // The last row may come without its padding.
    const int bits = header.bitCount;
    const qint64 stride = (width * bits + 31) / 32 * 4;
    const qint64 lastRow = (width * bits + 7) / 8;
    if (pixelsAt < header.headerSize || pixelsAt + stride * (rows - 1) + lastRow > dib.size()) {
        fail(error, "bitmap is truncated");
        return QImage();
    }

    const auto* data = reinterpret_cast<const uchar*>(dib.data());
    const auto value = [&](qint64 x, qint64 y) -> quint32 {
        const qint64 row = header.isBottomUp() ? rows - 1 - y : y;
        const uchar* line = data + pixelsAt + row * stride;
        switch (bits) {
        case 1:
        case 2:
        case 4: {
            const qint64 bit = x * bits;
            return (line[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        }
        case 8:
            return line[x];
        case 16:
            return qFromLittleEndian<quint16>(line + 2 * x);
        case 24:
            return quint32(line[3 * x]) | quint32(line[3 * x + 1]) << 8 | quint32(line[3 * x + 2]) << 16;
        default:
            return qFromLittleEndian<quint32>(line + 4 * x);
        }
    };

    const QList<QRgb> palette = bits <= 8 ? dibPalette(header, dib, pixelsAt) : QList<QRgb>();
    // Many writers leave the alpha channel at zero throughout: such a bitmap is opaque.
    const quint32 alphaMask = (*masks)[3];
    bool alpha = false;
    for (qint64 y = 0; alphaMask && !alpha && y < rows; ++y) {
        for (qint64 x = 0; !alpha && x < width; ++x)
            alpha = (value(x, y) & alphaMask) != 0;
    }
    QImage image =
        newPicture(QSize(int(width), int(rows)), alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) {
        fail(error, "not enough memory for the bitmap");
        return QImage();
    }
    for (qint64 y = 0; y < rows; ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        for (qint64 x = 0; x < width; ++x) {
            const quint32 v = value(x, y);
            if (bits <= 8) {
                out[x] = palette[v];
                continue;
            }
            const int a = alpha ? channel(v, alphaMask) : 255;
            out[x] = qRgba(channel(v, (*masks)[0]), channel(v, (*masks)[1]), channel(v, (*masks)[2]), a);
        }
    }
    return image;
}

QImage decodePackedDib(QByteArrayView packed)
{
    const auto header = DibHeader::parse(packed, nullptr);
    if (!header)
        return QImage();
    const qint64 pixelsAt = header->headerSize + header->tableBytes;
    if (pixelsAt + header->pixelBytes > packed.size())
        return QImage();
    if (!qtReadsDib(packed))
        return decodeDib(packed, pixelsAt, nullptr);
    // Qt reads bitmap files, not bare bitmaps: give it the file header they lack.
    QByteArray file;
    file.reserve(14 + packed.size());
    char fileHeader[14] = {'B', 'M'};
    qToLittleEndian<quint32>(quint32(14 + packed.size()), fileHeader + 2);
    qToLittleEndian<quint32>(quint32(14 + pixelsAt), fileHeader + 10);
    file.append(fileHeader, sizeof fileHeader);
    file.append(packed.data(), packed.size());
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}

} // namespace ruvo

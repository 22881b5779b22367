#include "imaging/bitmap/dib_header.h"

#include "imaging/picture_limits.h"

#include <QtEndian>

#include <limits>

namespace ruvo {

namespace {

bool fail(QString* error, const char* text)
{
    if (error)
        *error = QString::fromLatin1(text);
    return false;
}

bool validBitCount(quint32 compression, int bitCount, bool core)
{
    if (core)
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
    switch (compression) {
    case DibHeader::Rgb:
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
               bitCount == 32;
    case DibHeader::Rle8:
        return bitCount == 8;
    case DibHeader::Rle4:
        return bitCount == 4;
    case DibHeader::BitFields:
        return bitCount == 16 || bitCount == 32;
    case DibHeader::Jpeg:
    case DibHeader::Png:
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<DibHeader> DibHeader::read(QByteArrayView bytes)
{
    const auto* data = reinterpret_cast<const uchar*>(bytes.data());
    if (bytes.size() < 12)
        return std::nullopt;
    DibHeader header;
    header.headerSize = qFromLittleEndian<quint32>(data);
    if (header.isCoreHeader()) {
        header.width = qFromLittleEndian<quint16>(data + 4);
        header.height = qFromLittleEndian<quint16>(data + 6);
        header.bitCount = qFromLittleEndian<quint16>(data + 10);
        return header;
    }
    // Shorter headers (OS/2's of 16 bytes among them) stop after the bit
    // count; what they leave out reads as zero.
    const bool shortened = header.headerSize < 40;
    if (bytes.size() < (shortened ? 16 : 40))
        return std::nullopt;
    header.width = qFromLittleEndian<qint32>(data + 4);
    header.height = qFromLittleEndian<qint32>(data + 8);
    header.bitCount = qFromLittleEndian<quint16>(data + 14);
    if (shortened)
        return header;
    header.compression = qFromLittleEndian<quint32>(data + 16);
    header.coloursUsed = qFromLittleEndian<quint32>(data + 32);
    return header;
}

std::optional<DibHeader> DibHeader::parse(QByteArrayView bytes, QString* error)
{
    if (bytes.size() < 12) {
        fail(error, "bitmap header is truncated");
        return std::nullopt;
    }
    const quint32 headerSize = qFromLittleEndian<quint32>(bytes.data());
    if (headerSize != 12 && (headerSize < 40 || headerSize > 1024)) {
        fail(error, "unsupported bitmap header");
        return std::nullopt;
    }
    const std::optional<DibHeader> fields = read(bytes);
    if (!fields) {
        fail(error, "bitmap header is truncated");
        return std::nullopt;
    }
    DibHeader header = *fields;
    qint64 colours = 0;
    int entryBytes = 4;
    if (header.isCoreHeader()) {
        entryBytes = 3;
        if (header.bitCount <= 8)
            colours = qint64(1) << header.bitCount;
    } else {
        const quint32 used = header.coloursUsed;
        if (header.bitCount <= 8 && header.compression != Jpeg && header.compression != Png) {
            const qint64 most = qint64(1) << header.bitCount;
            if (used > most) {
                fail(error, "bitmap colour table is too long");
                return std::nullopt;
            }
            colours = used ? used : most;
        } else {
            if (used > 256) {
                fail(error, "bitmap colour table is too long");
                return std::nullopt;
            }
            colours = used;
        }
        // The three masks follow a plain info header; later headers hold them inside.
        if (header.compression == BitFields && headerSize == 40)
            header.maskBytes = 12;
    }
    header.colours = colours;
    header.tableBytes = header.maskBytes + colours * entryBytes;

    if (!validBitCount(header.compression, header.bitCount, header.isCoreHeader())) {
        fail(error, "unsupported bitmap pixel format");
        return std::nullopt;
    }
    if (header.width <= 0 || header.height == 0 || header.height == std::numeric_limits<int>::min()) {
        fail(error, "bitmap has no pixels");
        return std::nullopt;
    }
    if (header.width > kPictureMaxSide || header.rows() > kPictureMaxSide ||
        qint64(header.width) * header.rows() > kMetafileMaxPixels) {
        fail(error, "bitmap is too large");
        return std::nullopt;
    }
    if (header.compression == Rgb || header.compression == BitFields) {
        const qint64 stride = (qint64(header.width) * header.bitCount + 31) / 32 * 4;
        header.pixelBytes = stride * header.rows();
    }
    return header;
}

} // namespace ruvo

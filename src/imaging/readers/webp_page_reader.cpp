#include "imaging/readers/webp_page_reader.h"

#include "imaging/picture_limits.h"
#include "imaging/readers/page_reading.h"
#include "imaging/stream_bytes.h"

#include <QtEndian>

namespace ruvo {

namespace {

// The RIFF header, then the first chunk: its name, its size and its data.
constexpr qsizetype kChunkNameAt = 12;
constexpr qsizetype kChunkDataAt = 20;
// Enough of the first chunk's data for the size, whichever chunk it is.
constexpr qint64 kWebpHeadBytes = kChunkDataAt + 10;

quint32 littleEndian24(const char* bytes)
{
    return quint8(bytes[0]) | quint32(quint8(bytes[1])) << 8 | quint32(quint8(bytes[2])) << 16;
}

DecodedPicture decodeWebp(QIODevice& file, const SpareCore&, const ScaledSizeOf&)
{
    // Lossless coding repeats any run: the file's size bounds nothing.
    QImageReader reader(&file, "webp");
    return readThroughQt(reader, kPictureMaxPixels);
}

// The canvas of an extended file (VP8X), or the size its one picture's bitstream gives: a lossy
// one's key frame header (VP8), or a lossless one's header (VP8L).
std::optional<QSize> webpSize(QIODevice& file)
{
    const QByteArray head = StreamBytes(file).at(0, kWebpHeadBytes);
    if (head.size() < kWebpHeadBytes)
        return std::nullopt;
    const QByteArrayView chunk = QByteArrayView(head).sliced(kChunkNameAt, 4);
    const char* data = head.constData() + kChunkDataAt;
    if (chunk == "VP8X")
        return QSize(int(littleEndian24(data + 4)) + 1, int(littleEndian24(data + 7)) + 1);
    if (chunk == "VP8L" && quint8(data[0]) == 0x2F) {
        const quint32 bits = qFromLittleEndian<quint32>(data + 1);
        return QSize(int(bits & 0x3FFF) + 1, int((bits >> 14) & 0x3FFF) + 1);
    }
    if (chunk == "VP8 " && QByteArrayView(data + 3, 3) == "\x9D\x01\x2A")
        return QSize(qFromLittleEndian<quint16>(data + 6) & 0x3FFF,
                     qFromLittleEndian<quint16>(data + 8) & 0x3FFF);
    return std::nullopt;
}

} // namespace

const PageReader webpPageReader{decodeWebp, webpSize};

} // namespace ruvo

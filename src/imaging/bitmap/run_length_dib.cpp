#include "imaging/bitmap/run_length_dib.h"

#include "imaging/bitmap/dib_decoder.h"
#include "imaging/bitmap/dib_header.h"
#include "imaging/picture_limits.h"
#include "imaging/picture_memory.h"

namespace ruvo {

namespace {

// The escapes that follow a zero byte.
constexpr quint8 kEndOfLine = 0;
constexpr quint8 kEndOfBitmap = 1;
constexpr quint8 kDelta = 2;

QImage failed(QString* error, const char* reason)
{
    if (error)
        *error = QString::fromLatin1(reason);
    return QImage();
}

} // namespace

QImage decodeRunLengthDib(QByteArrayView dib, qint64 pixelsAt, QString* error)
{
    const std::optional<DibHeader> header = DibHeader::read(dib);
    if (!header || (header->compression != DibHeader::Rle8 && header->compression != DibHeader::Rle4))
        return failed(error, "not a run-length bitmap");
    const bool fourBits = header->compression == DibHeader::Rle4;
    if (header->bitCount != (fourBits ? 4 : 8))
        return failed(error, "run-length bitmap of the wrong bit count");
    // Run-length bitmaps are mostly stored bottom row first; one of negative height runs from
    // the top down instead, as the common readers take it, and is otherwise coded the same.
    const qint64 width = header->width;
    const qint64 height = header->rows();
    const bool bottomUp = header->isBottomUp();
    if (width <= 0 || height <= 0 || width > kPictureMaxSide || height > kPictureMaxSide ||
        width * height > kPictureMaxPixels)
        return failed(error, "run-length bitmap of an impossible size");
    if (pixelsAt < header->headerSize || pixelsAt > dib.size())
        return failed(error, "run-length bitmap whose pixels lie outside it");

    const QList<QRgb> palette = dibPalette(*header, dib, pixelsAt);
    QImage image = newPicture(QSize(int(width), int(height)), QImage::Format_ARGB32);
    if (image.isNull())
        return failed(error, "not enough memory for the picture");
    image.fill(Qt::transparent);

    const auto* data = reinterpret_cast<const uchar*>(dib.data());
    qint64 at = pixelsAt;
    const qint64 end = dib.size();
    // The place of the next pixel is counted from the start of the line the data is on: a
    // run longer than what is left of its row goes on into the next row (the one above it
    // when bottom up), as the common readers draw it, and the end of a line or a skip still
    // counts from that line.
    qint64 x = 0;
    qint64 row = 0;
    const qint64 pixels = width * height;
    qint64 covered = 0;
    // The index of pixel n of a run: a byte a pixel, or two pixels a byte, high half first.
    const auto put = [&](quint8 index) {
        const qint64 place = row * width + x;
        if (place < pixels) {
            const qint64 dataRow = place / width;
            auto* line =
                reinterpret_cast<QRgb*>(image.scanLine(int(bottomUp ? height - 1 - dataRow : dataRow)));
            QRgb& pixel = line[place % width];
            covered += qAlpha(pixel) == 0;
            pixel = palette.at(index);
        }
        ++x;
    };
    while (at + 1 < end && row * width + x < pixels) {
        const quint8 count = data[at];
        const quint8 value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(fourBits ? quint8(i % 2 ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == kEndOfLine) {
            x = 0;
            ++row;
        } else if (value == kEndOfBitmap) {
            break;
        } else if (value == kDelta) {
            if (at + 1 >= end)
                break;
            x += data[at];
            row += data[at + 1];
            at += 2;
        } else {
            // value pixels as they are, padded to a whole number of 16-bit words.
            const qint64 bytes = fourBits ? (value + 1) / 2 : value;
            if (at + bytes > end)
                break;
            for (int i = 0; i < value; ++i)
                put(fourBits ? quint8(i % 2 ? data[at + i / 2] & 0x0F : data[at + i / 2] >> 4)
                             : data[at + i]);
            at += bytes + bytes % 2;
        }
    }
    // A bitmap whose data sets every pixel is opaque.
    return covered == pixels ? image.convertToFormat(QImage::Format_RGB32) : image;
}

} // namespace ruvo

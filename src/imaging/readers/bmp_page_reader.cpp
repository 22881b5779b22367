#include "imaging/readers/bmp_page_reader.h"

#include "imaging/bitmap/dib_decoder.h"
#include "imaging/bitmap/dib_header.h"
#include "imaging/bitmap/run_length_dib.h"
#include "imaging/picture_limits.h"
#include "imaging/readers/page_reading.h"
#include "imaging/stream_bytes.h"

#include <QtEndian>

#include <algorithm>
#include <limits>

namespace ruvo {

namespace {

// A bitmap file starts with a file header, the bitmap header after it.
constexpr int kBmpFileHeaderBytes = 14;
constexpr int kBmpInfoHeaderBytes = 40;
// Enough of a bitmap's start to hold its longest header.
constexpr int kBmpHeadBytes = kBmpFileHeaderBytes + 128;

std::optional<DibHeader> headerOf(const QByteArray& head)
{
    if (head.size() < kBmpFileHeaderBytes)
        return std::nullopt;
    return DibHeader::read(QByteArrayView(head).sliced(kBmpFileHeaderBytes));
}

bool isRunLengthBmp(const QByteArray& head)
{
    const std::optional<DibHeader> header = headerOf(head);
    return header && (header->compression == DibHeader::Rle8 || header->compression == DibHeader::Rle4);
}

// Where the pixels start, after the bitmap header, as the file header says.
qint64 pixelsAfterHeader(const QByteArray& head)
{
    return qint64(qFromLittleEndian<quint32>(head.constData() + 10)) - kBmpFileHeaderBytes;
}

// Qt's reader takes a cut-off bitmap for a whole one and leaves the missing
// rows undefined; uncompressed pixels show from the header how long the file must be.
bool bmpIsComplete(QIODevice& file)
{
    const QByteArray head = file.peek(kBmpFileHeaderBytes + kBmpInfoHeaderBytes);
    const std::optional<DibHeader> header = headerOf(head);
    if (!header)
        return false;
    const qint64 pixelsAt = qFromLittleEndian<quint32>(head.constData() + 10);
    const qint64 width = header->width;
    const qint64 height = header->rows();
    const int bitCount = header->bitCount;
    const bool uncompressed =
        header->compression == DibHeader::Rgb || header->compression == DibHeader::BitFields;
    // Other shapes are Qt's to judge, and absurd sizes are refused right after.
    if (!uncompressed || width <= 0 || height <= 0 || bitCount <= 0 || bitCount > 32 ||
        width > kPictureMaxSide || height > kPictureMaxSide)
        return true;
    // The last row may come without its padding.
    const qint64 stride = (width * bitCount + 31) / 32 * 4;
    const qint64 lastRow = (width * bitCount + 7) / 8;
    return pixelsAt + stride * (height - 1) + lastRow <= file.size();
}

// Bitmaps that Qt's reader refuses or draws wrong, and every run-length one, are decoded
// here.
DecodedPicture readOwnBmp(QIODevice& file, bool runLength)
{
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        return failure(QStringLiteral("cannot read file: ") + file.errorString());
    const qint64 pixelsAt = pixelsAfterHeader(bytes);
    QString error;
    const QByteArrayView dib = QByteArrayView(bytes).sliced(kBmpFileHeaderBytes);
    const QImage image =
        runLength ? decodeRunLengthDib(dib, pixelsAt, &error) : decodeDib(dib, pixelsAt, &error);
    if (image.isNull())
        return failure(QStringLiteral("cannot decode picture: ") + error);
    return DecodedPicture{image, QString()};
}

DecodedPicture decodeBmp(QIODevice& file, const SpareCore&, const ScaledSizeOf&)
{
    // Uncompressed pixels must all be there; runs can describe any number in few bytes.
    const qint64 mostPixels = isRunLengthBmp(file.peek(kBmpHeadBytes))
                                  ? file.size() * kRunLengthBmpPixelsPerByte
                                  : kPictureMaxPixels;
    if (!bmpIsComplete(file))
        return failure(QStringLiteral("BMP is truncated"));
    const QByteArray head = file.peek(kBmpHeadBytes);
    if (isRunLengthBmp(head)) {
        const std::optional<DibHeader> header = headerOf(head);
        const QSize size(header->width, int(std::min<qint64>(header->rows(), kPictureMaxSide + 1)));
        if (std::optional<DecodedPicture> refused = refusedSize(size, mostPixels))
            return *refused;
        return readOwnBmp(file, true);
    }
    if (!qtReadsDib(QByteArrayView(head).sliced(kBmpFileHeaderBytes), pixelsAfterHeader(head)))
        return readOwnBmp(file, false);
    QImageReader reader(&file, "bmp");
    return readThroughQt(reader, mostPixels);
}

// The width and the number of rows the bitmap header gives, whichever way the rows run.
std::optional<QSize> bmpSize(QIODevice& file)
{
    const std::optional<DibHeader> header = headerOf(StreamBytes(file).at(0, kBmpHeadBytes));
    if (!header || header->rows() > std::numeric_limits<int>::max())
        return std::nullopt;
    return QSize(header->width, int(header->rows()));
}

} // namespace

const PageReader bmpPageReader{decodeBmp, bmpSize};

} // namespace ruvo

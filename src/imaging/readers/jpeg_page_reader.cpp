#include "imaging/readers/jpeg_page_reader.h"

#include "imaging/jpeg/jpeg_end.h"
#include "imaging/jpeg/jpeg_frame.h"
#include "imaging/jpeg/jpeg_reader.h"
#include "imaging/jpeg/jpeg_upright_size.h"
#include "imaging/picture_limits.h"
#include "imaging/picture_memory.h"
#include "imaging/readers/page_reading.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>

namespace ruvo {

namespace {

// A complete JPEG ends with its end-of-image marker; a cut-off one does not,
// and Qt's reader then only warns and fills the rest in grey.
constexpr qint64 kJpegTailBytes = 4096;
// Where a JPEG's frame header is looked for: behind a few large metadata segments at most.
constexpr qint64 kJpegHeadBytes = 512 * 1024;

// The first bytes of the file: without a copy when it is in memory already.
QByteArray headOf(QIODevice& file, qint64 bytes)
{
    if (const auto* inMemory = qobject_cast<QBuffer*>(&file)) {
        const QByteArray& all = inMemory->data();
        const qint64 at = std::clamp<qint64>(inMemory->pos(), 0, all.size());
        return QByteArray::fromRawData(all.constData() + at, qsizetype(std::min(bytes, all.size() - at)));
    }
    return file.peek(bytes);
}

// How many pixels the file's data can describe at the most (see picture_limits.h): as many
// as Huffman coding packs into its bytes, unless the frame is coded arithmetically.
qint64 mostPixelsHeld(QIODevice& file)
{
    const std::optional<unsigned char> frame = jpegFrameMarker(headOf(file, kJpegHeadBytes));
    if (!frame || isArithmeticJpegFrame(*frame))
        return kPictureMaxPixels;
    return file.size() * kJpegPixelsPerByte;
}

bool hasJpegEnd(QIODevice& file)
{
    const qint64 size = file.size();
    const qint64 from = std::max<qint64>(0, size - kJpegTailBytes);
    if (!file.seek(from))
        return false;
    const QByteArray tail = file.read(size - from);
    file.seek(0);
    // Most files end with their end marker: only the others are walked through.
    if (tail.contains("\xFF\xD9"))
        return true;
    if (auto* onDisk = qobject_cast<QFile*>(&file)) {
        if (uchar* mapped = onDisk->map(0, size)) {
            const bool whole = jpegEnd(QByteArrayView(mapped, size)).has_value();
            onDisk->unmap(mapped);
            return whole;
        }
    }
    const QByteArray bytes = file.readAll();
    file.seek(0);
    return jpegEnd(bytes).has_value();
}

// JPEGs of one or three channels are decoded here; the others (CMYK) are left to Qt's
// reader, as nothing at all.
std::optional<DecodedPicture> readOwnJpeg(const QByteArray& bytes, qint64 mostPixels, const SpareCore& spare,
                                          const ScaledSizeOf& scaledSize)
{
    JpegReader jpeg(bytes);
    if (!jpeg.readHeader())
        return failure(QStringLiteral("cannot decode picture: ") + jpeg.errorString());
    if (!jpeg.handles())
        return std::nullopt;
    if (std::optional<DecodedPicture> refused = refusedSize(jpeg.size(), mostPixels))
        return refused;
    const QImage image = jpeg.read(spare, scaledSize);
    if (image.isNull())
        return failure(QStringLiteral("cannot decode picture: ") + jpeg.errorString());
    return DecodedPicture{image, QString(), jpeg.scaled(), jpeg.size()};
}

DecodedPicture decodeJpeg(QIODevice& file, const SpareCore& spare, const ScaledSizeOf& scaledSize)
{
    // The picture's bytes in memory, for the checks and our own reader: read whole, once (a
    // file too large for that is streamed by Qt's reader). The bytes read whole are held
    // for as long as the buffer reads them.
    HeldBytes whole;
    QBuffer inMemory;
    if (file.size() <= kJpegReadWholeMaxBytes) {
        if (!whole.readAll(file))
            return failure(QStringLiteral("cannot read file: ") + file.errorString());
        inMemory.setData(whole.bytes());
        inMemory.open(QIODevice::ReadOnly);
    }
    QIODevice& source = inMemory.isOpen() ? static_cast<QIODevice&>(inMemory) : file;
    if (!hasJpegEnd(source))
        return failure(QStringLiteral("JPEG is truncated"));
    const qint64 mostPixels = mostPixelsHeld(source);
    if (inMemory.isOpen()) {
        if (std::optional<DecodedPicture> own = readOwnJpeg(inMemory.data(), mostPixels, spare, scaledSize))
            return *own;
    }
    QImageReader reader(&source, "jpeg");
    // A photo stored on its side stands upright, as our own reader turns it.
    reader.setAutoTransform(true);
    return readThroughQt(reader, mostPixels);
}

} // namespace

const PageReader jpegPageReader{decodeJpeg, jpegUprightSize};

} // namespace ruvo

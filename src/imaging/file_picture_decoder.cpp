#include "imaging/file_picture_decoder.h"

#include "imaging/bitmap/dib_decoder.h"
#include "imaging/bitmap/dib_header.h"
#include "imaging/bitmap/ico_directory.h"
#include "imaging/bitmap/run_length_dib.h"
#include "imaging/gif/gif_first_frame.h"
#include "imaging/gif/gif_screen.h"
#include "imaging/jpeg/jpeg_end.h"
#include "imaging/jpeg/jpeg_frame.h"
#include "imaging/jpeg/jpeg_reader.h"
#include "imaging/metafile/emf_renderer.h"
#include "imaging/metafile/wmf_renderer.h"
#include "imaging/picture_formats.h"
#include "imaging/picture_limits.h"
#include "imaging/picture_memory.h"
#include "imaging/quiet_messages.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <new>
#include <optional>

namespace ruvo {

namespace {

// A complete JPEG ends with its end-of-image marker; a cut-off one does not,
// and Qt's reader then only warns and fills the rest in grey.
constexpr qint64 kJpegTailBytes = 4096;
// Where a JPEG's frame header is looked for: behind a few large metadata segments at most.
constexpr qint64 kJpegHeadBytes = 512 * 1024;
// A bitmap file starts with a file header, the bitmap header after it.
constexpr int kBmpFileHeaderBytes = 14;
constexpr int kBmpInfoHeaderBytes = 40;
// Enough of a bitmap's start to hold its longest header.
constexpr int kBmpHeadBytes = kBmpFileHeaderBytes + 128;
// Enough of a GIF too large to be read whole for its colour table and the extensions before
// its first image.
constexpr int kGifHeadBytes = 64 * 1024;

DecodedPicture failure(const QString& reason)
{
    return DecodedPicture{QImage(), reason};
}

bool tooLarge(const QSize& size)
{
    return size.width() > kPictureMaxSide || size.height() > kPictureMaxSide ||
           qint64(size.width()) * size.height() > kPictureMaxPixels;
}

QString tooLargeText(const QSize& size)
{
    return QStringLiteral("picture is too large (%1x%2)").arg(size.width()).arg(size.height());
}

bool isRunLengthBmp(const QByteArray& head)
{
    if (head.size() < kBmpFileHeaderBytes)
        return false;
    const std::optional<DibHeader> header = DibHeader::read(QByteArrayView(head).sliced(kBmpFileHeaderBytes));
    return header && (header->compression == DibHeader::Rle8 || header->compression == DibHeader::Rle4);
}

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

// How many pixels the file's data can describe at the most; see
// picture_limits.h. Asked before anything else reads the file.
qint64 mostPixelsHeld(QIODevice& file, PictureFormat format)
{
    const qint64 bytes = file.size();
    switch (format) {
    case PictureFormat::Gif:
        return bytes * kGifPixelsPerByte;
    case PictureFormat::Ico:
        return bytes * kIcoPixelsPerByte;
    case PictureFormat::Png:
        return bytes * kPngPixelsPerByte;
    case PictureFormat::Bmp:
        return isRunLengthBmp(file.peek(kBmpHeadBytes)) ? bytes * kRunLengthBmpPixelsPerByte
                                                        : kPictureMaxPixels;
    case PictureFormat::Jpeg: {
        const std::optional<unsigned char> frame = jpegFrameMarker(headOf(file, kJpegHeadBytes));
        if (!frame || isArithmeticJpegFrame(*frame))
            return kPictureMaxPixels;
        return bytes * kJpegPixelsPerByte;
    }
    default:
        return kPictureMaxPixels;
    }
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

// Qt's reader takes a cut-off bitmap for a whole one and leaves the missing
// rows undefined; uncompressed pixels show from the header how long the file must be.
bool bmpIsComplete(QIODevice& file)
{
    const QByteArray head = file.peek(kBmpFileHeaderBytes + kBmpInfoHeaderBytes);
    if (head.size() < kBmpFileHeaderBytes)
        return false;
    const std::optional<DibHeader> header = DibHeader::read(QByteArrayView(head).sliced(kBmpFileHeaderBytes));
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
    const qint64 pixelsAt = qint64(qFromLittleEndian<quint32>(bytes.constData() + 10)) - kBmpFileHeaderBytes;
    QString error;
    const QByteArrayView dib = QByteArrayView(bytes).sliced(kBmpFileHeaderBytes);
    const QImage image =
        runLength ? decodeRunLengthDib(dib, pixelsAt, &error) : decodeDib(dib, pixelsAt, &error);
    if (image.isNull())
        return failure(QStringLiteral("cannot decode picture: ") + error);
    return DecodedPicture{image, QString()};
}

// Sizes no page has, or that the file's data cannot fill.
std::optional<DecodedPicture> refusedSize(QSize size, qint64 mostPixels)
{
    if (size.isValid() && tooLarge(size))
        return failure(tooLargeText(size));
    if (size.isValid() && qint64(size.width()) * size.height() > mostPixels)
        return failure(QStringLiteral("picture is larger than its file can hold (%1x%2)")
                           .arg(size.width())
                           .arg(size.height()));
    return std::nullopt;
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

DecodedPicture readRaster(QIODevice& file, const PictureFormatInfo& format, const SpareCore& spare,
                          const ScaledSizeOf& scaledSize)
{
    // The picture's bytes in memory, for the checks and the readers: a JPEG read whole, once
    // (a file too large for that is streamed by Qt's reader), or what Qt's reader gets when
    // the file itself will not do.
    // The bytes read whole are held for as long as the buffer reads them.
    HeldBytes whole;
    QBuffer inMemory;
    if (format.format == PictureFormat::Jpeg && file.size() <= kJpegReadWholeMaxBytes) {
        if (!whole.readAll(file))
            return failure(QStringLiteral("cannot read file: ") + file.errorString());
        inMemory.setData(whole.bytes());
        inMemory.open(QIODevice::ReadOnly);
    }
    QIODevice& source = inMemory.isOpen() ? static_cast<QIODevice&>(inMemory) : file;
    if (format.format == PictureFormat::Jpeg && !hasJpegEnd(source))
        return failure(QStringLiteral("JPEG is truncated"));
    const qint64 mostPixels = mostPixelsHeld(source, format.format);
    if (inMemory.isOpen()) {
        if (std::optional<DecodedPicture> own = readOwnJpeg(inMemory.data(), mostPixels, spare, scaledSize))
            return *own;
    }
    if (format.format == PictureFormat::Bmp) {
        if (!bmpIsComplete(file))
            return failure(QStringLiteral("BMP is truncated"));
        const QByteArray head = file.peek(kBmpHeadBytes);
        if (isRunLengthBmp(head)) {
            const std::optional<DibHeader> header =
                DibHeader::read(QByteArrayView(head).sliced(kBmpFileHeaderBytes));
            const QSize size(header->width, int(std::min<qint64>(header->rows(), kPictureMaxSide + 1)));
            if (std::optional<DecodedPicture> refused = refusedSize(size, mostPixels))
                return *refused;
            return readOwnBmp(file, true);
        }
        const qint64 pixelsAt =
            qint64(qFromLittleEndian<quint32>(head.constData() + 10)) - kBmpFileHeaderBytes;
        if (!qtReadsDib(QByteArrayView(head).sliced(kBmpFileHeaderBytes), pixelsAt))
            return readOwnBmp(file, false);
    }
    if (format.format == PictureFormat::Ico) {
        if (file.size() > kIconMaxBytes)
            return failure(QStringLiteral("icon file is too large"));
        inMemory.setData(icoWithTrueSizes(file.readAll()));
    }
    if (format.format == PictureFormat::Gif && !inMemory.isOpen() && file.size() <= kGifReadWholeMaxBytes) {
        inMemory.setData(file.readAll());
        if (inMemory.size() != file.size())
            return failure(QStringLiteral("cannot read file: ") + file.errorString());
    }
    if (!inMemory.isOpen() && !inMemory.data().isEmpty())
        inMemory.open(QIODevice::ReadOnly);
    // Where a GIF's first frame lies on its screen, read before the reader moves on.
    const std::optional<GifScreen> gif = format.format != PictureFormat::Gif ? std::nullopt
                                         : inMemory.isOpen()                 ? gifScreen(inMemory.data())
                                                             : gifScreen(file.peek(kGifHeadBytes));
    // The canvas is allocated before a pixel is read, whoever draws the frame. Qt's reader
    // measures a GIF by its first image where the logical screen looks too large to it, but
    // allocates the screen all the same: its size is no guide here.
    if (gif) {
        if (std::optional<DecodedPicture> refused = refusedSize(gifCanvasSize(*gif), mostPixels))
            return *refused;
    }
    if (gif && gif->firstFrame.size() > 1 && inMemory.isOpen()) {
        QString error;
        const QImage frame = composedFirstFrame(inMemory.data(), *gif, mostPixels, &error);
        if (frame.isNull())
            return failure(QStringLiteral("cannot decode picture: ") + error);
        return DecodedPicture{frame, QString()};
    }
    QImageReader reader(inMemory.isOpen() ? static_cast<QIODevice*>(&inMemory) : &file, format.qtFormat);
    // A photo stored on its side stands upright, as the JPEG reader of our own turns it.
    if (format.format == PictureFormat::Jpeg)
        reader.setAutoTransform(true);
    if (format.format == PictureFormat::Ico) {
        // An icon holds several sizes, some in several colour depths; the page is the
        // largest of them, in the most colours.
        // Sizes are the images' own: the reader takes every side of more than 255 for 256.
        int best = -1;
        QSize bestSize;
        std::pair<qint64, int> bestRank{-1, -1};
        const int count = reader.imageCount();
        for (int i = 0; i < count; ++i) {
            if (!reader.jumpToImage(i))
                continue;
            const QSize size = icoImageSize(inMemory.data(), i).value_or(reader.size());
            const std::pair<qint64, int> rank{qint64(size.width()) * size.height(),
                                              icoImageBits(inMemory.data(), i)};
            if (size.isValid() && rank > bestRank) {
                best = i;
                bestSize = size;
                bestRank = rank;
            }
        }
        if (best < 0 || !reader.jumpToImage(best))
            return failure(QStringLiteral("cannot decode icon: ") + reader.errorString());
        if (std::optional<DecodedPicture> refused = refusedSize(bestSize, mostPixels))
            return *refused;
    }
    // The reader knows the size from the header alone; refuse absurd ones
    // before anything is allocated for them.
    if (std::optional<DecodedPicture> refused = refusedSize(reader.size(), mostPixels))
        return *refused;
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return failure(QStringLiteral("cannot decode picture: ") + reader.errorString());
    if (tooLarge(image.size()) || qint64(image.width()) * image.height() > mostPixels)
        return failure(tooLargeText(image.size()));
    if (gif)
        image = withUncoveredScreenClear(std::move(image), *gif);
    return DecodedPicture{image, QString()};
}

// Drawing a metafile lays out text, which needs Qt's font machinery and so a
// GUI application; without one Qt would stop the program instead.
bool canDrawText()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

DecodedPicture readMetafile(QIODevice& file, PictureReader reader)
{
    if (file.size() > kMetafileMaxBytes)
        return failure(QStringLiteral("metafile is too large"));
    if (!canDrawText())
        return failure(QStringLiteral("metafiles can only be drawn in a GUI application"));
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        return failure(QStringLiteral("cannot read file: ") + file.errorString());
    if (reader == PictureReader::WmfRenderer)
        return WmfRenderer().render(bytes);
    return EmfRenderer().render(bytes);
}

DecodedPicture decodeSource(const PageSource& source, const SpareCore& spare, const ScaledSizeOf& scaledSize)
{
    QString error;
    const std::unique_ptr<QIODevice> opened = source.open(&error);
    if (!opened)
        return failure(error);
    QIODevice& file = *opened;
    if (file.size() == 0)
        return failure(QStringLiteral("file is empty"));
    const QByteArray head = file.peek(pictureSignatureBytes);
    const PictureFormatInfo* format =
        source.inArchive() ? archivePictureFormatOfContent(head) : pictureFormatOfContent(head);
    if (!format)
        return failure(QStringLiteral("unrecognised picture format"));
    if (format->reader == PictureReader::QtImageReader)
        return readRaster(file, *format, spare, scaledSize);
    return readMetafile(file, format->reader);
}

} // namespace

FilePictureDecoder::FilePictureDecoder()
{
    // The limit is global to Qt's readers; setting it more than once is harmless.
    static const bool limitSet = [] {
        QImageReader::setAllocationLimit(kImageReaderAllocationMegabytes);
        return true;
    }();
    Q_UNUSED(limitSet);
}

DecodedPicture FilePictureDecoder::decode(const PageRef& page, const SpareCore& spare,
                                          const ScaledSizeOf& scaledSize) const
{
    return decodePage(*page.source(), spare, scaledSize);
}

DecodedPicture FilePictureDecoder::decodePage(const PageSource& source, const SpareCore& spare,
                                              const ScaledSizeOf& scaledSize)
{
    // A damaged or odd file makes Qt's readers and the metafile drawing
    // complain on the terminal; the result says all that is to be said.
    const QuietMessages quiet;
    try {
        return decodeSource(source, spare, scaledSize);
    } catch (const std::bad_alloc&) {
        return failure(QStringLiteral("not enough memory for the picture"));
    } catch (...) {
        return failure(QStringLiteral("unexpected failure while decoding"));
    }
}

} // namespace ruvo

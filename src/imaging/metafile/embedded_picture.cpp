#include "imaging/metafile/embedded_picture.h"

#include "imaging/bitmap/dib_header.h"
#include "imaging/jpeg/jpeg_frame.h"
#include "imaging/picture_limits.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <optional>

namespace ruvo {

namespace {

constexpr char kPngSignature[] = "\x89PNG\r\n\x1A\n";

} // namespace

bool embeddedPictureFits(QByteArrayView picture, quint32 compression)
{
    const bool png = compression == DibHeader::Png;
    if (!png && compression != DibHeader::Jpeg)
        return false;
    // Qt's readers go by what the bytes are, whatever the compression names.
    const std::optional<unsigned char> frame = png ? std::nullopt : jpegFrameMarker(picture);
    if (png ? !picture.startsWith(QByteArrayView(kPngSignature, 8)) : !frame)
        return false;
    QBuffer buffer;
    buffer.setData(QByteArray::fromRawData(picture.data(), picture.size()));
    buffer.open(QIODevice::ReadOnly);
    const QSize size = QImageReader(&buffer, png ? "png" : "jpeg").size();
    if (!size.isValid())
        return false;
    // See picture_limits.h: an arithmetic-coded JPEG is held to the bitmaps' bound alone.
    const qint64 perByte = png ? kPngPixelsPerByte : isArithmeticJpegFrame(*frame) ? 0 : kJpegPixelsPerByte;
    const qint64 mostPixels =
        perByte > 0 ? std::min(kMetafileMaxPixels, perByte * picture.size()) : kMetafileMaxPixels;
    return withinPictureLimits(size.width(), size.height(), mostPixels);
}

} // namespace ruvo

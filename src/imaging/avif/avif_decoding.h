#pragma once

#include "imaging/jpeg/exif_orientation.h"
#include "imaging/picture_decoder.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QSize>
#include <QString>

#include <memory>

struct avifDecoder;

namespace ruvo {

class AvifStreamIo;

// An AVIF read with libavif, as pages are: held to the picture bounds by libavif's own limits
// too, its Exif and XMP left unread (its orientation is its irot and imir boxes'), and, for an
// animation (an AVIF sequence), its first frame alone.
class AvifDecoding
{
public:
    AvifDecoding();
    ~AvifDecoding();
    AvifDecoding(const AvifDecoding&) = delete;
    AvifDecoding& operator=(const AvifDecoding&) = delete;

    // Reads the file's boxes, not its pixels: from bytes that stay as they are while this
    // lives, or from a stream from the device's position on, which must be able to seek.
    // False, with the reason in error(), when they are damaged or cut off before the header
    // ends.
    bool parse(QByteArrayView bytes);
    bool parse(QIODevice& device);

    // After a parse: the picture's size as its header tells, as stored and as it stands once
    // turned upright.
    QSize storedSize() const;
    QSize uprightSize() const { return orientation().turned(storedSize()); }
    ExifOrientation orientation() const;

    // After a parse from bytes: the first frame, in sRGB, upright, its alpha over nothing
    // (premultiplied). The size is judged against the bounds first. Decoded with the spare
    // core's thread beside the caller's when the spare core is free to be held, otherwise on
    // one thread.
    DecodedPicture decodeFirstFrame(const SpareCore& spare);

    QString error() const { return m_error; }

private:
    bool parsed(int result);
    QString failureText(const char* what, int result) const;

    std::unique_ptr<AvifStreamIo> m_stream;
    avifDecoder* m_decoder;
    QString m_error;
};

} // namespace ruvo

#pragma once

#include "imaging/stream_bytes.h"

#include <avif/avif.h>

#include <QByteArray>
#include <QIODevice>

namespace ruvo {

// A stream from a device's position on, as libavif reads it: a box at a time, from wherever
// the box lies, seeking past the rest (the media data, which the header's boxes are often
// after). The device must be able to seek, and this must outlive the decoder it is given to.
class AvifStreamIo
{
public:
    explicit AvifStreamIo(QIODevice& device);
    AvifStreamIo(const AvifStreamIo&) = delete;
    AvifStreamIo& operator=(const AvifStreamIo&) = delete;

    // For avifDecoderSetIO: the decoder does not own it.
    avifIO* io() { return &m_io; }

private:
    static avifResult read(avifIO* io, uint32_t flags, uint64_t offset, size_t size, avifROData* out);

    StreamBytes m_stream;
    // The bytes of the latest read, valid until the next.
    QByteArray m_read;
    avifIO m_io;
};

} // namespace ruvo

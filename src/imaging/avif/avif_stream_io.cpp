#include "imaging/avif/avif_stream_io.h"

#include <limits>

namespace ruvo {

AvifStreamIo::AvifStreamIo(QIODevice& device) : m_stream(device), m_io()
{
    m_io.read = read;
    m_io.sizeHint = uint64_t(std::max<qint64>(m_stream.size(), 0));
    m_io.persistent = AVIF_FALSE;
    m_io.data = this;
}

avifResult AvifStreamIo::read(avifIO* io, uint32_t, uint64_t offset, size_t size, avifROData* out)
{
    auto* self = static_cast<AvifStreamIo*>(io->data);
    if (offset > io->sizeHint)
        return AVIF_RESULT_IO_ERROR;
    const uint64_t count = std::min<uint64_t>(size, io->sizeHint - offset);
    // A box is read whole; one larger than a stream a QByteArray can hold is no header.
    if (count > uint64_t(std::numeric_limits<qsizetype>::max()))
        return AVIF_RESULT_IO_ERROR;
    self->m_read = self->m_stream.at(qint64(offset), qint64(count));
    out->data = reinterpret_cast<const uint8_t*>(self->m_read.constData());
    out->size = size_t(self->m_read.size());
    return AVIF_RESULT_OK;
}

} // namespace ruvo

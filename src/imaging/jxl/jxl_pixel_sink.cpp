#include "imaging/jxl/jxl_pixel_sink.h"

#include "imaging/picture_memory.h"

#include <QRgb>

#include <algorithm>
#include <cstring>

namespace ruvo {

namespace {

QImage::Format formatOf(uint32_t channels)
{
    switch (channels) {
    case 1:
        return QImage::Format_Grayscale8;
    case 3:
        return QImage::Format_RGB32;
    default:
        return QImage::Format_ARGB32_Premultiplied;
    }
}

} // namespace

JxlPixelSink::JxlPixelSink(const JxlBasicInfo& info)
    : m_channels((info.num_color_channels == 1 ? 1 : 3) + (info.alpha_bits > 0 ? 1 : 0))
{
    m_picture = newPicture(QSize(int(info.xsize), int(info.ysize)), formatOf(m_channels));
    if (m_picture.isNull())
        return;
    m_bits = m_picture.bits();
    m_bytesPerLine = m_picture.bytesPerLine();
}

JxlPixelFormat JxlPixelSink::pixelFormat() const
{
    return JxlPixelFormat{m_channels, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
}

void JxlPixelSink::write(void* opaque, size_t x, size_t y, size_t count, const void* pixels)
{
    auto* self = static_cast<JxlPixelSink*>(opaque);
    const auto width = size_t(self->m_picture.width());
    if (y >= size_t(self->m_picture.height()) || x >= width)
        return;
    count = std::min(count, width - x);
    const auto* in = static_cast<const uchar*>(pixels);
    uchar* row = self->m_bits + qsizetype(y) * self->m_bytesPerLine;
    if (self->m_channels == 1) {
        std::memcpy(row + x, in, count);
        return;
    }
    auto* out = reinterpret_cast<QRgb*>(row) + x;
    switch (self->m_channels) {
    case 2:
        for (size_t i = 0; i < count; ++i, in += 2)
            out[i] = qPremultiply(qRgba(in[0], in[0], in[0], in[1]));
        break;
    case 3:
        for (size_t i = 0; i < count; ++i, in += 3)
            out[i] = qRgb(in[0], in[1], in[2]);
        break;
    default:
        for (size_t i = 0; i < count; ++i, in += 4)
            out[i] = qPremultiply(qRgba(in[0], in[1], in[2], in[3]));
        break;
    }
}

} // namespace ruvo

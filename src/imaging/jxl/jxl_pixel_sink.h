#pragma once

#include <jxl/codestream_header.h>
#include <jxl/types.h>

#include <QImage>

namespace ruvo {

// Where libjxl writes a picture's rows as it decodes them, straight into the picture the viewer
// draws: grey as grey, colour as 32-bit pixels, alpha premultiplied (libjxl hands it over
// straight). The rows come from whichever thread decoded them.
class JxlPixelSink
{
public:
    // The picture for an image of that basic information, upright; null when there is no memory
    // for it.
    explicit JxlPixelSink(const JxlBasicInfo& info);

    bool isNull() const { return m_picture.isNull(); }
    // What libjxl is to hand over: 8 bits a channel, as many channels as the picture has.
    JxlPixelFormat pixelFormat() const;
    // For JxlDecoderSetImageOutCallback, with a JxlPixelSink as opaque.
    static void write(void* opaque, size_t x, size_t y, size_t count, const void* pixels);

    // The picture once written, which this lets go of.
    QImage takePicture() { return std::move(m_picture); }

private:
    uint32_t m_channels;
    QImage m_picture;
    uchar* m_bits = nullptr;
    qsizetype m_bytesPerLine = 0;
};

} // namespace ruvo

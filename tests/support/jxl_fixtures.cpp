#include "support/jxl_fixtures.h"

#include <jxl/encode.h>
#include <jxl/encode_cxx.h>

#include <QList>

namespace ruvo::test {

namespace {

// The frame's samples as the encoder takes them: 8 bits a sample, or 16 of which the encoder
// keeps the bits asked for.
QByteArray samplesOf(const QImage& frame, int channels, bool wide)
{
    const QImage pixels = frame.convertToFormat(QImage::Format_ARGB32);
    QByteArray samples;
    samples.reserve(qsizetype(pixels.width()) * pixels.height() * channels * (wide ? 2 : 1));
    const auto put = [&](int value) {
        if (wide) {
            const quint16 sample = quint16(value * 257);
            samples.append(reinterpret_cast<const char*>(&sample), 2);
        } else {
            samples.append(char(value));
        }
    };
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb pixel = row[x];
            if (channels <= 2) {
                put(qGray(pixel));
            } else {
                put(qRed(pixel));
                put(qGreen(pixel));
                put(qBlue(pixel));
            }
            if (channels == 2 || channels == 4)
                put(qAlpha(pixel));
        }
    }
    return samples;
}

// Bits written first to the lowest of each byte, as a codestream holds them.
class BitWriter
{
public:
    void put(quint32 value, int count)
    {
        for (int bit = 0; bit < count; ++bit, ++m_bits) {
            if (m_bits % 8 == 0)
                m_bytes.append('\0');
            if (value >> bit & 1)
                m_bytes[m_bytes.size() - 1] = char(m_bytes.back() | 1 << (m_bits % 8));
        }
    }
    // The widest of the four forms of a size (30 bits), one more than the value written.
    void putSize(quint32 size)
    {
        put(3, 2);
        put(size - 1, 30);
    }
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    int m_bits = 0;
};

} // namespace

QByteArray jxlOf(const QList<QImage>& frames, const JxlSpec& spec)
{
    if (frames.isEmpty())
        return {};
    const bool alpha = frames.first().hasAlphaChannel();
    const int colours = spec.grey ? 1 : 3;
    const int channels = colours + (alpha ? 1 : 0);
    const bool wide = spec.bits > 8;
    const JxlEncoderPtr encoder = JxlEncoderMake(nullptr);
    JxlEncoder* const jxl = encoder.get();
    if (JxlEncoderUseContainer(jxl, spec.container ? JXL_TRUE : JXL_FALSE) != JXL_ENC_SUCCESS)
        return {};
    JxlBasicInfo info;
    JxlEncoderInitBasicInfo(&info);
    info.xsize = uint32_t(frames.first().width());
    info.ysize = uint32_t(frames.first().height());
    info.bits_per_sample = uint32_t(spec.bits);
    info.num_color_channels = uint32_t(colours);
    info.uses_original_profile = spec.lossless ? JXL_TRUE : JXL_FALSE;
    info.orientation = JxlOrientation(spec.orientation);
    if (alpha) {
        info.alpha_bits = uint32_t(spec.bits);
        info.num_extra_channels = 1;
    }
    if (frames.size() > 1) {
        info.have_animation = JXL_TRUE;
        info.animation.tps_numerator = 10;
        info.animation.tps_denominator = 1;
    }
    if (JxlEncoderSetBasicInfo(jxl, &info) != JXL_ENC_SUCCESS)
        return {};
    if (spec.iccProfile.isEmpty()) {
        JxlColorEncoding srgb;
        JxlColorEncodingSetToSRGB(&srgb, spec.grey ? JXL_TRUE : JXL_FALSE);
        if (JxlEncoderSetColorEncoding(jxl, &srgb) != JXL_ENC_SUCCESS)
            return {};
    } else if (JxlEncoderSetICCProfile(jxl, reinterpret_cast<const uint8_t*>(spec.iccProfile.constData()),
                                       size_t(spec.iccProfile.size())) != JXL_ENC_SUCCESS) {
        return {};
    }
    JxlEncoderFrameSettings* settings = JxlEncoderFrameSettingsCreate(jxl, nullptr);
    JxlEncoderFrameSettingsSetOption(settings, JXL_ENC_FRAME_SETTING_EFFORT, 3);
    if (spec.lossless)
        JxlEncoderSetFrameLossless(settings, JXL_TRUE);
    else
        JxlEncoderSetFrameDistance(settings, spec.distance);
    const JxlPixelFormat format{uint32_t(channels), wide ? JXL_TYPE_UINT16 : JXL_TYPE_UINT8,
                                JXL_NATIVE_ENDIAN, 0};
    for (const QImage& frame : frames) {
        if (frames.size() > 1) {
            JxlFrameHeader header;
            JxlEncoderInitFrameHeader(&header);
            header.duration = 1;
            JxlEncoderSetFrameHeader(settings, &header);
        }
        const QByteArray samples = samplesOf(frame, channels, wide);
        if (JxlEncoderAddImageFrame(settings, &format, samples.constData(), size_t(samples.size())) !=
            JXL_ENC_SUCCESS)
            return {};
    }
    JxlEncoderCloseInput(jxl);
    QByteArray out(4096, Qt::Uninitialized);
    qsizetype written = 0;
    for (;;) {
        auto* next = reinterpret_cast<uint8_t*>(out.data() + written);
        size_t room = size_t(out.size() - written);
        const JxlEncoderStatus status = JxlEncoderProcessOutput(jxl, &next, &room);
        written = reinterpret_cast<char*>(next) - out.data();
        if (status == JXL_ENC_SUCCESS)
            return out.left(written);
        if (status != JXL_ENC_NEED_MORE_OUTPUT)
            return {};
        out.resize(out.size() * 2);
    }
}

QByteArray jxlHeaderClaiming(QSize size)
{
    BitWriter bits;
    bits.put(0xFF, 8);
    bits.put(0x0A, 8);
    // Not a small size; the height, no ratio, the width.
    bits.put(0, 1);
    bits.putSize(quint32(size.height()));
    bits.put(0, 3);
    bits.putSize(quint32(size.width()));
    // All the image's metadata as the defaults have it.
    bits.put(1, 1);
    return bits.bytes() + QByteArray(16, '\0');
}

} // namespace ruvo::test

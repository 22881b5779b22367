#include "imaging/jxl/jxl_decoding.h"

#include "imaging/jxl/jxl_pixel_sink.h"
#include "imaging/jxl/jxl_spare_runner.h"
#include "imaging/picture_limits.h"
#include "imaging/readers/page_reading.h"
#include "imaging/srgb_pixels.h"

#include <jxl/decode.h>
#include <jxl/decode_cxx.h>

#include <QColorSpace>

#include <optional>

namespace ruvo {

namespace {

// Far more than any colour profile takes.
constexpr size_t kMostProfileBytes = 4 * 1024 * 1024;

bool isSrgb(const JxlColorEncoding& encoding)
{
    return encoding.white_point == JXL_WHITE_POINT_D65 &&
           encoding.transfer_function == JXL_TRANSFER_FUNCTION_SRGB &&
           (encoding.color_space == JXL_COLOR_SPACE_GRAY ||
            (encoding.color_space == JXL_COLOR_SPACE_RGB && encoding.primaries == JXL_PRIMARIES_SRGB));
}

JxlColorEncoding srgbEncoding(bool grey)
{
    JxlColorEncoding encoding{};
    encoding.color_space = grey ? JXL_COLOR_SPACE_GRAY : JXL_COLOR_SPACE_RGB;
    encoding.white_point = JXL_WHITE_POINT_D65;
    encoding.primaries = JXL_PRIMARIES_SRGB;
    encoding.transfer_function = JXL_TRANSFER_FUNCTION_SRGB;
    encoding.rendering_intent = JXL_RENDERING_INTENT_PERCEPTUAL;
    return encoding;
}

// The colour space of the pixels libjxl hands over: sRGB, or the picture's own, from the profile
// libjxl gives for them.
QColorSpace pixelColourSpace(const JxlDecoder* decoder)
{
    JxlColorEncoding encoding;
    if (JxlDecoderGetColorAsEncodedProfile(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &encoding) ==
            JXL_DEC_SUCCESS &&
        isSrgb(encoding))
        return QColorSpace(QColorSpace::SRgb);
    size_t size = 0;
    if (JxlDecoderGetICCProfileSize(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &size) !=
            JXL_DEC_SUCCESS ||
        size == 0 || size > kMostProfileBytes)
        return {};
    QByteArray profile(qsizetype(size), Qt::Uninitialized);
    if (JxlDecoderGetColorAsICCProfile(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA,
                                       reinterpret_cast<uint8_t*>(profile.data()), size) != JXL_DEC_SUCCESS)
        return {};
    return QColorSpace::fromIccProfile(profile);
}

QString decodeFailure(JxlDecoderStatus status)
{
    if (status == JXL_DEC_NEED_MORE_INPUT)
        return QStringLiteral("picture is cut short");
    if (status == JXL_DEC_SUCCESS)
        return QStringLiteral("picture has no frame");
    return QStringLiteral("cannot decode picture");
}

} // namespace

DecodedPicture decodeJxl(QByteArrayView bytes, const SpareCore& spare)
{
    const JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
    if (!decoder)
        return failure(QStringLiteral("not enough memory for the picture"));
    JxlDecoder* const jxl = decoder.get();
    JxlSpareRunner runner(spare);
    if (JxlDecoderSetParallelRunner(jxl, JxlSpareRunner::run, &runner) != JXL_DEC_SUCCESS ||
        JxlDecoderSubscribeEvents(jxl, JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE) !=
            JXL_DEC_SUCCESS ||
        JxlDecoderSetUnpremultiplyAlpha(jxl, JXL_TRUE) != JXL_DEC_SUCCESS ||
        JxlDecoderSetInput(jxl, reinterpret_cast<const uint8_t*>(bytes.data()), size_t(bytes.size())) !=
            JXL_DEC_SUCCESS)
        return failure(QStringLiteral("cannot set up the picture's decoder"));
    // The input is left open: a file cut short then asks for more, rather than failing as any
    // damage does.

    JxlBasicInfo info{};
    std::optional<JxlPixelSink> sink;
    JxlPixelFormat format{};
    QColorSpace stored;
    for (;;) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(jxl);
        switch (status) {
        case JXL_DEC_BASIC_INFO: {
            if (JxlDecoderGetBasicInfo(jxl, &info) != JXL_DEC_SUCCESS)
                return failure(decodeFailure(JXL_DEC_ERROR));
            // JPEG XL fills a plain area in next to nothing: the file's size bounds nothing.
            if (std::optional<DecodedPicture> refused =
                    refusedLargerThan(info.xsize, info.ysize, kJxlMaxPixels))
                return *refused;
            sink.emplace(info);
            if (sink->isNull())
                return failure(QStringLiteral("not enough memory for the picture"));
            format = sink->pixelFormat();
            break;
        }
        case JXL_DEC_COLOR_ENCODING:
            // A picture coded in XYB is turned into whichever colour space is asked for.
            if (!info.uses_original_profile) {
                const JxlColorEncoding srgb = srgbEncoding(info.num_color_channels == 1);
                JxlDecoderSetPreferredColorProfile(jxl, &srgb);
            }
            stored = pixelColourSpace(jxl);
            break;
        case JXL_DEC_NEED_IMAGE_OUT_BUFFER:
            if (!sink ||
                JxlDecoderSetImageOutCallback(jxl, &format, JxlPixelSink::write, &*sink) != JXL_DEC_SUCCESS)
                return failure(decodeFailure(JXL_DEC_ERROR));
            break;
        case JXL_DEC_FULL_IMAGE: {
            if (!sink)
                return failure(decodeFailure(JXL_DEC_ERROR));
            QImage picture = sink->takePicture();
            convertToSrgb(picture, stored);
            return DecodedPicture{picture, QString()};
        }
        default:
            return failure(decodeFailure(status));
        }
    }
}

} // namespace ruvo

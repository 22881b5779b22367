#include "support/avif_fixtures.h"

#include <avif/avif.h>

#include <QtEndian>

#include <memory>

namespace ruvo::test {

namespace {

struct ImageDeleter
{
    void operator()(avifImage* image) const { avifImageDestroy(image); }
};
struct EncoderDeleter
{
    void operator()(avifEncoder* encoder) const { avifEncoderDestroy(encoder); }
};
using ImagePtr = std::unique_ptr<avifImage, ImageDeleter>;

ImagePtr yuvOf(const QImage& frame, const AvifSpec& spec, bool alpha)
{
    const avifPixelFormat layout =
        spec.lossless || spec.chroma444 ? AVIF_PIXEL_FORMAT_YUV444 : AVIF_PIXEL_FORMAT_YUV420;
    ImagePtr image(
        avifImageCreate(uint32_t(frame.width()), uint32_t(frame.height()), uint32_t(spec.depth), layout));
    image->yuvRange = AVIF_RANGE_FULL;
    image->colorPrimaries = avifColorPrimaries(spec.colourPrimaries);
    image->transferCharacteristics = avifTransferCharacteristics(spec.transfer);
    image->matrixCoefficients =
        spec.lossless ? AVIF_MATRIX_COEFFICIENTS_IDENTITY : AVIF_MATRIX_COEFFICIENTS_BT601;
    if (!spec.iccProfile.isEmpty())
        avifImageSetProfileICC(image.get(), reinterpret_cast<const uint8_t*>(spec.iccProfile.constData()),
                               size_t(spec.iccProfile.size()));
    if (spec.quarterTurns >= 0) {
        image->transformFlags |= AVIF_TRANSFORM_IROT;
        image->irot.angle = uint8_t(spec.quarterTurns);
    }
    if (spec.mirrorMode >= 0) {
        image->transformFlags |= AVIF_TRANSFORM_IMIR;
        image->imir.mode = uint8_t(spec.mirrorMode);
    }
    avifImageAllocatePlanes(image.get(), alpha ? AVIF_PLANES_ALL : AVIF_PLANES_YUV);
    const QImage pixels = frame.convertToFormat(QImage::Format_ARGB32);
    avifRGBImage rgb;
    avifRGBImageSetDefaults(&rgb, image.get());
    rgb.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? AVIF_RGB_FORMAT_BGRA : AVIF_RGB_FORMAT_ARGB;
    rgb.depth = 8;
    rgb.ignoreAlpha = alpha ? AVIF_FALSE : AVIF_TRUE;
    rgb.pixels = const_cast<uint8_t*>(pixels.constBits());
    rgb.rowBytes = uint32_t(pixels.bytesPerLine());
    if (avifImageRGBToYUV(image.get(), &rgb) != AVIF_RESULT_OK)
        return nullptr;
    return image;
}

} // namespace

QByteArray avifOf(const QList<QImage>& frames, const AvifSpec& spec)
{
    if (frames.isEmpty())
        return {};
    const bool alpha = frames.first().hasAlphaChannel();
    std::unique_ptr<avifEncoder, EncoderDeleter> encoder(avifEncoderCreate());
    encoder->speed = AVIF_SPEED_FASTEST;
    encoder->maxThreads = 1;
    const int quantizer = spec.lossless ? AVIF_QUANTIZER_LOSSLESS : spec.quantizer;
    encoder->minQuantizer = encoder->maxQuantizer = quantizer;
    encoder->minQuantizerAlpha = encoder->maxQuantizerAlpha = quantizer;
    avifRWData output = AVIF_DATA_EMPTY;
    avifResult result = AVIF_RESULT_OK;
    if (frames.size() == 1) {
        const ImagePtr image = yuvOf(frames.first(), spec, alpha);
        result = image ? avifEncoderWrite(encoder.get(), image.get(), &output) : AVIF_RESULT_REFORMAT_FAILED;
    } else {
        encoder->timescale = 10;
        for (const QImage& frame : frames) {
            const ImagePtr image = yuvOf(frame, spec, alpha);
            result = image ? avifEncoderAddImage(encoder.get(), image.get(), 1, AVIF_ADD_IMAGE_FLAG_NONE)
                           : AVIF_RESULT_REFORMAT_FAILED;
            if (result != AVIF_RESULT_OK)
                break;
        }
        if (result == AVIF_RESULT_OK)
            result = avifEncoderFinish(encoder.get(), &output);
    }
    QByteArray bytes;
    if (result == AVIF_RESULT_OK)
        bytes = QByteArray(reinterpret_cast<const char*>(output.data), qsizetype(output.size));
    avifRWDataFree(&output);
    return bytes;
}

QByteArray withAvifExtent(QByteArray avif, quint32 width, quint32 height)
{
    // The box's type, then its version and flags, then the two sides.
    for (qsizetype at = avif.indexOf("ispe"); at >= 0 && at + 16 <= avif.size();
         at = avif.indexOf("ispe", at + 4)) {
        qToBigEndian(width, avif.data() + at + 8);
        qToBigEndian(height, avif.data() + at + 12);
    }
    return avif;
}

} // namespace ruvo::test

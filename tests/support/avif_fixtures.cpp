#include "support/avif_fixtures.h"

#include <avif/avif.h>

#include <QColor>
#include <QtEndian>

#include <memory>
#include <vector>

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

QByteArray avifGridClaiming(QSize cell)
{
    constexpr int kCodedSide = 64;
    std::vector<ImagePtr> cells;
    std::vector<const avifImage*> images;
    for (const QColor& colour : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue), QColor(Qt::white)}) {
        QImage pixels(kCodedSide, kCodedSide, QImage::Format_RGB32);
        pixels.fill(colour);
        cells.push_back(yuvOf(pixels, {.lossless = true}, false));
        if (!cells.back())
            return {};
        images.push_back(cells.back().get());
    }
    std::unique_ptr<avifEncoder, EncoderDeleter> encoder(avifEncoderCreate());
    encoder->speed = AVIF_SPEED_FASTEST;
    encoder->maxThreads = 1;
    encoder->minQuantizer = encoder->maxQuantizer = AVIF_QUANTIZER_LOSSLESS;
    avifRWData output = AVIF_DATA_EMPTY;
    avifResult result =
        avifEncoderAddImageGrid(encoder.get(), 2, 2, images.data(), AVIF_ADD_IMAGE_FLAG_SINGLE);
    if (result == AVIF_RESULT_OK)
        result = avifEncoderFinish(encoder.get(), &output);
    QByteArray avif;
    if (result == AVIF_RESULT_OK)
        avif = QByteArray(reinterpret_cast<const char*>(output.data), qsizetype(output.size));
    avifRWDataFree(&output);
    // The grid's description: version and flags (sides of 16 bits), rows and columns less one,
    // then its width and height.
    const QByteArray described = QByteArray("\0\0\x01\x01\0\x80\0\x80", 8);
    const qsizetype gridAt = avif.indexOf(described);
    if (avif.isEmpty() || gridAt < 0 || 2 * cell.width() > 0xFFFF || 2 * cell.height() > 0xFFFF)
        return {};
    qToBigEndian(quint16(2 * cell.width()), avif.data() + gridAt + 4);
    qToBigEndian(quint16(2 * cell.height()), avif.data() + gridAt + 6);
    // The box's type, then its version and flags, then the two sides: the cells' 64 by 64,
    // the grid's twice that.
    for (qsizetype at = avif.indexOf("ispe"); at >= 0 && at + 16 <= avif.size();
         at = avif.indexOf("ispe", at + 4)) {
        const int factor = qFromBigEndian<quint32>(avif.constData() + at + 8) == kCodedSide ? 1 : 2;
        qToBigEndian(quint32(factor * cell.width()), avif.data() + at + 8);
        qToBigEndian(quint32(factor * cell.height()), avif.data() + at + 12);
    }
    return avif;
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

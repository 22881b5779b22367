#include "imaging/avif/avif_decoding.h"

#include "imaging/avif/avif_stream_io.h"
#include "imaging/avif/cicp_colour_space.h"
#include "imaging/avif/heif_orientation.h"
#include "imaging/picture_limits.h"
#include "imaging/picture_memory.h"
#include "imaging/readers/page_reading.h"
#include "imaging/spare_hold.h"
#include "imaging/srgb_pixels.h"

#include <avif/avif.h>

#include <QColorSpace>

namespace ruvo {

namespace {

static_assert(kAvifMaxPixels <= AVIF_DEFAULT_IMAGE_SIZE_LIMIT, "libavif refuses a larger limit");
static_assert(kPictureMaxSide <= AVIF_DEFAULT_IMAGE_DIMENSION_LIMIT);

// How long a decode waits for the spare core to take up its hold: a free one begins within a
// fraction of this, a busy one is not waited for.
constexpr std::chrono::microseconds kSpareHoldWait(1000);

// The 32-bit pixel whose bytes in memory are Qt's 0xAARRGGBB.
constexpr avifRGBFormat kQtPixelOrder =
    Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? AVIF_RGB_FORMAT_BGRA : AVIF_RGB_FORMAT_ARGB;

QColorSpace storedColourSpace(const avifImage& image)
{
    if (image.icc.size > 0)
        return QColorSpace::fromIccProfile(QByteArray::fromRawData(
            reinterpret_cast<const char*>(image.icc.data), qsizetype(image.icc.size)));
    return cicpColourSpace(image.colorPrimaries, image.transferCharacteristics);
}

} // namespace

AvifDecoding::AvifDecoding() : m_decoder(avifDecoderCreate())
{
    if (!m_decoder)
        throw std::bad_alloc();
    // The boxes are read within the widest bounds libavif takes, so that a picture larger than
    // a page may be (a grid's size is judged as its boxes are read) is told by its size rather
    // than taken for a damaged file; the decode itself is held to ours (decodeFirstFrame).
    m_decoder->imageSizeLimit = AVIF_DEFAULT_IMAGE_SIZE_LIMIT;
    m_decoder->imageDimensionLimit = AVIF_DEFAULT_IMAGE_DIMENSION_LIMIT;
    m_decoder->maxThreads = 1;
    m_decoder->ignoreExif = AVIF_TRUE;
    m_decoder->ignoreXMP = AVIF_TRUE;
    // Files that bend the rules libavif checks strictly (a missing pixel-information box, an
    // odd clean aperture) are still pages.
    m_decoder->strictFlags = AVIF_STRICT_DISABLED;
}

AvifDecoding::~AvifDecoding()
{
    avifDecoderDestroy(m_decoder);
}

bool AvifDecoding::parse(QByteArrayView bytes)
{
    const avifResult set = avifDecoderSetIOMemory(m_decoder, reinterpret_cast<const uint8_t*>(bytes.data()),
                                                  size_t(bytes.size()));
    if (set != AVIF_RESULT_OK)
        return parsed(set);
    return parsed(avifDecoderParse(m_decoder));
}

bool AvifDecoding::parse(QIODevice& device)
{
    m_stream = std::make_unique<AvifStreamIo>(device);
    avifDecoderSetIO(m_decoder, m_stream->io());
    return parsed(avifDecoderParse(m_decoder));
}

bool AvifDecoding::parsed(int result)
{
    if (result == AVIF_RESULT_OK && m_decoder->image->width > 0 && m_decoder->image->height > 0)
        return true;
    m_error = failureText("cannot read picture header",
                          result == AVIF_RESULT_OK ? AVIF_RESULT_BMFF_PARSE_FAILED : result);
    return false;
}

QString AvifDecoding::failureText(const char* what, int result) const
{
    QString text = QLatin1StringView(what) + QStringLiteral(": ") +
                   QString::fromUtf8(avifResultToString(avifResult(result)));
    if (m_decoder->diag.error[0] != '\0')
        text += QStringLiteral(" (") + QString::fromUtf8(m_decoder->diag.error) + u')';
    return text;
}

QSize AvifDecoding::storedSize() const
{
    const avifImage& image = *m_decoder->image;
    if (image.width > uint32_t(kPictureMaxSide) || image.height > uint32_t(kPictureMaxSide))
        return {};
    return QSize(int(image.width), int(image.height));
}

ExifOrientation AvifDecoding::orientation() const
{
    const avifImage& image = *m_decoder->image;
    const int turns = image.transformFlags & AVIF_TRANSFORM_IROT ? image.irot.angle : 0;
    HeifMirror mirror = HeifMirror::None;
    if (image.transformFlags & AVIF_TRANSFORM_IMIR)
        mirror = image.imir.mode == 0 ? HeifMirror::TopToBottom : HeifMirror::LeftToRight;
    return heifOrientation(turns, mirror);
}

DecodedPicture AvifDecoding::decodeFirstFrame(const SpareCore& spare)
{
    // AV1 codes a plain area in next to nothing: the file's size bounds nothing.
    if (std::optional<DecodedPicture> refused =
            refusedLargerThan(m_decoder->image->width, m_decoder->image->height, kAvifMaxPixels))
        return *refused;
    const QSize stored = storedSize();
    m_decoder->imageSizeLimit = uint32_t(kAvifMaxPixels);
    m_decoder->imageDimensionLimit = uint32_t(kPictureMaxSide);
    const ExifOrientation upright = orientation();
    const bool alpha = m_decoder->alphaPresent;
    {
        // dav1d runs threads of its own: two of them only while the spare core is held idle.
        SpareHold hold(spare);
        m_decoder->maxThreads = hold.held(kSpareHoldWait) ? 2 : 1;
        const avifResult decoded = avifDecoderNextImage(m_decoder);
        if (decoded != AVIF_RESULT_OK)
            return failure(failureText("cannot decode picture", decoded));
    }
    const avifImage& image = *m_decoder->image;
    if (image.width != uint32_t(stored.width()) || image.height != uint32_t(stored.height()))
        return failure(QStringLiteral("picture is %1x%2, not the %3x%4 its header tells")
                           .arg(image.width)
                           .arg(image.height)
                           .arg(stored.width())
                           .arg(stored.height()));
    QImage picture = newPicture(stored, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (picture.isNull())
        return failure(QStringLiteral("not enough memory for the picture"));
    avifRGBImage rgb;
    avifRGBImageSetDefaults(&rgb, &image);
    rgb.format = kQtPixelOrder;
    rgb.depth = 8;
    rgb.alphaPremultiplied = alpha ? AVIF_TRUE : AVIF_FALSE;
    rgb.pixels = picture.bits();
    rgb.rowBytes = uint32_t(picture.bytesPerLine());
    const avifResult converted = avifImageYUVToRGB(&image, &rgb);
    if (converted != AVIF_RESULT_OK)
        return failure(failureText("cannot convert picture to RGB", converted));
    convertToSrgb(picture, storedColourSpace(image));
    return DecodedPicture{upright.upright(picture), QString()};
}

} // namespace ruvo

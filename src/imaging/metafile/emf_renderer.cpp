#include "imaging/metafile/emf_renderer.h"

#include "imaging/metafile/emf_records.h"
#include "imaging/metafile/emf_validator.h"
#include "imaging/metafile/metafile_size.h"
#include "imaging/picture_memory.h"

#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <emf2svg.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace ruvo {

namespace {

constexpr double kHundredthsOfMillimetrePerInch = 2540.0;
constexpr double kScreenDpi = 96.0;
constexpr size_t kMaxSvgBytes = size_t(128) * 1024 * 1024;
// Drawing the converted picture cannot be interrupted, so its work is bounded
// up front: every record may cover the whole page, and records times pixels
// stays within a few seconds' worth. A page that would need more is drawn
// smaller, down to a size still worth showing.
constexpr double kMaxDrawingWork = 2e10;
constexpr qint64 kSmallestPage = 200 * 200;
// The largest colour table a bitmap's pixel values can index.
constexpr qsizetype kColourTableSlack = 256 * 4;

// libemf2svg keeps no promise of being reentrant (it calls rand() and iconv
// among others), so conversions take turns.
QMutex& converterMutex()
{
    static QMutex mutex;
    return mutex;
}

struct FreeDeleter
{
    void operator()(char* text) const { std::free(text); }
};

DecodedPicture failure(const QString& reason)
{
    return DecodedPicture{QImage(), reason};
}

bool hasArea(const QRect& rect)
{
    return rect.right() > rect.left() && rect.bottom() > rect.top();
}

// Header values are hostile until proven otherwise: spans are taken in double,
// where no difference of two 32-bit values can overflow.
double span(int from, int to)
{
    return double(to) - double(from);
}

// The frame, which is in hundredths of a millimetre, in the recording device's pixels.
QRectF frameInDevicePixels(const EmfLayout& layout)
{
    const double xScale = layout.deviceSize.width() / (layout.deviceMillimetres.width() * 100.0);
    const double yScale = layout.deviceSize.height() / (layout.deviceMillimetres.height() * 100.0);
    const QRect& frame = layout.frame;
    return QRectF(frame.left() * xScale, frame.top() * yScale, span(frame.left(), frame.right()) * xScale,
                  span(frame.top(), frame.bottom()) * yScale);
}

// The drawn area, in the recording device's pixels.
QRectF boundsInDevicePixels(const EmfLayout& layout)
{
    const QRect& bounds = layout.bounds;
    return QRectF(bounds.left(), bounds.top(), span(bounds.left(), bounds.right()) + 1,
                  span(bounds.top(), bounds.bottom()) + 1);
}

// The page in the recording device's pixels: the frame, which is what the
// picture's author meant as the page, widened to the drawing where the
// drawing reaches past it. Some writers put the frame's corner at zero
// whatever the drawing's; the whole drawing is shown all the same.
QRectF pageInDevicePixels(const EmfLayout& layout)
{
    const QRectF bounds = boundsInDevicePixels(layout);
    if (!hasArea(layout.frame))
        return bounds;
    // Writers round the bounds outwards to whole pixels.
    constexpr double kRounding = 1.5;
    const QRectF frame = frameInDevicePixels(layout);
    if (frame.adjusted(-kRounding, -kRounding, kRounding, kRounding).contains(bounds))
        return frame;
    return frame.united(bounds);
}

// A page measured in device pixels is shown at the size the device's
// millimetres give it; one that only has pixels, one to one.
QSizeF naturalSize(const EmfLayout& layout, const QRectF& page)
{
    if (!hasArea(layout.frame))
        return page.size();
    const double millimetresPerPixelX = double(layout.deviceMillimetres.width()) / layout.deviceSize.width();
    const double millimetresPerPixelY =
        double(layout.deviceMillimetres.height()) / layout.deviceSize.height();
    const double perMillimetre = kScreenDpi * 100.0 / kHundredthsOfMillimetrePerInch;
    return QSizeF(page.width() * millimetresPerPixelX * perMillimetre,
                  page.height() * millimetresPerPixelY * perMillimetre);
}

QSize withinDrawingWork(QSize size, qint64 records)
{
    const double work = double(records) * size.width() * size.height();
    if (work <= kMaxDrawingWork)
        return size;
    const double scale = std::sqrt(kMaxDrawingWork / work);
    const QSize smaller(std::max(1, int(size.width() * scale)), std::max(1, int(size.height() * scale)));
    if (qint64(smaller.width()) * smaller.height() < kSmallestPage)
        return QSize();
    return smaller;
}

// A rectangle in whole pixels, if it fits in the header's 32-bit fields.
std::optional<QRect> wholePixels(const QRectF& rect)
{
    constexpr double kLimit = 1e9;
    if (!(std::abs(rect.left()) < kLimit && std::abs(rect.top()) < kLimit &&
          std::abs(rect.right()) < kLimit && std::abs(rect.bottom()) < kLimit))
        return std::nullopt;
    return rect.toAlignedRect();
}

// Glyph numbers are turned back into characters by the converter through
// fontconfig, which it then shuts down under Qt's feet: fontconfig asserts and
// the program aborts. Such text is dropped rather than risked.
void dropGlyphIndexText(QByteArray& bytes, const QList<qint64>& records)
{
    char* data = bytes.data();
    for (qint64 record : records) {
        const bool small = qFromLittleEndian<quint32>(data + record) == EmfRecord::SmallTextOut;
        const qint64 countAt = record + (small ? 16 : 44);
        const qint64 optionsAt = record + (small ? 20 : 52);
        qToLittleEndian<quint32>(0, data + countAt);
        qToLittleEndian<quint32>(qFromLittleEndian<quint32>(data + optionsAt) & ~EmfRecord::glyphIndexOption,
                                 data + optionsAt);
    }
}

// A record the converter must not read becomes one it ignores, of the same size.
void neutralise(QByteArray& bytes, const QList<qint64>& records)
{
    for (qint64 record : records)
        qToLittleEndian<quint32>(EmfRecord::RealizePalette, bytes.data() + record);
}

void writeRect(QByteArray& bytes, int at, const QRect& rect)
{
    char* data = bytes.data();
    qToLittleEndian<qint32>(rect.left(), data + at);
    qToLittleEndian<qint32>(rect.top(), data + at + 4);
    qToLittleEndian<qint32>(rect.right(), data + at + 8);
    qToLittleEndian<qint32>(rect.bottom(), data + at + 12);
}

} // namespace

DecodedPicture EmfRenderer::render(const QByteArray& bytes) const
{
    const EmfValidator validator(bytes);
    if (!validator.isValid())
        return failure(validator.error());
    EmfLayout layout = validator.layout();
    // Only the records up to the end-of-file record go to the converter, and
    // the header counts them as they are. The zeros after them catch the
    // converter's reads of colour tables shorter than a bitmap's pixel values
    // can index.
    QByteArray copy(layout.length + kColourTableSlack, '\0');
    std::memcpy(copy.data(), bytes.constData(), size_t(layout.length));
    qToLittleEndian<quint32>(quint32(layout.length), copy.data() + 48);
    qToLittleEndian<quint32>(quint32(layout.records), copy.data() + 52);
    // The description is never shown, and the converter reads it as a
    // null-terminated string wherever it points; hand it over blank.
    qToLittleEndian<quint32>(0, copy.data() + 60);
    qToLittleEndian<quint32>(0, copy.data() + 64);
    dropGlyphIndexText(copy, layout.glyphIndexText);
    neutralise(copy, layout.skipped);
    // The converter divides by the bounds; a picture that recorded none gets its frame.
    if (!hasArea(layout.bounds)) {
        if (!hasArea(layout.frame))
            return failure(QStringLiteral("EMF picture has no size"));
        const std::optional<QRect> bounds = wholePixels(frameInDevicePixels(layout));
        if (!bounds || !hasArea(*bounds))
            return failure(QStringLiteral("EMF picture has no size"));
        layout.bounds = *bounds;
        writeRect(copy, 8, layout.bounds);
    }
    const QRectF page = pageInDevicePixels(layout);
    const QSize natural = fitMetafileSize(naturalSize(layout, page));
    if (natural.isEmpty())
        return failure(QStringLiteral("EMF picture has no size"));
    const QSize size = withinDrawingWork(natural, layout.records);
    if (size.isEmpty())
        return failure(QStringLiteral("EMF is too complex to draw"));

    generatorOptions options{};
    options.nameSpace = nullptr;
    options.verbose = false;
    options.emfplus = false;
    options.svgDelimiter = true;
    char* svgText = nullptr;
    size_t svgLength = 0;
    int converted = 0;
    {
        const QMutexLocker lock(&converterMutex());
        converted = emf2svg(copy.data(), size_t(layout.length), &svgText, &svgLength, &options);
    }
    const std::unique_ptr<char, FreeDeleter> svg(svgText);
    if (!converted || !svg || svgLength == 0)
        return failure(QStringLiteral("EMF could not be converted"));
    if (svgLength > kMaxSvgBytes)
        return failure(QStringLiteral("EMF is too complex"));

    QSvgRenderer renderer;
    if (!renderer.load(QByteArray::fromRawData(svg.get(), qsizetype(svgLength))) || !renderer.isValid())
        return failure(QStringLiteral("EMF could not be drawn"));
    // The converter's coordinates are device pixels less the bounds' corner.
    const QRect& bounds = layout.bounds;
    renderer.setViewBox(page.translated(-double(bounds.left()), -double(bounds.top())));

    QImage image = newPicture(size, QImage::Format_RGB32);
    if (image.isNull())
        return failure(QStringLiteral("not enough memory for the EMF picture"));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return DecodedPicture{image, QString()};
}

} // namespace ruvo

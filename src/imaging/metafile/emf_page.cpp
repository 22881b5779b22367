#include "imaging/metafile/emf_page.h"

#include "imaging/metafile/metafile_size.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace ruvo {

namespace {

constexpr double kHundredthsOfMillimetrePerInch = 2540.0;
// Drawing the converted picture cannot be interrupted, so its work is bounded
// up front: every record may cover the whole page, and records times pixels
// stays within a few seconds' worth. A page that would need more is drawn
// smaller, down to a size still worth showing.
constexpr double kMaxDrawingWork = 2e10;
constexpr qint64 kSmallestPage = 200 * 200;

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
QRectF boundsInDevicePixels(const QRect& bounds)
{
    return QRectF(bounds.left(), bounds.top(), span(bounds.left(), bounds.right()) + 1,
                  span(bounds.top(), bounds.bottom()) + 1);
}

// The page in the recording device's pixels: the frame, which is what the
// picture's author meant as the page, widened to the drawing where the
// drawing reaches past it. Some writers put the frame's corner at zero
// whatever the drawing's; the whole drawing is shown all the same.
QRectF pageInDevicePixels(const EmfLayout& layout, const QRect& bounds)
{
    const QRectF drawn = boundsInDevicePixels(bounds);
    if (!hasArea(layout.frame))
        return drawn;
    // Writers round the bounds outwards to whole pixels.
    constexpr double kRounding = 1.5;
    const QRectF frame = frameInDevicePixels(layout);
    if (frame.adjusted(-kRounding, -kRounding, kRounding, kRounding).contains(drawn))
        return frame;
    return frame.united(drawn);
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

// The converter divides by the bounds; a picture that recorded none gets its frame.
std::optional<QRect> drawnBounds(const EmfLayout& layout)
{
    if (hasArea(layout.bounds))
        return layout.bounds;
    if (!hasArea(layout.frame))
        return std::nullopt;
    const std::optional<QRect> bounds = wholePixels(frameInDevicePixels(layout));
    if (!bounds || !hasArea(*bounds))
        return std::nullopt;
    return bounds;
}

qint32 s32(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<qint32>(bytes.data() + at);
}

} // namespace

void EmfPage::readHeader(QByteArrayView header, EmfLayout& layout)
{
    layout.bounds = QRect(QPoint(s32(header, 8), s32(header, 12)), QPoint(s32(header, 16), s32(header, 20)));
    layout.frame = QRect(QPoint(s32(header, 24), s32(header, 28)), QPoint(s32(header, 32), s32(header, 36)));
    layout.deviceSize = QSize(s32(header, 72), s32(header, 76));
    layout.deviceMillimetres = QSize(s32(header, 80), s32(header, 84));
}

std::optional<EmfPage> EmfPage::of(const EmfLayout& layout, QString* error)
{
    const std::optional<QRect> bounds = drawnBounds(layout);
    const QRectF page = bounds ? pageInDevicePixels(layout, *bounds) : QRectF();
    const QSize natural = bounds ? fitMetafileSize(naturalSize(layout, page)) : QSize();
    if (natural.isEmpty()) {
        *error = QStringLiteral("EMF picture has no size");
        return std::nullopt;
    }
    const QSize size = withinDrawingWork(natural, layout.records);
    if (size.isEmpty()) {
        *error = QStringLiteral("EMF is too complex to draw");
        return std::nullopt;
    }
    return EmfPage{*bounds, page, size};
}

} // namespace ruvo

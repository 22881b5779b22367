#include "imaging/metafile/wmf_device.h"

#include "imaging/metafile/wmf_device_state.h"
#include "imaging/metafile/wmf_font.h"

#include <QtMath>

#include <algorithm>

namespace ruvo {

using namespace wmfdevice;

namespace {

constexpr int kAnisotropic = 8;
constexpr int kIsotropic = 7;
constexpr double kMaxTextPixels = 4096;
// A pen thinner than a pixel on the page is drawn one pixel wide, as the screen would.
constexpr double kThinnestPen = 1.0;
constexpr double kThickestPen = 10000;

// Windows raster operations that the player passes on.
constexpr U32 kPatternCopy = 0x00F00021;
constexpr U32 kPatternInvert = 0x005A0049;
constexpr U32 kDestinationInvert = 0x00550009;
constexpr U32 kBlackness = 0x00000042;
constexpr U32 kWhiteness = 0x00FF0062;
constexpr U32 kSourceCopy = 0x00CC0020;
constexpr U32 kSourcePaint = 0x00EE0086;
constexpr U32 kSourceAnd = 0x008800C6;
constexpr U32 kSourceInvert = 0x00660046;
constexpr U32 kNotSourceCopy = 0x00330008;

// The player's scale from logical units to its own, with the sign it applies.
double axisScale(double pixel, S32 extent, U16 mapMode)
{
    if (mapMode == kAnisotropic || mapMode == kIsotropic)
        return pixel;
    return extent < 0 ? -pixel : pixel;
}

Qt::BrushStyle hatchStyle(U16 hatch)
{
    switch (hatch) {
    case HS_HORIZONTAL:
        return Qt::HorPattern;
    case HS_VERTICAL:
        return Qt::VerPattern;
    case HS_FDIAGONAL:
        return Qt::FDiagPattern;
    case HS_BDIAGONAL:
        return Qt::BDiagPattern;
    case HS_CROSS:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

} // namespace

void WmfDeviceState::ensureFrame(const wmfDC* dc)
{
    if (framed)
        return;
    framed = true;
    QRectF frame = frameOf(dc);
    if (!usable(frame))
        frame = scanned;
    if (!usable(frame))
        frame = QRectF(0, 0, target->width(), target->height());
    scaleX = target->width() / frame.width();
    scaleY = target->height() / frame.height();
    transform = QTransform(scaleX, 0, 0, scaleY, -frame.left() * scaleX, -frame.top() * scaleY);
    painter.setTransform(transform);
}

// The page in the player's units, as the mapping stands when drawing starts: the placeable
// box, or else the window the records set up. A placeable file is played as Windows plays
// one: its window stretched over the box, so that a window of its own, set without a mapping
// mode, is the page.
QRectF WmfDeviceState::frameOf(const wmfDC* dc) const
{
    const bool windowSet = dc->Window.width != 0 && dc->Window.height != 0;
    const bool ownWindow = !layout.windowExtent.isEmpty() && !layout.setsMapMode;
    QRectF logical;
    if (layout.placeable && !(ownWindow && windowSet)) {
        const QRect& box = layout.boundingBox;
        logical = QRectF(QPointF(box.left(), box.top()), QPointF(box.right(), box.bottom()));
    } else if (windowSet) {
        logical = QRectF(dc->Window.Ox, dc->Window.Oy, dc->Window.width, dc->Window.height);
    } else {
        return QRectF();
    }
    const double sx = axisScale(dc->pixel_width, dc->Window.width, dc->map_mode);
    const double sy = axisScale(dc->pixel_height, dc->Window.height, dc->map_mode);
    const QPointF a((logical.left() - dc->Window.Ox) * sx, (logical.top() - dc->Window.Oy) * sy);
    const QPointF b((logical.right() - dc->Window.Ox) * sx, (logical.bottom() - dc->Window.Oy) * sy);
    return QRectF(a, b).normalized();
}

QPen WmfDeviceState::penFor(const wmfDC* dc) const
{
    const wmfPen* pen = dc->pen;
    if (!pen || (pen->lopnStyle & PS_STYLE_MASK) == PS_NULL)
        return QPen(Qt::NoPen);
    QPen result(colourOf(pen->lopnColor));
    switch (pen->lopnStyle & PS_STYLE_MASK) {
    case PS_DASH:
        result.setStyle(Qt::DashLine);
        break;
    case PS_DOT:
    case PS_ALTERNATE:
        result.setStyle(Qt::DotLine);
        break;
    case PS_DASHDOT:
        result.setStyle(Qt::DashDotLine);
        break;
    case PS_DASHDOTDOT:
        result.setStyle(Qt::DashDotDotLine);
        break;
    default:
        break;
    }
    switch (pen->lopnStyle & PS_ENDCAP_MASK) {
    case PS_ENDCAP_SQUARE:
        result.setCapStyle(Qt::SquareCap);
        break;
    case PS_ENDCAP_FLAT:
        result.setCapStyle(Qt::FlatCap);
        break;
    default:
        result.setCapStyle(Qt::RoundCap);
        break;
    }
    switch (pen->lopnStyle & PS_JOIN_MASK) {
    case PS_JOIN_BEVEL:
        result.setJoinStyle(Qt::BevelJoin);
        break;
    case PS_JOIN_MITER:
        result.setJoinStyle(Qt::MiterJoin);
        break;
    default:
        result.setJoinStyle(Qt::RoundJoin);
        break;
    }
    // Widths are set in page pixels, whatever the drawing's scale: Qt refuses
    // pen widths past a limit, and a hostile scale would reach it.
    const double onPage = std::abs(pen->width) * std::abs(scaleX);
    result.setCosmetic(true);
    result.setWidthF(std::isfinite(onPage) ? std::clamp(onPage, kThinnestPen, kThickestPen) : kThinnestPen);
    return result;
}

QBrush WmfDeviceState::brushFor(const wmfDC* dc) const
{
    const wmfBrush* brush = dc->brush;
    if (!brush)
        return QBrush(Qt::NoBrush);
    const QColor colour = colourOf(brush->lbColor);
    switch (brush->lbStyle) {
    case BS_NULL:
        return QBrush(Qt::NoBrush);
    case BS_HATCHED:
        return QBrush(colour, hatchStyle(brush->lbHatch));
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
    case BS_DIBPATTERN8X8:
        if (const Bitmap* bitmap = bitmapOf(brush->bmp.data)) {
            // Pattern pixels are the page's pixels, whatever the drawing's scale.
            QBrush texture(bitmap->image);
            texture.setTransform(QTransform::fromScale(1.0 / scaleX, 1.0 / scaleY));
            return texture;
        }
        return QBrush(colour);
    default:
        return QBrush(colour);
    }
}

void WmfDeviceState::setMode(QPainter::CompositionMode mode)
{
    painter.setCompositionMode(mode);
    // Raster operations combine exact pixel values; smoothing would blend them.
    painter.setRenderHint(QPainter::Antialiasing, mode == QPainter::CompositionMode_SourceOver);
}

// Sets the composition for the DC's mix mode; false when nothing is to be drawn.
bool WmfDeviceState::applyRop2(const wmfDC* dc, QPen& pen, QBrush& brush)
{
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    const auto recolour = [&](const QColor& colour) {
        if (pen.style() != Qt::NoPen)
            pen.setColor(colour);
        if (brush.style() != Qt::NoBrush)
            brush = QBrush(colour);
    };
    switch (dc->ROPmode) {
    case R2_NOP:
        return false;
    case R2_BLACK:
        recolour(Qt::black);
        break;
    case R2_WHITE:
        recolour(Qt::white);
        break;
    case R2_NOT:
        mode = QPainter::RasterOp_NotDestination;
        break;
    case R2_XORPEN:
        mode = QPainter::RasterOp_SourceXorDestination;
        break;
    case R2_NOTXORPEN:
        mode = QPainter::RasterOp_NotSourceXorDestination;
        break;
    case R2_MASKPEN:
        mode = QPainter::RasterOp_SourceAndDestination;
        break;
    case R2_MERGEPEN:
        mode = QPainter::RasterOp_SourceOrDestination;
        break;
    case R2_NOTCOPYPEN:
        mode = QPainter::RasterOp_NotSource;
        break;
    default:
        break;
    }
    setMode(mode);
    return true;
}

void WmfDeviceState::drawShape(const wmfDC* dc, QPainterPath path, bool fill)
{
    QPen pen = penFor(dc);
    QBrush brush = fill ? brushFor(dc) : QBrush(Qt::NoBrush);
    if (!applyRop2(dc, pen, brush))
        return;
    path.setFillRule(dc->polyfillmode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    // A hatch over an opaque background fills the gaps with the background colour.
    if (fill && dc->brush && dc->brush->lbStyle == BS_HATCHED && dc->bgmode == OPAQUE)
        painter.fillPath(path, colourOf(dc->bgcolor));
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.drawPath(path);
}

void WmfDeviceState::fillWith(const wmfDC* dc, const QPainterPath& path)
{
    QPen pen(Qt::NoPen);
    QBrush brush = brushFor(dc);
    if (!applyRop2(dc, pen, brush) || brush.style() == Qt::NoBrush)
        return;
    painter.fillPath(path, brush);
}

void WmfDeviceState::drawArc(const wmfDrawArc_t* arc, int kind)
{
    const QRectF box = rectOf(arc->TL, arc->BR);
    const double rx = box.width() / 2;
    const double ry = box.height() / 2;
    if (!(rx > 0) || !(ry > 0))
        return;
    // The player gives the end points relative to the centre; Qt wants the
    // angles, counter-clockwise on the page.
    const double start = qRadiansToDegrees(std::atan2(-arc->start.y / ry, arc->start.x / rx));
    const double stop = qRadiansToDegrees(std::atan2(-arc->end.y / ry, arc->end.x / rx));
    double span = stop - start;
    if (span <= 0)
        span += 360;
    QPainterPath path;
    if (kind == PieArc)
        path.moveTo(box.center());
    else
        path.arcMoveTo(box, start);
    path.arcTo(box, start, span);
    if (kind != OpenArc)
        path.closeSubpath();
    drawShape(arc->dc, path, kind != OpenArc);
}

void WmfDeviceState::drawText(const wmfDrawText_t* text)
{
    const wmfDC* dc = text->dc;
    if (!text->str || !dc->font)
        return;
    const WmfFont font(dc->font);
    const QString string = font.decode(text->str);
    const double size = std::abs(text->font_height * scaleY);
    if (string.isEmpty() || !std::isfinite(size) || size < 1 || size > kMaxTextPixels)
        return;
    painter.save();
    setMode(QPainter::CompositionMode_SourceOver);
    const QRectF box = rectOf(text->TL, text->BR);
    if ((text->flags & ETO_OPAQUE) && usable(box))
        painter.fillRect(box, colourOf(dc->bgcolor));
    if ((text->flags & ETO_CLIPPED) && usable(box))
        painter.setClipRect(box, Qt::IntersectClip);
    // Glyphs are laid out on the page itself, so that small drawing units do
    // not round the font size away.
    const QPointF origin = transform.map(pointOf(text->pt));
    painter.resetTransform();
    painter.translate(origin);
    painter.rotate(-font.angleDegrees());
    painter.setFont(font.font(size));
    painter.setPen(colourOf(dc->textcolor));
    if (dc->bgmode == OPAQUE) {
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(colourOf(dc->bgcolor));
    }
    painter.drawText(QPointF(0, 0), string);
    painter.restore();
}

const Bitmap* WmfDeviceState::bitmapOf(const void* data) const
{
    if (!data)
        return nullptr;
    for (const auto& bitmap : bitmaps) {
        if (bitmap.get() == data)
            return bitmap.get();
    }
    return nullptr;
}

void WmfDeviceState::drawBitmap(const wmfBMP_Draw_t* draw)
{
    const Bitmap* bitmap = bitmapOf(draw->bmp.data);
    if (!bitmap)
        return;
    const QImage& image = bitmap->image;
    const int top = bitmap->bottomUp ? image.height() - draw->crop.y - draw->crop.h : draw->crop.y;
    const QRect source = QRect(draw->crop.x, top, draw->crop.w, draw->crop.h).intersected(image.rect());
    if (source.isEmpty())
        return;
    const QRectF target(pointOf(draw->pt),
                        QSizeF(draw->crop.w * draw->pixel_width, draw->crop.h * draw->pixel_height));
    if (!usable(target))
        return;
    switch (draw->type) {
    case kSourcePaint:
        setMode(QPainter::RasterOp_SourceOrDestination);
        break;
    case kSourceAnd:
        setMode(QPainter::RasterOp_SourceAndDestination);
        break;
    case kSourceInvert:
        setMode(QPainter::RasterOp_SourceXorDestination);
        break;
    case kNotSourceCopy:
        setMode(QPainter::RasterOp_NotSource);
        break;
    case kSourceCopy:
    default:
        setMode(QPainter::CompositionMode_SourceOver);
        break;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image, source);
}

void WmfDeviceState::drawRop(const wmfROP_Draw_t* rop)
{
    QPainterPath path;
    path.addRect(rectOf(rop->TL, rop->BR));
    switch (rop->ROP) {
    case kPatternCopy:
        setMode(QPainter::CompositionMode_SourceOver);
        if (QBrush brush = brushFor(rop->dc); brush.style() != Qt::NoBrush)
            painter.fillPath(path, brush);
        break;
    case kPatternInvert:
        setMode(QPainter::RasterOp_SourceXorDestination);
        if (QBrush brush = brushFor(rop->dc); brush.style() != Qt::NoBrush)
            painter.fillPath(path, brush);
        break;
    case kDestinationInvert:
        setMode(QPainter::RasterOp_NotDestination);
        painter.fillPath(path, Qt::black);
        break;
    case kBlackness:
        setMode(QPainter::CompositionMode_SourceOver);
        painter.fillPath(path, Qt::black);
        break;
    case kWhiteness:
        setMode(QPainter::CompositionMode_SourceOver);
        painter.fillPath(path, Qt::white);
        break;
    default:
        break;
    }
}

WmfDevice::WmfDevice(const WmfLayout& layout) : m_d(std::make_unique<WmfDeviceState>())
{
    m_d->layout = layout;
}

WmfDevice::~WmfDevice()
{
    end();
}

void WmfDevice::attach(_wmfAPI* api)
{
    api->device_data = m_d.get();
}

void WmfDevice::begin(QImage* target, const QRectF& scannedBounds)
{
    m_d->target = target;
    m_d->scanned = scannedBounds;
    m_d->framed = false;
    m_d->painter.begin(target);
}

void WmfDevice::end()
{
    if (m_d->painter.isActive())
        m_d->painter.end();
    m_d->target = nullptr;
}

} // namespace ruvo

#include "imaging/metafile/wmf_device.h"

#include "imaging/bitmap/dib_decoder.h"
#include "imaging/bitmap/dib_header.h"
#include "imaging/metafile/wmf_device_state.h"
#include "imaging/metafile/wmf_font.h"

#include <QFontMetricsF>

namespace ruvo {

using namespace wmfdevice;

namespace {

// Bitmaps held at once, decoded; compressed ones can be small in the file and
// large in memory.
constexpr qint64 kMaxBitmapBytes = qint64(512) * 1024 * 1024;

WmfDeviceState* deviceOf(wmfAPI* api)
{
    return api ? static_cast<WmfDeviceState*>(api->device_data) : nullptr;
}

// Runs a drawing call from the player. Nothing may unwind through libwmf's C
// frames, so any failure becomes the library's device error instead.
template <typename Draw> void drawing(wmfAPI* api, const wmfDC* dc, Draw&& draw)
{
    WmfDeviceState* device = deviceOf(api);
    if (!device || !device->target || !dc)
        return;
    try {
        device->ensureFrame(dc);
        draw(*device);
    } catch (...) {
        api->err = wmf_E_DeviceError;
    }
}

QPainterPath polygonPath(const wmfD_Coord* points, int count, bool closed)
{
    QPainterPath path;
    if (!points || count < 2)
        return path;
    path.moveTo(pointOf(points[0]));
    for (int i = 1; i < count; ++i)
        path.lineTo(pointOf(points[i]));
    if (closed)
        path.closeSubpath();
    return path;
}

QPainterPath rectanglesPath(const wmfPolyRectangle_t* rects)
{
    QPainterPath path;
    if (!rects->TL || !rects->BR)
        return path;
    for (unsigned int i = 0; i < rects->count; ++i)
        path.addRect(rectOf(rects->TL[i], rects->BR[i]));
    return path;
}

void drawPixel(wmfAPI* api, wmfDrawPixel_t* pixel)
{
    drawing(api, pixel->dc, [&](WmfDeviceState& d) {
        d.setMode(QPainter::CompositionMode_SourceOver);
        d.painter.fillRect(QRectF(pointOf(pixel->pt), QSizeF(pixel->pixel_width, pixel->pixel_height)),
                           colourOf(pixel->color));
    });
}

void drawPie(wmfAPI* api, wmfDrawArc_t* arc)
{
    drawing(api, arc->dc, [&](WmfDeviceState& d) { d.drawArc(arc, PieArc); });
}

void drawChord(wmfAPI* api, wmfDrawArc_t* arc)
{
    drawing(api, arc->dc, [&](WmfDeviceState& d) { d.drawArc(arc, ChordArc); });
}

void drawArc(wmfAPI* api, wmfDrawArc_t* arc)
{
    drawing(api, arc->dc, [&](WmfDeviceState& d) { d.drawArc(arc, OpenArc); });
}

void drawEllipse(wmfAPI* api, wmfDrawArc_t* arc)
{
    drawing(api, arc->dc, [&](WmfDeviceState& d) {
        QPainterPath path;
        path.addEllipse(rectOf(arc->TL, arc->BR));
        d.drawShape(arc->dc, path, true);
    });
}

void drawLine(wmfAPI* api, wmfDrawLine_t* line)
{
    drawing(api, line->dc, [&](WmfDeviceState& d) {
        QPainterPath path;
        path.moveTo(pointOf(line->from));
        path.lineTo(pointOf(line->to));
        d.drawShape(line->dc, path, false);
    });
}

void drawPolyline(wmfAPI* api, wmfPolyLine_t* line)
{
    drawing(api, line->dc, [&](WmfDeviceState& d) {
        d.drawShape(line->dc, polygonPath(line->pt, line->count, false), false);
    });
}

void drawPolygon(wmfAPI* api, wmfPolyLine_t* line)
{
    drawing(api, line->dc, [&](WmfDeviceState& d) {
        d.drawShape(line->dc, polygonPath(line->pt, line->count, true), true);
    });
}

void drawPolyPolygon(wmfAPI* api, wmfPolyPoly_t* poly)
{
    drawing(api, poly->dc, [&](WmfDeviceState& d) {
        QPainterPath path;
        if (poly->pt && poly->count) {
            for (int i = 0; i < poly->npoly; ++i)
                path.addPath(polygonPath(poly->pt[i], poly->count[i], true));
        }
        d.drawShape(poly->dc, path, true);
    });
}

void drawRectangle(wmfAPI* api, wmfDrawRectangle_t* rect)
{
    drawing(api, rect->dc, [&](WmfDeviceState& d) {
        QPainterPath path;
        const QRectF box = rectOf(rect->TL, rect->BR);
        if (rect->width > 0 && rect->height > 0)
            path.addRoundedRect(box, rect->width / 2, rect->height / 2);
        else
            path.addRect(box);
        d.drawShape(rect->dc, path, true);
    });
}

void drawRop(wmfAPI* api, wmfROP_Draw_t* rop)
{
    drawing(api, rop->dc, [&](WmfDeviceState& d) { d.drawRop(rop); });
}

void drawBitmap(wmfAPI* api, wmfBMP_Draw_t* draw)
{
    drawing(api, draw->dc, [&](WmfDeviceState& d) { d.drawBitmap(draw); });
}

void readBitmap(wmfAPI* api, wmfBMP_Read_t* read)
{
    read->bmp.width = 0;
    read->bmp.height = 0;
    read->bmp.data = nullptr;
    WmfDeviceState* device = deviceOf(api);
    if (!device || !read->buffer || read->length <= 0)
        return;
    try {
        auto bitmap = std::make_unique<Bitmap>();
        const QByteArrayView packed(reinterpret_cast<const char*>(read->buffer), read->length);
        bitmap->image = decodePackedDib(packed);
        if (bitmap->image.isNull())
            return;
        if (device->bitmapBytes + bitmap->image.sizeInBytes() > kMaxBitmapBytes)
            return;
        device->bitmapBytes += bitmap->image.sizeInBytes();
        const auto header = DibHeader::parse(packed, nullptr);
        bitmap->bottomUp = !header || header->isBottomUp();
        read->bmp.width = static_cast<U16>(bitmap->image.width());
        read->bmp.height = static_cast<U16>(bitmap->image.height());
        read->bmp.data = bitmap.get();
        device->bitmaps.push_back(std::move(bitmap));
    } catch (...) {
        read->bmp.data = nullptr;
        api->err = wmf_E_DeviceError;
    }
}

void freeBitmap(wmfAPI* api, wmfBMP* bmp)
{
    WmfDeviceState* device = deviceOf(api);
    if (!device || !bmp->data)
        return;
    auto& bitmaps = device->bitmaps;
    for (auto it = bitmaps.begin(); it != bitmaps.end(); ++it) {
        if (it->get() == bmp->data) {
            device->bitmapBytes -= (*it)->image.sizeInBytes();
            bitmaps.erase(it);
            break;
        }
    }
    bmp->data = nullptr;
}

void drawText(wmfAPI* api, wmfDrawText_t* text)
{
    drawing(api, text->dc, [&](WmfDeviceState& d) { d.drawText(text); });
}

void paintRegion(wmfAPI* api, wmfPolyRectangle_t* rects)
{
    drawing(api, rects->dc, [&](WmfDeviceState& d) { d.fillWith(rects->dc, rectanglesPath(rects)); });
}

void frameRegion(wmfAPI* api, wmfPolyRectangle_t* rects)
{
    drawing(api, rects->dc, [&](WmfDeviceState& d) {
        const QPainterPath outline = rectanglesPath(rects).simplified();
        const double thickness = std::max(std::abs(rects->width), std::abs(rects->height));
        if (!(thickness > 0) || !std::isfinite(thickness))
            return;
        QPainterPathStroker stroker;
        // The frame lies inside the region: stroke both ways, keep the inner half.
        stroker.setWidth(2 * thickness);
        d.fillWith(rects->dc, stroker.createStroke(outline).intersected(outline));
    });
}

void clipRegion(wmfAPI* api, wmfPolyRectangle_t* rects)
{
    drawing(api, rects->dc, [&](WmfDeviceState& d) {
        if (rects->count == 0)
            d.painter.setClipping(false);
        else
            d.painter.setClipPath(rectanglesPath(rects));
    });
}

void mapFont(wmfAPI*, wmfFont*)
{
    // Faces are found by name at drawing time; nothing to load up front.
}

float stringWidth(wmfAPI*, wmfFont* font, char* text)
{
    // The player wants the width at a one-unit size; measure large and scale
    // down to keep the hinting out of it.
    constexpr double kMeasureSize = 100;
    try {
        const WmfFont measured(font);
        return float(QFontMetricsF(measured.font(kMeasureSize)).horizontalAdvance(measured.decode(text)) /
                     kMeasureSize);
    } catch (...) {
        return 0;
    }
}

} // namespace

void WmfDevice::install(_wmfAPI* api)
{
    auto* functions = static_cast<wmfFunctionReference*>(api->function_reference);
    functions->draw_pixel = drawPixel;
    functions->draw_pie = drawPie;
    functions->draw_chord = drawChord;
    functions->draw_arc = drawArc;
    functions->draw_ellipse = drawEllipse;
    functions->draw_line = drawLine;
    functions->poly_line = drawPolyline;
    functions->draw_polygon = drawPolygon;
    functions->draw_polypolygon = drawPolyPolygon;
    functions->draw_rectangle = drawRectangle;
    functions->rop_draw = drawRop;
    functions->bmp_draw = drawBitmap;
    functions->bmp_read = readBitmap;
    functions->bmp_free = freeBitmap;
    functions->draw_text = drawText;
    functions->region_frame = frameRegion;
    functions->region_paint = paintRegion;
    functions->region_clip = clipRegion;

    auto* fonts = static_cast<wmfFontData*>(wmf_malloc(api, sizeof(wmfFontData)));
    if (!fonts) {
        api->err = wmf_E_InsMem;
        return;
    }
    fonts->map = mapFont;
    fonts->stringwidth = stringWidth;
    fonts->user_data = nullptr;
    api->font_data = fonts;
}

} // namespace ruvo

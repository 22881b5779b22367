#pragma once

// Internal to the WMF device layer: its drawing state, shared by the drawing
// code (wmf_device.cpp) and the functions libwmf calls (wmf_device_callbacks.cpp).

#include "imaging/metafile/wmf_validator.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>

#include <cmath>
#include <memory>
#include <vector>

namespace ruvo {

namespace wmfdevice {

enum ArcKind
{
    OpenArc,
    PieArc,
    ChordArc
};

// A bitmap the player read, decoded, kept until it lets go of it.
struct Bitmap
{
    QImage image;
    bool bottomUp = true;
};

inline QColor colourOf(const wmfRGB& rgb)
{
    return QColor(rgb.r, rgb.g, rgb.b);
}

inline QPointF pointOf(const wmfD_Coord& point)
{
    return QPointF(point.x, point.y);
}

inline QRectF rectOf(const wmfD_Coord& topLeft, const wmfD_Coord& bottomRight)
{
    return QRectF(pointOf(topLeft), pointOf(bottomRight)).normalized();
}

inline bool usable(const QRectF& rect)
{
    return std::isfinite(rect.left()) && std::isfinite(rect.top()) && std::isfinite(rect.width()) &&
           std::isfinite(rect.height()) && rect.width() > 1e-6 && rect.height() > 1e-6 &&
           rect.width() < 1e9 && rect.height() < 1e9;
}

} // namespace wmfdevice

struct WmfDeviceState
{
    WmfLayout layout;
    QImage* target = nullptr;
    QPainter painter;
    QRectF scanned;
    bool framed = false;
    QTransform transform;
    double scaleX = 1;
    double scaleY = 1;
    std::vector<std::unique_ptr<wmfdevice::Bitmap>> bitmaps;
    qint64 bitmapBytes = 0;

    void ensureFrame(const wmfDC* dc);
    QRectF frameOf(const wmfDC* dc) const;
    QPen penFor(const wmfDC* dc) const;
    QBrush brushFor(const wmfDC* dc) const;
    bool applyRop2(const wmfDC* dc, QPen& pen, QBrush& brush);
    void setMode(QPainter::CompositionMode mode);
    void drawShape(const wmfDC* dc, QPainterPath path, bool fill);
    void fillWith(const wmfDC* dc, const QPainterPath& path);
    void drawArc(const wmfDrawArc_t* arc, int kind);
    void drawText(const wmfDrawText_t* text);
    void drawBitmap(const wmfBMP_Draw_t* draw);
    void drawRop(const wmfROP_Draw_t* rop);
    const wmfdevice::Bitmap* bitmapOf(const void* data) const;
};

} // namespace ruvo

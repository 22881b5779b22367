#pragma once

#include "imaging/picture_decoder.h"

#include <QList>

#include <functional>

class QObject;

namespace ruvo {

// A picture to be drawn stretched, at size (device pixels).
struct PictureToScale
{
    QImage picture;
    QSize size;
};

// A picture likely to be asked for next. When it will be drawn stretched, scaledSize gives
// the size in device pixels it will be drawn at, from the picture's own size (an empty size
// when it will not be drawn stretched after all), and devicePixelRatio the screen's ratio.
struct PrefetchRequest
{
    PrefetchRequest(PageRef page, ScaledSizeOf scaledSize = {}, qreal devicePixelRatio = 1)
        : page(std::move(page)), scaledSize(std::move(scaledSize)), devicePixelRatio(devicePixelRatio)
    {
    }

    // The size the picture is to be drawn at, from its own size: empty for its own size.
    QSize drawnSize(QSize picture) const { return scaledSize ? scaledSize(picture) : QSize(); }

    PageRef page;
    ScaledSizeOf scaledSize;
    qreal devicePixelRatio = 1;
};

// The pages of the open book as the view wants them: prepared ahead, decoded at the size
// they are drawn at, and scaled for drawing stretched. It schedules all of that work itself;
// the view only says what it wants.
class PageCache
{
public:
    virtual ~PageCache() = default;
    // The pages likely to be asked for next, most likely first, to be prepared ahead as the
    // requests say; every other page may be let go of.
    virtual void prefetch(const QList<PrefetchRequest>& pages) = 0;
    // The page wanted on screen now, with the pixels to be drawn as the request says. The
    // pages the caller will take right after it (the other page of a spread) are decoded
    // meanwhile, beside it, when neither it nor they were prepared.
    virtual DecodedPicture take(const PrefetchRequest& page, const QList<PrefetchRequest>& next) = 0;
    // Whether take() would give the page at once, from work done ahead.
    virtual bool isReady(const PageRef& page) const = 0;
    // Whether the page wanted on screen must be waited for, as take() would: when it must,
    // it is decoded now, ahead of the work prepared ahead, and ready runs on context's thread
    // once take() gives it at once (it may run when the page was let go of meanwhile, and
    // never runs once context is gone).
    virtual bool takeLater(const PrefetchRequest& page, QObject* context, std::function<void()> ready) = 0;
    // The pictures smoothly scaled to their sizes, in order: what was prepared ahead as it
    // is, the rest scaled now.
    virtual QList<QImage> scaled(const QList<PictureToScale>& pictures) = 0;
};

} // namespace ruvo

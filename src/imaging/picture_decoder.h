#pragma once

#include "imaging/scaling/smooth_scaling.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <functional>

namespace ruvo {

// A decoded page picture, or the reason it could not be decoded.
struct DecodedPicture
{
    QImage image;
    QString error;
    // The picture scaled as the caller asked, when the reader made it while decoding;
    // otherwise null, and the caller scales the picture itself.
    QImage scaled = QImage();
    // The picture's own size in pixels, when the image holds it smaller: a picture that was
    // only wanted drawn at a fraction of its size is decoded at that size alone (image and
    // scaled are then one image). Otherwise empty, and the image is the whole picture.
    QSize size = QSize();

    bool isValid() const { return error.isEmpty() && !image.isNull(); }
    QSize pictureSize() const { return size.isValid() ? size : image.size(); }
    bool isReduced() const { return pictureSize() != image.size(); }
    // Whether the image has the pixels to be drawn at drawn (device pixels), or at the
    // picture's own size when drawn is empty.
    bool serves(QSize drawn) const
    {
        return !isReduced() ||
               (!drawn.isEmpty() && drawn.width() <= image.width() && drawn.height() <= image.height());
    }
};

// A picture to be drawn stretched, at size (device pixels).
struct PictureToScale
{
    QImage picture;
    QSize size;
};

// Runs a piece of work on another core as soon as one is free: at once, later, or never.
// The work checks for itself whether it is still wanted when it runs.
using SpareCore = std::function<void(std::function<void()>)>;

// The size in device pixels a picture of the given size is to be drawn stretched at; an
// empty size when it will not be drawn stretched.
using ScaledSizeOf = std::function<QSize(QSize)>;

// A picture likely to be asked for next. When it will be drawn stretched, scaledSize gives
// the size in device pixels it will be drawn at, from the picture's own size (an empty size
// when it will not be drawn stretched after all), and devicePixelRatio the screen's ratio.
struct PrefetchRequest
{
    PrefetchRequest(QString path, ScaledSizeOf scaledSize = {}, qreal devicePixelRatio = 1)
        : path(std::move(path)), scaledSize(std::move(scaledSize)), devicePixelRatio(devicePixelRatio)
    {
    }

    // The size the picture is to be drawn at, from its own size: empty for its own size.
    QSize drawnSize(QSize picture) const { return scaledSize ? scaledSize(picture) : QSize(); }

    QString path;
    ScaledSizeOf scaledSize;
    qreal devicePixelRatio = 1;
};

// The one entry point through which every page, preview and thumbnail picture
// is read: path in, picture or error out. Never throws, never crashes on a
// damaged file.
class PictureDecoder
{
public:
    virtual ~PictureDecoder() = default;
    virtual DecodedPicture decode(const QString& path) const = 0;
    // The same, for a caller that is waiting for the picture: part of the work may be done on
    // the spare core beside it, and a reader that can scales the picture as it decodes it.
    virtual DecodedPicture decodeSharing(const QString& path, const SpareCore& spare,
                                         const ScaledSizeOf& scaledSize = {}) const
    {
        Q_UNUSED(spare);
        Q_UNUSED(scaledSize);
        return decode(path);
    }
    // The picture wanted on screen now, to be drawn as the request says: when it is drawn
    // stretched, scaled() then finds it scaled if that was done on the way.
    virtual DecodedPicture decodeToDraw(const PrefetchRequest& request) const { return decode(request.path); }
    // A hint that these pictures are likely to be asked for next, most likely first, and
    // that no others are; a decoder that keeps no cache ignores it.
    virtual void prefetch(const QList<PrefetchRequest>& requests) { Q_UNUSED(requests); }
    // A picture the caller will ask for in a moment, after another one: decoding it on the
    // spare core meanwhile has the two decoded side by side.
    virtual void decodeBeside(const PrefetchRequest& request) { Q_UNUSED(request); }
    // Whether decode() would return this picture at once, from work done ahead.
    virtual bool isReady(const QString& path) const
    {
        Q_UNUSED(path);
        return false;
    }
    // The pictures smoothly scaled to their sizes, in order: what was prepared ahead as it
    // is, the rest scaled now. A decoder that keeps no cache scales them one after the other.
    virtual QList<QImage> scaled(const QList<PictureToScale>& pictures) const
    {
        QList<QImage> images;
        for (const PictureToScale& wanted : pictures)
            images.append(smoothScaled(wanted.picture, wanted.size));
        return images;
    }
};

} // namespace ruvo

#pragma once

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

    bool isValid() const { return error.isEmpty() && !image.isNull(); }
};

// A picture likely to be asked for next. When it will be drawn stretched, scaledSize gives
// the size in device pixels it will be drawn at, from the picture's own size (an empty size
// when it will not be drawn stretched after all), and devicePixelRatio the screen's ratio.
struct PrefetchRequest
{
    PrefetchRequest(QString path, std::function<QSize(QSize)> scaledSize = {}, qreal devicePixelRatio = 1)
        : path(std::move(path)), scaledSize(std::move(scaledSize)), devicePixelRatio(devicePixelRatio)
    {
    }

    QString path;
    std::function<QSize(QSize)> scaledSize;
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
    // A hint that these pictures are likely to be asked for next, most likely first, and
    // that no others are; a decoder that keeps no cache ignores it.
    virtual void prefetch(const QList<PrefetchRequest>& requests) { Q_UNUSED(requests); }
    // Whether decode() would return this picture at once, from work done ahead.
    virtual bool isReady(const QString& path) const
    {
        Q_UNUSED(path);
        return false;
    }
    // The picture smoothly scaled to size (device pixels), when it was prepared ahead;
    // otherwise a null image.
    virtual QImage preparedScaling(const QImage& picture, QSize size) const
    {
        Q_UNUSED(picture);
        Q_UNUSED(size);
        return {};
    }
};

} // namespace ruvo

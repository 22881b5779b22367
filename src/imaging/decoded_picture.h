#pragma once

#include <QImage>
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
    // The picture's own size in pixels, when the image holds it at another size: a picture that
    // was only wanted drawn at a fraction of its size is decoded at that size alone, and a page
    // that is drawn rather than decoded is drawn at the size it is shown at, smaller or larger
    // (image and scaled are then one image). Otherwise empty, and the image is the whole
    // picture.
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

// The size in device pixels a picture of the given size is to be drawn stretched at; an
// empty size when it will not be drawn stretched.
using ScaledSizeOf = std::function<QSize(QSize)>;

} // namespace ruvo

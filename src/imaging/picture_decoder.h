#pragma once

#include "imaging/page_ref.h"
#include "platform/file_stamp.h"

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

// Runs a piece of work on another core as soon as one is free: at once, later, or never.
// The work checks for itself whether it is still wanted when it runs.
using SpareCore = std::function<void(std::function<void()>)>;

// The size in device pixels a picture of the given size is to be drawn stretched at; an
// empty size when it will not be drawn stretched.
using ScaledSizeOf = std::function<QSize(QSize)>;

// The one entry point through which every page, preview and thumbnail picture
// is read: page in, picture or error out. It only decodes and keeps nothing. Never throws,
// never crashes on a damaged file.
class PictureDecoder
{
public:
    virtual ~PictureDecoder() = default;
    // For a caller that waits for the picture: part of the work may be done on the spare
    // core beside it, and a reader that can scales the picture to scaledSize as it decodes
    // it (see DecodedPicture::scaled).
    virtual DecodedPicture decode(const PageRef& page, const SpareCore& spare,
                                  const ScaledSizeOf& scaledSize) const = 0;
    DecodedPicture decode(const PageRef& page) const { return decode(page, {}, {}); }
    // The picture file at path, outside any book.
    DecodedPicture decode(const QString& path) const { return decode(PageRef::file(path)); }
    // What tells whether the page changed since it was decoded.
    virtual FileStamp stampOf(const PageRef& page) const { return page.stamp(); }
};

} // namespace ruvo

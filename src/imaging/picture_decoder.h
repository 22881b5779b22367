#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace ruvo {

// A decoded page picture, or the reason it could not be decoded.
struct DecodedPicture
{
    QImage image;
    QString error;

    bool isValid() const { return error.isEmpty() && !image.isNull(); }
};

// The one entry point through which every page, preview and thumbnail picture
// is read: path in, picture or error out. Never throws, never crashes on a
// damaged file.
class PictureDecoder
{
public:
    virtual ~PictureDecoder() = default;
    virtual DecodedPicture decode(const QString& path) const = 0;
    // A hint that these pictures are likely to be asked for next, most likely
    // first; a decoder that keeps no cache ignores it.
    virtual void prefetch(const QStringList& paths) { Q_UNUSED(paths); }
};

} // namespace ruvo

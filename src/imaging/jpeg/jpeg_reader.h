#pragma once

#include "imaging/picture_decoder.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

namespace ruvo {

// Reads a JPEG held in memory with libjpeg-turbo, straight into the pixels Qt's reader gives
// (32-bit RGB, or 8-bit grey for a picture of one channel) but without Qt's conversion of
// every row on the way. Pictures of four channels (CMYK) are left to Qt's reader.
//
// A caller that waits for a picture decoded whole can lend it a spare core: the lower rows of
// a large picture are then decoded there at the same time, from about two thirds down when the spare
// core begins at once. A JPEG can only be read from its start, so the spare core runs through
// the upper rows' codes without making their pixels, which costs about half as much as
// decoding them. The caller claims its rows a group at a time; a spare core that begins late
// takes fewer rows, or none, and the caller goes on with the rest itself.
// A progressive JPEG is read whole before its first row comes out and is never split.
class JpegReader
{
public:
    explicit JpegReader(const QByteArray& data);
    ~JpegReader();
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    // Reads the headers; false when the data is not a JPEG libjpeg can read.
    bool readHeader();
    // Whether read() decodes this picture (after readHeader()).
    bool handles() const;
    // The picture's size as it stands upright: a photo whose EXIF orientation says it is
    // stored on its side is turned as it is read, reduced or scaled alike.
    QSize size() const;
    // The picture, or a null image with errorString() telling why. Asked for a smaller size,
    // it scales the rows as they are decoded, on the caller's core. Asked for half the
    // picture's size or less, it decodes at the size drawn alone, which it then returns.
    QImage read(const SpareCore& spare = {}, const ScaledSizeOf& scaledSize = {});
    // The picture scaled as read() was asked, when it could be; otherwise null.
    QImage scaled() const;
    QString errorString() const;

    // Where the rows decoded on the spare core begin, for a picture of this height whose
    // rows come out in groups of groupRows, when the spare core begins with the caller's rows
    // claimed up to claimed; the height itself when it is not worth splitting.
    // The eighths of each side a picture is decoded at to be drawn at drawn (device pixels):
    // the fewest that still give at least drawn, when that is half the picture or less; 8
    // otherwise.
    static int decodedEighths(QSize picture, QSize drawn);
    static int splitRow(int height, qint64 pixels, int groupRows, int claimed = 0);

private:
    // The size as the data stores it.
    QSize storedSize() const;

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace ruvo

#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace ruvo::test {

// How a test JPEG is coded.
struct JpegShape
{
    // The luma's sampling factors; chroma is always sampled 1x1 (2x2 is 4:2:0, 2x1 4:2:2).
    int hSampling = 2;
    int vSampling = 2;
    bool grey = false;
    // Four channels, from the picture's colours inverted (no black).
    bool cmyk = false;
    bool progressive = false;
    // A restart marker every this many rows of blocks; 0 for none.
    int restartRows = 0;
    bool arithmetic = false;
    int quality = 90;
    // An EXIF segment declaring this orientation (1 to 8); none when 0.
    int exifOrientation = 0;
    // A JPEG that EXIF segment holds as its thumbnail, as cameras write one; none when empty.
    QByteArray exifThumbnail = {};
};

// The payload of an APP1 segment that declares an EXIF orientation, in Intel or Motorola
// byte order, with the thumbnail after its directories when one is given.
QByteArray exifPayload(int orientation, bool bigEndian = false, const QByteArray& thumbnail = {});

// The picture coded as asked, or an empty array when libjpeg refuses the shape.
QByteArray writeJpeg(const QImage& picture, const JpegShape& shape = {});

// A 32-bit RGB picture of the size with gradients and fine lines all over it, the same
// on every call, so that every row of blocks codes differently.
QImage detailedPicture(QSize size);

// A small baseline JPEG whose frame header claims that size: a few hundred bytes that no
// picture of the size fits in.
QByteArray jpegClaiming(QSize size);

} // namespace ruvo::test

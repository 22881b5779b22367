#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QSize>

namespace ruvo {

// How a photo is to be turned to stand upright, as its EXIF orientation tag (1 to 8) says:
// phones and many scanners store the pixels as the sensor saw them and say so there.
class ExifOrientation
{
public:
    // The orientation an APP1 segment's payload declares (after the marker and its length:
    // "Exif\0\0", then a TIFF header); upright (1) when it declares none, or nonsense.
    static ExifOrientation fromApp1(QByteArrayView payload);

    ExifOrientation() = default;
    explicit ExifOrientation(int tag) : m_tag(tag >= 1 && tag <= 8 ? tag : 1) {}

    int tag() const { return m_tag; }
    // Whether the sides trade places (a quarter turn).
    bool swapsSides() const { return m_tag >= 5; }
    // The size the picture stands at once turned, from its stored size; and back.
    QSize turned(QSize stored) const { return swapsSides() ? stored.transposed() : stored; }
    // The picture, stored as the tag says, turned upright.
    QImage upright(const QImage& stored) const;

private:
    int m_tag = 1;
};

} // namespace ruvo

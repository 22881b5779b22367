#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QSize>

#include <optional>

namespace ruvo {

// How a photo is to be turned to stand upright, as its EXIF orientation tag (1 to 8) says:
// phones and many scanners store the pixels as the sensor saw them and say so there.
class ExifOrientation
{
public:
    // The orientation an APP1 segment's payload declares (after the marker and its length:
    // "Exif\0\0", then a TIFF header); upright (1) when it declares none, or nonsense.
    static ExifOrientation fromApp1(QByteArrayView payload);
    // Whether an APP1 segment's payload (or its start) is EXIF's: other APP1 segments (XMP
    // among them) are no concern of the orientation.
    static bool isExif(QByteArrayView payload);
    // The same from the payload's first bytes alone; nothing when they end before the
    // orientation is known, which the rest of the payload then tells.
    static std::optional<ExifOrientation> fromApp1Start(QByteArrayView start);

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

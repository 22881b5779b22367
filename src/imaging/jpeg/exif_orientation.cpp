#include "imaging/jpeg/exif_orientation.h"

#include <QTransform>
#include <QtEndian>

namespace ruvo {

namespace {

constexpr quint16 kOrientationTag = 0x0112;
constexpr quint16 kShortType = 3;
constexpr qsizetype kExifHeaderBytes = 6;
constexpr qsizetype kTiffHeaderBytes = 8;
constexpr qsizetype kEntryBytes = 12;

// Reads the TIFF structure's numbers in its byte order, never past its end.
class TiffReader
{
public:
    TiffReader(QByteArrayView tiff, bool bigEndian) : m_tiff(tiff), m_bigEndian(bigEndian) {}

    std::optional<quint16> u16(qsizetype at) const
    {
        if (at < 0 || at + 2 > m_tiff.size())
            return std::nullopt;
        const auto* p = reinterpret_cast<const uchar*>(m_tiff.data() + at);
        return m_bigEndian ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p);
    }
    std::optional<quint32> u32(qsizetype at) const
    {
        if (at < 0 || at + 4 > m_tiff.size())
            return std::nullopt;
        const auto* p = reinterpret_cast<const uchar*>(m_tiff.data() + at);
        return m_bigEndian ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p);
    }

private:
    QByteArrayView m_tiff;
    bool m_bigEndian;
};

} // namespace

ExifOrientation ExifOrientation::fromApp1(QByteArrayView payload)
{
    if (payload.size() < kExifHeaderBytes + kTiffHeaderBytes ||
        payload.first(kExifHeaderBytes) != QByteArrayView("Exif\0\0", kExifHeaderBytes))
        return {};
    const QByteArrayView tiff = payload.sliced(kExifHeaderBytes);
    const QByteArrayView order = tiff.first(2);
    if (order != "II" && order != "MM")
        return {};
    const TiffReader read(tiff, order == "MM");
    const std::optional<quint32> firstDirectory = read.u32(4);
    if (read.u16(2) != 42 || !firstDirectory)
        return {};
    const qsizetype directory = qsizetype(*firstDirectory);
    const std::optional<quint16> entries = read.u16(directory);
    if (!entries)
        return {};
    for (int i = 0; i < *entries; ++i) {
        const qsizetype entry = directory + 2 + qsizetype(i) * kEntryBytes;
        const std::optional<quint16> tag = read.u16(entry);
        if (!tag)
            return {};
        if (*tag != kOrientationTag)
            continue;
        if (read.u16(entry + 2) != kShortType || read.u32(entry + 4) != 1u)
            return {};
        const std::optional<quint16> value = read.u16(entry + 8);
        return value ? ExifOrientation(*value) : ExifOrientation();
    }
    return {};
}

QImage ExifOrientation::upright(const QImage& stored) const
{
    // Mirrored across, then flipped, then a quarter turn clockwise, as the tag combines them.
    const bool mirror = m_tag == 2 || m_tag == 3 || m_tag == 7 || m_tag == 8;
    const bool flip = m_tag == 3 || m_tag == 4 || m_tag == 5 || m_tag == 8;
    QImage image = mirror || flip ? stored.mirrored(mirror, flip) : stored;
    if (swapsSides())
        image = image.transformed(QTransform().rotate(90));
    return image;
}

} // namespace ruvo

#include "imaging/jpeg/exif_orientation.h"

#include <QTransform>
#include <QtEndian>

#include <utility>

namespace ruvo {

namespace {

constexpr quint16 kOrientationTag = 0x0112;
constexpr quint16 kShortType = 3;
constexpr qsizetype kExifHeaderBytes = 6;
constexpr QByteArrayView kExifHeader("Exif\0\0", kExifHeaderBytes);
constexpr qsizetype kTiffHeaderBytes = 8;
constexpr qsizetype kEntryBytes = 12;

// Reads the TIFF structure's numbers in its byte order, never past its end, and remembers
// whether a read would have gone past it.
class TiffReader
{
public:
    TiffReader(QByteArrayView tiff, bool bigEndian) : m_tiff(tiff), m_bigEndian(bigEndian) {}

    std::optional<quint16> u16(qsizetype at) const
    {
        if (!holds(at, 2))
            return std::nullopt;
        const auto* p = reinterpret_cast<const uchar*>(m_tiff.data() + at);
        return m_bigEndian ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p);
    }
    std::optional<quint32> u32(qsizetype at) const
    {
        if (!holds(at, 4))
            return std::nullopt;
        const auto* p = reinterpret_cast<const uchar*>(m_tiff.data() + at);
        return m_bigEndian ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p);
    }
    bool ranOut() const { return m_ranOut; }

private:
    bool holds(qsizetype at, qsizetype bytes) const
    {
        if (at >= 0 && at + bytes <= m_tiff.size())
            return true;
        m_ranOut = m_ranOut || at >= 0;
        return false;
    }

    QByteArrayView m_tiff;
    bool m_bigEndian;
    mutable bool m_ranOut = false;
};

// The orientation the payload (or its start) declares, and whether a read ran past its end.
std::pair<ExifOrientation, bool> readOrientation(QByteArrayView payload)
{
    if (payload.size() < kExifHeaderBytes + kTiffHeaderBytes)
        return {{}, true};
    if (!ExifOrientation::isExif(payload))
        return {{}, false};
    const QByteArrayView tiff = payload.sliced(kExifHeaderBytes);
    const QByteArrayView order = tiff.first(2);
    if (order != "II" && order != "MM")
        return {{}, false};
    const TiffReader read(tiff, order == "MM");
    const std::optional<quint32> firstDirectory = read.u32(4);
    if (read.u16(2) != 42 || !firstDirectory)
        return {{}, read.ranOut()};
    const qsizetype directory = qsizetype(*firstDirectory);
    const std::optional<quint16> entries = read.u16(directory);
    if (!entries)
        return {{}, read.ranOut()};
    for (int i = 0; i < *entries; ++i) {
        const qsizetype entry = directory + 2 + qsizetype(i) * kEntryBytes;
        const std::optional<quint16> tag = read.u16(entry);
        if (!tag)
            return {{}, read.ranOut()};
        if (*tag != kOrientationTag)
            continue;
        if (read.u16(entry + 2) != kShortType || read.u32(entry + 4) != 1u)
            return {{}, read.ranOut()};
        const std::optional<quint16> value = read.u16(entry + 8);
        return {value ? ExifOrientation(*value) : ExifOrientation(), read.ranOut()};
    }
    return {{}, false};
}

} // namespace

ExifOrientation ExifOrientation::fromApp1(QByteArrayView payload)
{
    return readOrientation(payload).first;
}

bool ExifOrientation::isExif(QByteArrayView payload)
{
    return payload.startsWith(kExifHeader);
}

std::optional<ExifOrientation> ExifOrientation::fromApp1Start(QByteArrayView start)
{
    const auto [orientation, ranOut] = readOrientation(start);
    if (ranOut)
        return std::nullopt;
    return orientation;
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

#include "imaging/metafile/wmf_placeable.h"

#include <QtEndian>

namespace ruvo {

namespace {

constexpr quint32 kKey = 0x9AC6CDD7;

qint16 signedWord(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<qint16>(bytes.data() + at);
}

} // namespace

bool WmfPlaceable::startsWith(QByteArrayView bytes)
{
    return bytes.size() >= 4 && qFromLittleEndian<quint32>(bytes.data()) == kKey;
}

std::optional<WmfPlaceable> WmfPlaceable::read(QByteArrayView bytes, QString* error)
{
    WmfPlaceable header;
    header.boundingBox = QRect(QPoint(signedWord(bytes, 6), signedWord(bytes, 8)),
                               QPoint(signedWord(bytes, 10), signedWord(bytes, 12)))
                             .normalized();
    header.unitsPerInch = qFromLittleEndian<quint16>(bytes.data() + 14);
    if (header.unitsPerInch == 0) {
        *error = QStringLiteral("WMF has no units per inch");
        return std::nullopt;
    }
    if (header.boundingBox.width() <= 1 || header.boundingBox.height() <= 1) {
        *error = QStringLiteral("WMF bounding box is empty");
        return std::nullopt;
    }
    return header;
}

} // namespace ruvo

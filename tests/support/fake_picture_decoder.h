#pragma once

#include "imaging/picture_decoder.h"

#include <QColor>
#include <QHash>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <functional>

namespace ruvo::test {

// Pictures made up from the file name: a size from a table (or the default)
// and a colour of their own, so a test can tell which page went where. Names
// in the damaged set fail to decode.
class FakePictureDecoder : public PictureDecoder
{
public:
    using PictureDecoder::decode;
    DecodedPicture decode(const PageRef& page, const SpareCore&, const ScaledSizeOf&) const override
    {
        const QString& path = page.path();
        decoded.append(path);
        if (whileDecoding)
            whileDecoding();
        const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        if (damaged.contains(name))
            return {QImage(), QStringLiteral("damaged")};
        if (transparent.contains(name)) {
            QImage clear(sizes.value(name, defaultSize), QImage::Format_ARGB32);
            clear.fill(Qt::transparent);
            return {clear, QString()};
        }
        QImage image(sizes.value(name, defaultSize), QImage::Format_RGB32);
        image.fill(colorOf(name));
        return {image, QString()};
    }

    static QColor colorOf(const QString& name) { return QColor::fromRgb(qHash(name) & 0xFFFFFF); }

    QHash<QString, QSize> sizes;
    QSet<QString> damaged;
    // Names whose pictures are wholly transparent.
    QSet<QString> transparent;
    QSize defaultSize{100, 150};
    mutable QStringList decoded;
    // Runs at every decoding, so that a test can look at the window meanwhile.
    std::function<void()> whileDecoding;
};

} // namespace ruvo::test

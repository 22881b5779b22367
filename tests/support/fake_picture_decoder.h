#pragma once

#include "imaging/picture_decoder.h"

#include <QColor>
#include <QHash>
#include <QList>
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
    DecodedPicture decode(const QString& path) const override
    {
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

    DecodedPicture decodeToDraw(const PrefetchRequest& request) const override
    {
        drawRequests.append(request);
        DecodedPicture decoded = decode(request.path);
        const QSize own = decoded.image.size();
        const QSize drawn = request.drawnSize(own);
        if (decodesAtDrawnSize && !drawn.isEmpty() && drawn.width() * 2 <= own.width() &&
            drawn.height() * 2 <= own.height()) {
            decoded.image = decoded.image.scaled(drawn);
            decoded.size = own;
        }
        return decoded;
    }

    void prefetch(const QList<PrefetchRequest>& requests) override
    {
        QStringList paths;
        for (const PrefetchRequest& request : requests)
            paths.append(request.path);
        prefetched.append(paths);
        prefetchRequests = requests;
    }

    void decodeBeside(const PrefetchRequest& request) override
    {
        besides.append(request.path);
        decodedBeforeBeside.append(int(decoded.size()));
    }

    bool isReady(const QString& path) const override { return ready.contains(path); }

    // Stands for scaling prepared ahead: with a prepared colour, every picture is prepared,
    // in that colour.
    QList<QImage> scaled(const QList<PictureToScale>& pictures) const override
    {
        if (!preparedColor.isValid())
            return PictureDecoder::scaled(pictures);
        QList<QImage> images;
        for (const PictureToScale& wanted : pictures) {
            QImage image(wanted.size, QImage::Format_RGB32);
            image.fill(preparedColor);
            images.append(wanted.picture.isNull() ? QImage() : image);
        }
        return images;
    }

    static QColor colorOf(const QString& name) { return QColor::fromRgb(qHash(name) & 0xFFFFFF); }

    QHash<QString, QSize> sizes;
    QSet<QString> damaged;
    // Names whose pictures are wholly transparent.
    QSet<QString> transparent;
    QSize defaultSize{100, 150};
    mutable QStringList decoded;
    // The pages decoded to be drawn at once, with the sizes they were to be drawn at.
    mutable QList<PrefetchRequest> drawRequests;
    // Runs at every decoding, so that a test can look at the window meanwhile.
    std::function<void()> whileDecoding;
    QList<QStringList> prefetched;
    // The requests of the latest prefetch, with their stretched sizes.
    QList<PrefetchRequest> prefetchRequests;
    // The pages asked to be decoded beside the loading, and how many pages had been decoded
    // when each was asked for.
    QStringList besides;
    QList<int> decodedBeforeBeside;
    QColor preparedColor;
    // Pages drawn at half their size or less are decoded at the size drawn alone, as JPEG
    // pages are.
    bool decodesAtDrawnSize = false;
    // Paths whose pictures count as decoded ahead.
    QSet<QString> ready;
};

} // namespace ruvo::test

#include "imaging/readers/page_reading.h"

#include "imaging/picture_limits.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace ruvo {

namespace {

// Drawing a metafile lays out text, which needs Qt's font machinery and so a
// GUI application; without one Qt would stop the program instead.
bool canDrawText()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

bool tooLarge(const QSize& size)
{
    return size.width() > kPictureMaxSide || size.height() > kPictureMaxSide ||
           qint64(size.width()) * size.height() > kPictureMaxPixels;
}

QString tooLargeText(qint64 width, qint64 height)
{
    return QStringLiteral("picture is too large (%1x%2)").arg(width).arg(height);
}

QString tooLargeText(const QSize& size)
{
    return tooLargeText(size.width(), size.height());
}

} // namespace

DecodedPicture failure(const QString& reason)
{
    return DecodedPicture{QImage(), reason};
}

std::optional<DecodedPicture> refusedSize(QSize size, qint64 mostPixels)
{
    if (size.isValid() && tooLarge(size))
        return failure(tooLargeText(size));
    if (size.isValid() && qint64(size.width()) * size.height() > mostPixels)
        return failure(QStringLiteral("picture is larger than its file can hold (%1x%2)")
                           .arg(size.width())
                           .arg(size.height()));
    return std::nullopt;
}

std::optional<DecodedPicture> refusedLargerThan(QSize size, qint64 mostPixels)
{
    return refusedLargerThan(size.width(), size.height(), mostPixels);
}

std::optional<DecodedPicture> refusedLargerThan(qint64 width, qint64 height, qint64 mostPixels)
{
    if (withinPictureLimits(width, height, mostPixels))
        return std::nullopt;
    return failure(tooLargeText(width, height));
}

std::optional<DecodedPicture> refusedWholeRead(const QIODevice& file)
{
    if (file.size() > kArchivePageMaxBytes)
        return failure(QStringLiteral("picture file is too large (%1 bytes)").arg(file.size()));
    return std::nullopt;
}

DecodedPicture readThroughQt(QImageReader& reader, qint64 mostPixels)
{
    // The reader knows the size from the header alone; refuse absurd ones
    // before anything is allocated for them.
    if (std::optional<DecodedPicture> refused = refusedSize(reader.size(), mostPixels))
        return *refused;
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return failure(QStringLiteral("cannot decode picture: ") + reader.errorString());
    if (tooLarge(image.size()) || qint64(image.width()) * image.height() > mostPixels)
        return failure(tooLargeText(image.size()));
    return DecodedPicture{image, QString()};
}

DecodedPicture drawMetafile(QIODevice& file, DecodedPicture (*draw)(const QByteArray& bytes))
{
    if (file.size() > kMetafileMaxBytes)
        return failure(QStringLiteral("metafile is too large"));
    if (!canDrawText())
        return failure(QStringLiteral("metafiles can only be drawn in a GUI application"));
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        return failure(QStringLiteral("cannot read file: ") + file.errorString());
    return draw(bytes);
}

} // namespace ruvo

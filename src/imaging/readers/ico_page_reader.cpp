#include "imaging/readers/ico_page_reader.h"

#include "imaging/bitmap/ico_directory.h"
#include "imaging/picture_limits.h"
#include "imaging/readers/page_reading.h"
#include "imaging/stream_bytes.h"

#include <QBuffer>
#include <QList>

namespace ruvo {

namespace {

DecodedPicture decodeIco(QIODevice& file, const SpareCore&, const ScaledSizeOf&)
{
    const qint64 mostPixels = file.size() * kIcoPixelsPerByte;
    if (file.size() > kIconMaxBytes)
        return failure(QStringLiteral("icon file is too large"));
    QBuffer inMemory;
    inMemory.setData(icoWithTrueSizes(file.readAll()));
    if (!inMemory.data().isEmpty())
        inMemory.open(QIODevice::ReadOnly);
    const QByteArray& ico = inMemory.data();
    QImageReader reader(inMemory.isOpen() ? static_cast<QIODevice*>(&inMemory) : &file, "ico");
    // Sizes are the images' own: the reader takes every side of more than 255 for 256. A count
    // beyond the entries the file holds is damage, and each image asked of the reader costs a
    // pass over its directory.
    const std::optional<IcoImage> page = icoPageImage(
        icoImagesWithin(reader.imageCount(), file.size()),
        [&](int i) -> std::optional<QSize> {
            if (!reader.jumpToImage(i))
                return std::nullopt;
            return icoImageSize(icoImage(ico, i)).value_or(reader.size());
        },
        [&](int i) { return icoImageBits(icoImage(ico, i)); });
    if (!page || !reader.jumpToImage(page->index))
        return failure(QStringLiteral("cannot decode icon: ") + reader.errorString());
    if (std::optional<DecodedPicture> refused = refusedSize(page->size, mostPixels))
        return *refused;
    return readThroughQt(reader, mostPixels);
}

// The size of the image decodeIco picks, from the directory and each image's first bytes.
std::optional<QSize> icoSize(QIODevice& file)
{
    const StreamBytes stream(file);
    const int count = icoImagesWithin(icoImageCount(stream.at(0, icoDirectoryBytes(0))), stream.size());
    const QByteArray directory = stream.at(0, icoDirectoryBytes(count));
    QList<QByteArray> heads;
    for (int i = 0; i < count; ++i) {
        const std::optional<qint64> at = icoImageOffset(directory, i);
        heads.append(at && *at < stream.size() ? stream.at(*at, kIcoImageHeadBytes) : QByteArray());
    }
    const std::optional<IcoImage> page = icoPageImage(
        count,
        [&](int i) -> std::optional<QSize> {
            const std::optional<QSize> listed = icoListedSize(directory, i);
            if (!listed)
                return std::nullopt;
            return icoImageSize(heads.at(i)).value_or(*listed);
        },
        [&](int i) { return icoImageBits(heads.at(i)); });
    if (!page)
        return std::nullopt;
    return page->size;
}

} // namespace

const PageReader icoPageReader{decodeIco, icoSize};

} // namespace ruvo

#include "imaging/readers/gif_page_reader.h"

#include "imaging/gif/gif_first_frame.h"
#include "imaging/gif/gif_screen.h"
#include "imaging/picture_limits.h"
#include "imaging/readers/page_reading.h"
#include "imaging/stream_bytes.h"

#include <QBuffer>

namespace ruvo {

namespace {

// Enough of a GIF too large to be read whole for its colour table and the extensions before
// its first image.
constexpr int kGifHeadBytes = 64 * 1024;
// Enough of a usual GIF for its first image's descriptor, which a screen with a side of zero
// is measured by.
constexpr int kGifFirstBlockBytes = 4096;

DecodedPicture decodeGif(QIODevice& file, const SpareCore&, const ScaledSizeOf&)
{
    const qint64 mostPixels = file.size() * kGifPixelsPerByte;
    QBuffer inMemory;
    if (file.size() <= kGifReadWholeMaxBytes) {
        inMemory.setData(file.readAll());
        if (inMemory.size() != file.size())
            return failure(QStringLiteral("cannot read file: ") + file.errorString());
        inMemory.open(QIODevice::ReadOnly);
    }
    // Where the first frame lies on its screen, read before the reader moves on.
    const std::optional<GifScreen> gif =
        inMemory.isOpen() ? gifScreen(inMemory.data()) : gifScreen(file.peek(kGifHeadBytes));
    // The canvas is allocated before a pixel is read, whoever draws the frame. Qt's reader
    // measures a GIF by its first image where the logical screen looks too large to it, but
    // allocates the screen all the same: its size is no guide here.
    if (gif) {
        if (std::optional<DecodedPicture> refused = refusedSize(gifCanvasSize(*gif), mostPixels))
            return *refused;
    }
    if (gif && gif->firstFrame.size() > 1 && inMemory.isOpen()) {
        QString error;
        const QImage frame = composedFirstFrame(inMemory.data(), *gif, mostPixels, &error);
        if (frame.isNull())
            return failure(QStringLiteral("cannot decode picture: ") + error);
        return DecodedPicture{frame, QString()};
    }
    QImageReader reader(inMemory.isOpen() ? static_cast<QIODevice*>(&inMemory) : &file, "gif");
    DecodedPicture picture = readThroughQt(reader, mostPixels);
    if (gif && !picture.image.isNull())
        picture.image = withUncoveredScreenClear(std::move(picture.image), *gif);
    return picture;
}

// The canvas decodeGif draws the first frame on: the logical screen, a side of it that is zero
// taken from the first image block.
std::optional<QSize> gifSize(QIODevice& file)
{
    const StreamBytes stream(file);
    const QByteArray head = stream.at(0, kGifFirstBlockBytes);
    const std::optional<QSize> screen = gifLogicalScreen(head);
    if (!screen)
        return std::nullopt;
    if (!screen->isEmpty())
        return screen;
    std::optional<GifScreen> blocks = gifScreen(head);
    if (!blocks && head.size() == kGifFirstBlockBytes)
        blocks = gifScreen(stream.at(0, kGifHeadBytes));
    if (!blocks)
        return std::nullopt;
    return gifCanvasSize(*blocks);
}

} // namespace

const PageReader gifPageReader{decodeGif, gifSize};

} // namespace ruvo

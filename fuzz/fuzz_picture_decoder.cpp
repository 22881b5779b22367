// Any bytes, as a page file, through the one decoder every page, preview and
// thumbnail goes through: whole (a large JPEG in two bands), scaled on the way, and decoded
// at a fraction of its size. The seeds hold each format it reads.
#include "imaging/file_picture_decoder.h"
#include "scratch_file.h"

#include <QGuiApplication>

#include <cstdlib>
#include <functional>
#include <memory>

namespace {

// Kept to the end of the process: destroying it while exit() runs the other
// static destructors would crash in Qt's teardown.
QGuiApplication* application = nullptr;
std::unique_ptr<ruvo::fuzz::ScratchFile> page;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Metafiles are drawn, and drawing text needs a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = new QGuiApplication(*argc, *argv);
    page = std::make_unique<ruvo::fuzz::ScratchFile>(QStringLiteral("page"));
    return 0;
}

namespace {

// A picture and an error at once would tell the viewer two things; a scaled image is the
// picture's, at the size asked; a picture held smaller than it is holds at least the size
// drawn, and no more than the picture.
void check(const ruvo::DecodedPicture& picture, const ruvo::ScaledSizeOf& drawnSize)
{
    if (!picture.error.isEmpty() && !picture.image.isNull())
        std::abort();
    if (picture.image.isNull())
        return;
    const QSize own = picture.pictureSize();
    const QSize drawn = drawnSize ? drawnSize(own) : QSize();
    if (!picture.scaled.isNull() && picture.scaled.size() != drawn)
        std::abort();
    if (picture.isReduced() && (drawn.isEmpty() || picture.image.width() < drawn.width() ||
                                picture.image.height() < drawn.height() ||
                                picture.image.width() > own.width() || picture.image.height() > own.height()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    page->write(data, size);
    const ruvo::FilePictureDecoder decoder;
    // Decoded whole with a spare core that takes the lower rows of a large JPEG at once,
    // before the caller begins the upper ones: both bands are decoded, one after the other,
    // on this thread.
    const ruvo::SpareCore atOnce = [](const std::function<void()>& work) { work(); };
    check(decoder.decode(ruvo::PageRef::file(page->path()), atOnce, {}), {});
    // Drawn stretched at an uneven size, on the way; and at under half the size, which a
    // JPEG is decoded at by libjpeg at a fraction of its size.
    for (const auto& drawnSize :
         {ruvo::ScaledSizeOf([](QSize size) { return QSize(size.width() * 3 / 5, size.height() * 4 / 7); }),
          ruvo::ScaledSizeOf([](QSize size) { return (size / 3).expandedTo(QSize(1, 1)); })})
        check(decoder.decode(ruvo::PageRef::file(page->path()), atOnce, drawnSize), drawnSize);
    return 0;
}

// Any bytes, as a page file, through the one decoder every page, preview and
// thumbnail goes through, a large JPEG in two bands. The seeds hold each format it reads.
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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    page->write(data, size);
    // A spare core that takes the lower rows of a large JPEG at once, before the caller
    // begins the upper ones: both bands are decoded, one after the other, on this thread.
    // Asked to scale it to an uneven size on the way, as a stretched page is.
    const ruvo::SpareCore atOnce = [](const std::function<void()>& work) { work(); };
    const ruvo::ScaledSizeOf smaller = [](QSize size) {
        return QSize(size.width() * 3 / 5, size.height() * 4 / 7);
    };
    const ruvo::DecodedPicture picture =
        ruvo::FilePictureDecoder().decodeSharing(page->path(), atOnce, smaller);
    // A picture and an error at once would tell the viewer two things; a scaled image is
    // the picture's, at the size asked.
    if (!picture.error.isEmpty() && !picture.image.isNull())
        std::abort();
    if (!picture.scaled.isNull() &&
        (picture.image.isNull() || picture.scaled.size() != smaller(picture.image.size())))
        std::abort();
    return 0;
}

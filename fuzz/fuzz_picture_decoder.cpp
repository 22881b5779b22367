// Any bytes, as a page file, through the one decoder every page, preview and
// thumbnail goes through: whole (a large JPEG in two bands), scaled on the way, and decoded
// at a fraction of its size. The facts its header tells are read beside, as a folder's page
// and as an archive's. Bytes of a format only archives hold (PNG, WebP, AVIF, JPEG XL) are
// decoded as an archive's page too. The seeds hold each format it reads.
#include "imaging/file_picture_decoder.h"
#include "imaging/page_facts.h"
#include "imaging/picture_formats.h"
#include "scratch_file.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>

#include <algorithm>
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

// The size a page's header tells is the size of the picture decoded whole, whenever both are
// there.
void checkFacts(const std::optional<ruvo::PageFacts>& facts, const ruvo::DecodedPicture& whole)
{
    if (facts && whole.isValid() && facts->size != whole.pictureSize())
        std::abort();
}

// The bytes as a member read out of an archive, which its book hands over in memory.
class ArchivePage : public ruvo::PageSource
{
public:
    ArchivePage(const uint8_t* data, size_t size)
        : m_bytes(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)))
    {
    }
    std::unique_ptr<QIODevice> open(QString*) const override
    {
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(m_bytes);
        buffer->open(QIODevice::ReadOnly);
        return buffer;
    }
    ruvo::PageFormats formats() const override { return ruvo::PageFormats::All; }

private:
    QByteArray m_bytes;
};

std::optional<ruvo::PageFacts> archiveFacts(const uint8_t* data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    return ruvo::readPageFacts(buffer, ruvo::PageFormats::All);
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
    const ruvo::DecodedPicture whole =
        decoder.decode(ruvo::PageRef::file(page->path(), ruvo::PageFormats::Basic), atOnce, {});
    check(whole, {});
    QFile file(page->path());
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    const std::optional<ruvo::PageFacts> inFolder = ruvo::readPageFacts(file, ruvo::PageFormats::Basic);
    checkFacts(inFolder, whole);
    // An archive's pages are in a folder's formats and two more: the same bytes tell the same
    // facts, read from memory as from the file.
    const std::optional<ruvo::PageFacts> inArchive = archiveFacts(data, size);
    if (inFolder &&
        (!inArchive || inArchive->size != inFolder->size || inArchive->format != inFolder->format))
        std::abort();
    const QByteArrayView head(reinterpret_cast<const char*>(data), qsizetype(std::min<size_t>(size, 64)));
    if (!ruvo::pictureFormatOfContent(head) && ruvo::archivePictureFormatOfContent(head)) {
        const ArchivePage member(data, size);
        const ruvo::DecodedPicture wholeInArchive = ruvo::FilePictureDecoder::decodePage(member, atOnce, {});
        check(wholeInArchive, {});
        checkFacts(inArchive, wholeInArchive);
        // Without a spare core, and scaled on the way.
        const ruvo::ScaledSizeOf third = [](QSize size) { return (size / 3).expandedTo(QSize(1, 1)); };
        check(ruvo::FilePictureDecoder::decodePage(member, {}, third), third);
    }
    // Drawn stretched at an uneven size, on the way; and at under half the size, which a
    // JPEG is decoded at by libjpeg at a fraction of its size.
    for (const auto& drawnSize :
         {ruvo::ScaledSizeOf([](QSize size) { return QSize(size.width() * 3 / 5, size.height() * 4 / 7); }),
          ruvo::ScaledSizeOf([](QSize size) { return (size / 3).expandedTo(QSize(1, 1)); })})
        check(decoder.decode(ruvo::PageRef::file(page->path(), ruvo::PageFormats::Basic), atOnce, drawnSize),
              drawnSize);
    return 0;
}

// Any bytes, as an archive file opened as a book: indexed, and every page read out of it
// through the decoder the viewer uses, as a page path inside the archive, through the
// archive's members as the program keeps them (a solid archive read in one pass). The seeds hold
// each format it reads.
#include "books/archive_book.h"
#include "books/archive_index.h"
#include "books/archive_members.h"
#include "imaging/file_picture_decoder.h"
#include "scratch_file.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace {

QGuiApplication* application = nullptr;
std::unique_ptr<ruvo::fuzz::ScratchFile> book;

// More pages than this in one input are no more than more of the same.
constexpr qsizetype kPagesRead = 12;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = new QGuiApplication(*argc, *argv);
    book = std::make_unique<ruvo::fuzz::ScratchFile>(QStringLiteral("book.cbz"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    book->write(data, size);
    const ruvo::ArchiveIndex index = ruvo::indexArchive(book->path());
    // A failure lists no pages; a book lists some.
    if ((index.failure == ruvo::ArchiveIndex::Failure::None) == index.pages.isEmpty())
        std::abort();
    // Fresh members for every input: the file keeps its name.
    const auto archive = std::make_shared<ruvo::ArchiveMembers>(
        book->path(), ruvo::ArchiveMembers::Options{true, ruvo::ArchiveMembers::defaultMemoryCap, QString()});
    const auto opened = std::make_shared<ruvo::ArchiveBook>(book->path(), archive);
    const ruvo::FilePictureDecoder decoder;
    // The last page first, as a jump does, then back to the first.
    for (qsizetype i = std::min(index.pages.size(), kPagesRead) - 1; i >= 0; --i) {
        const ruvo::DecodedPicture page = decoder.decode(ruvo::PageRef(opened, index.pages.at(i)));
        if (!page.error.isEmpty() && !page.image.isNull())
            std::abort();
        // What the page's first bytes tell of it, read by a reader of their own, is what the
        // page decodes to.
        const std::optional<ruvo::PageFacts> facts = opened->factsOf(index.pages.at(i));
        if (facts && page.isValid() && facts->size != page.pictureSize())
            std::abort();
    }
    return 0;
}

// Any bytes, as a PDF file opened as a book through Books: its pages listed, and its first page
// drawn small, as a page shown stretched in a small window is, through the decoder the viewer
// uses; then what the page's facts tell of its size is held against what was drawn. A page may
// be slow to draw: run it with a time limit per input (run-fuzzers gives -timeout). The seeds
// hold vector pages, a page that is one JPEG over the whole page, a damaged page, and a page
// whose damaged contents poppler would work through for many seconds. Whatever the file claims,
// the heap held at once for an input stays within kMostHeapBytes.
#include "books/book.h"
#include "books/books.h"
#include "books/pdf_format.h"
#include "heap_peak.h"
#include "imaging/file_picture_decoder.h"
#include "platform/local_file_services.h"
#include "scratch_file.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

QGuiApplication* application = nullptr;
std::unique_ptr<ruvo::fuzz::ScratchFile> book;
std::unique_ptr<ruvo::LocalFileServices> files;

// What a PDF book may hold at once, opened and a page drawn, above what the program holds.
constexpr std::int64_t kMostHeapBytes = 400LL * 1024 * 1024;

// The largest a page is drawn at here: a small window's.
constexpr int kDrawnSide = 200;

QSize drawnSmall(QSize own)
{
    return own
        .scaled(std::min(own.width(), kDrawnSide), std::min(own.height(), kDrawnSide), Qt::KeepAspectRatio)
        .expandedTo(QSize(1, 1));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = new QGuiApplication(*argc, *argv);
    book = std::make_unique<ruvo::fuzz::ScratchFile>(QStringLiteral("book.pdf"));
    files = std::make_unique<ruvo::LocalFileServices>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    book->write(data, size);
    ruvo::fuzz::HeapPeak::start();
    // Only a PDF is this target's concern; other books have targets of their own.
    if (!ruvo::isPdfFile(book->path()))
        return 0;
    // Fresh books for every input: the file keeps its name, and may keep its size and time.
    ruvo::Books books(*files);
    const std::shared_ptr<ruvo::Book> opened = books.open(book->path());
    // A failure lists no pages; a book lists some.
    if ((opened->failure() == ruvo::BookFailure::None) == opened->pageNames().isEmpty())
        std::abort();
    if (opened->pageNames().isEmpty())
        return 0;
    const QString first = opened->pageNames().first();
    const ruvo::FilePictureDecoder decoder;
    const ruvo::DecodedPicture page = decoder.decode(ruvo::PageRef(opened, first), {}, drawnSmall);
    if (!page.error.isEmpty() && !page.image.isNull())
        std::abort();
    // What the facts tell of the page's size, before it is drawn, is the size it was drawn for.
    const std::optional<ruvo::PageFacts> facts = opened->factsOf(first);
    if (facts && page.isValid() && facts->size != page.pictureSize())
        std::abort();
    if (ruvo::fuzz::HeapPeak::growth() > kMostHeapBytes)
        std::abort();
    return 0;
}

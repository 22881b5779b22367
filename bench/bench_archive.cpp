// Archive and PDF books beside the same book as a folder: 300 pages of 2 MP JPEG as a folder,
// a stored CBZ, a deflated CBZ, a CBT, a solid CB7 (deflate within, so that writing it takes
// seconds, not minutes) and a PDF made by img2pdf, one page a JPEG, as comics sold as PDF are.
// For each, in a process of its own: the time to open the book to its first spread, a jump to
// the last page at once after, a turn into pages prepared ahead, what reading the facts (size
// and format) of the eight pages after the spread costs, the peak resident memory beside the
// page cache's budget, and how long closing it takes at once after it opens.
//   bench_archive                 makes the books and runs every one
//   bench_archive --one BOOK      runs one book, printing its figures on one line
#include "bench_figures.h"
#include "books/books.h"
#include "browse/form2.h"
#include "imaging/cache/prefetching_page_cache.h"
#include "imaging/file_picture_decoder.h"
#include "scanned_page.h"
#include "support/test_platform.h"
#include "viewer/form1.h"
#include "x_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <archive.h>
#include <archive_entry.h>
#include <cstdio>
#include <functional>
#include <memory>

using namespace ruvo;
using namespace ruvo::bench;
using namespace ruvo::test;

namespace {

constexpr int kPages = 300;
constexpr int kTurns = 20;

QStringList makeFolderBook(const QString& folder)
{
    QDir().mkpath(folder);
    QStringList names;
    for (int page = 1; page <= kPages; ++page) {
        const QString name = QStringLiteral("%1.jpg").arg(page, 3, 10, QLatin1Char('0'));
        scannedPage(QSize(1200, 1600), page).save(folder + u'/' + name, "JPEG", 85);
        names.append(name);
    }
    return names;
}

// The folder's pages, written into an archive by libarchive in the format and with the
// options given.
bool makeArchive(const QString& path, const char* format, const char* options, const QString& folder,
                 const QStringList& names)
{
    struct archive* writer = archive_write_new();
    archive_write_set_format_by_name(writer, format);
    if (options && archive_write_set_options(writer, options) != ARCHIVE_OK)
        return false;
    if (archive_write_open_filename(writer, QFile::encodeName(path).constData()) != ARCHIVE_OK)
        return false;
    for (const QString& name : names) {
        QFile file(folder + u'/' + name);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = file.readAll();
        struct archive_entry* entry = archive_entry_new();
        archive_entry_copy_pathname(entry, ("Vol01/" + name).toUtf8().constData());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, bytes.size());
        archive_write_header(writer, entry);
        archive_write_data(writer, bytes.constData(), size_t(bytes.size()));
        archive_entry_free(entry);
    }
    const bool closed = archive_write_close(writer) == ARCHIVE_OK;
    archive_write_free(writer);
    return closed;
}

// The folder's pages as a PDF, a page for each JPEG as it stands, made by img2pdf.
bool makePdf(const QString& path, const QString& folder, const QStringList& names)
{
    if (!ensureInstalled({QStringLiteral("img2pdf")}, {QStringLiteral("img2pdf")}))
        return false;
    QStringList arguments{QStringLiteral("-o"), path};
    for (const QString& name : names)
        arguments.append(folder + u'/' + name);
    return QProcess::execute(QStringLiteral("img2pdf"), arguments) == 0;
}

// The main window's logic over the real decoder, the program's archive books and its page
// cache, at 1200 x 900.
struct Viewer
{
    TestPlatform fakes;
    Books books{fakes.files};
    FilePictureDecoder decoder;
    PrefetchingPageCache cache{decoder};
    Platform platform{fakes.messages, fakes.modal, fakes.files, fakes.settings, fakes.process, fakes.random,
                      fakes.shell,    books,       decoder,     cache,          fakes.delays,  fakes.pointer};
    ViewerState state;
    Form2 browser{platform};
    Form1 form{platform, state, browser};

    Viewer()
    {
        browser.setBookOpener(&form);
        form.Form_Load();
        WindowState& window = form.controls().window;
        window.width = window.scaleWidth = 18000;
        window.height = window.scaleHeight = 13500;
        form.Form_Resize();
    }
    void open(const QString& path)
    {
        form.controls().list1 = QStringList{path};
        form.dP();
    }
};

int runOne(const QString& book)
{
    // Closed at once after it opens, with a solid archive's pass and the pages ahead under way:
    // what the reader waits for when the program ends.
    auto early = std::make_unique<Viewer>();
    early->open(book);
    const double close = millisecondsOf([&] { early.reset(); });

    Viewer viewer;
    const double open = millisecondsOf([&] { viewer.open(book); });
    if (viewer.browser.pages().count() != kPages || !viewer.fakes.messages.shown.isEmpty()) {
        std::printf("the book did not open whole\n");
        return 1;
    }
    // At once, before anything ahead is done: a solid archive's pass has barely begun.
    const QString last = viewer.browser.pages().pathOf(kPages - 1);
    const double jump = millisecondsOf([&] { viewer.open(last); });
    if (viewer.state.pageIndex != kPages - 1) {
        std::printf("the jump did not land\n");
        return 1;
    }
    viewer.open(book);
    QList<double> turns;
    for (int turn = 0; turn < kTurns; ++turn) {
        viewer.cache.waitForPrefetches();
        turns.append(millisecondsOf([&] { viewer.form.NEXTP_Click(); }));
    }
    viewer.cache.waitForPrefetches();
    // None of them read before: the book reads each page's header afresh.
    const PageList& pages = viewer.browser.pages();
    const int after = viewer.state.pageIndex + 2;
    int told = 0;
    const double facts = millisecondsOf([&] {
        for (int page = after; page < after + 8; ++page)
            told += pages.book()->factsOf(pages.name(page)).has_value() ? 1 : 0;
    });
    if (told != 8) {
        std::printf("the pages' facts were not read\n");
        return 1;
    }
    std::printf("%.1f %.1f %.1f %.2f %.1f %.0f %.1f\n", open, median(turns), percentile(turns, 0.95), facts,
                jump, peakResidentMb(), close);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--one") {
        // Nothing is shown: the logic lays the pages out for a window of its size.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return runOne(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("folder"));
    std::printf("making a book of %d pages of 2 MP JPEG ...\n", kPages);
    const QStringList names = makeFolderBook(folder);
    struct Kind
    {
        const char* what;
        QString path;
        // Writes the book at path; nothing for the folder, which is there.
        std::function<bool(const QString&)> make;
    };
    const auto archive = [&](const char* format, const char* options) {
        return [=, &folder, &names](const QString& path) {
            return makeArchive(path, format, options, folder, names);
        };
    };
    const QList<Kind> kinds{
        {"folder", folder, nullptr},
        {"stored CBZ", dir.filePath(QStringLiteral("stored.cbz")), archive("zip", "zip:compression=store")},
        {"deflated CBZ", dir.filePath(QStringLiteral("deflated.cbz")), archive("zip", nullptr)},
        {"CBT", dir.filePath(QStringLiteral("book.cbt")), archive("ustar", nullptr)},
        {"solid CB7", dir.filePath(QStringLiteral("solid.cb7")), archive("7zip", "7zip:compression=deflate")},
        {"PDF (img2pdf)", dir.filePath(QStringLiteral("book.pdf")),
         [&](const QString& path) { return makePdf(path, folder, names); }},
    };
    std::printf("the page cache's budget: %lld MB\n",
                qlonglong(PrefetchingPageCache::defaultByteBudget / (1024 * 1024)));
    std::printf("%-14s %10s %12s %12s %12s %12s %10s %10s\n", "book", "open ms", "turn median", "turn p95",
                "facts of 8", "jump ms", "peak MB", "close ms");
    for (const Kind& kind : kinds) {
        if (kind.make && !kind.make(kind.path)) {
            std::printf("%-14s could not be written\n", kind.what);
            continue;
        }
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--one"), kind.path});
        child.waitForFinished(-1);
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        if (figures.size() != 7) {
            std::printf("%-14s failed\n", kind.what);
            continue;
        }
        std::printf("%-14s %10s %12s %12s %12s %12s %10s %10s\n", kind.what, figures[0].constData(),
                    figures[1].constData(), figures[2].constData(), figures[3].constData(),
                    figures[4].constData(), figures[5].constData(), figures[6].constData());
    }
    return 0;
}

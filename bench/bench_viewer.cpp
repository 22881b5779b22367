// Prints how long the viewer takes to list a large book and to turn to the
// next spread of two 12-megapixel JPEG pages, next to the bare decoding time
// of the same two files.
#include "bench_figures.h"
#include "books/books.h"
#include "books/page_names.h"
#include "browse/form2.h"
#include "imaging/cache/prefetching_page_cache.h"
#include "imaging/file_picture_decoder.h"
#include "platform/local_file_services.h"
#include "session/page_list.h"
#include "support/test_platform.h"
#include "viewer/form1.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace ruvo;
using namespace ruvo::test;
using namespace ruvo::bench;

namespace {

void makeLargeFolder(const QString& folder, int images)
{
    QDir().mkpath(folder);
    QRandomGenerator random(7);
    const char* extensions[] = {".jpg", ".JPG", ".gif", ".Bmp", ".jpeg", ".png", ".webp"};
    for (int i = 0; i < images; ++i) {
        QString name = QStringLiteral("Page_%1").arg(random.bounded(1000000), 7, 10, QLatin1Char('0'));
        if (random.bounded(2))
            name = name.toLower();
        QFile(folder + QLatin1Char('/') + name + QString::number(i) +
              QLatin1String(extensions[i % std::size(extensions)]))
            .open(QIODevice::WriteOnly);
    }
    for (int i = 0; i < images / 40; ++i)
        QFile(folder + QStringLiteral("/notes%1.txt").arg(i)).open(QIODevice::WriteOnly);
}

void makeJpegBook(const QString& folder, int pages)
{
    QDir().mkpath(folder);
    for (int page = 1; page <= pages; ++page) {
        // Gradients and lines, so the file is as hard to decode as a scanned page.
        QImage image(4000, 3000, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 4000, 3000);
        gradient.setColorAt(0, QColor::fromHsv(page * 40 % 360, 120, 250));
        gradient.setColorAt(1, QColor::fromHsv(page * 70 % 360, 200, 90));
        painter.fillRect(image.rect(), gradient);
        painter.setPen(QPen(Qt::black, 3));
        for (int y = 0; y < 3000; y += 23)
            painter.drawLine(0, y, 4000, (y * 7 + page * 131) % 3000);
        painter.end();
        image.save(folder + QStringLiteral("/page%1.jpg").arg(page), "JPEG", 90);
    }
}

struct Viewer
{
    TestPlatform platform;
    ViewerState state;
    Form2 browser;
    Form1 form;

    Viewer(PictureDecoder& decoder, PageCache& cache)
        : browser(withDecoder(decoder, cache)), form(withDecoder(decoder, cache), state, browser)
    {
        form.Form_Load();
    }
    Platform withDecoder(PictureDecoder& decoder, PageCache& cache)
    {
        Platform p = platform.platform();
        return Platform{p.messages, p.modal, p.files, p.settings, p.process, p.random,
                        p.shell,    p.books, decoder, cache,      p.delays,  p.pointer};
    }
    void open(const QString& path)
    {
        form.controls().list1 = QStringList{path};
        form.dP();
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;

    const QString large = dir.path() + "/large";
    makeLargeFolder(large, 20000);
    LocalFileServices files;
    // The folder as it was first listed (six formats, names compared as characters) beside
    // each way it may be listed now, in the same run.
    struct Listing
    {
        const char* name;
        PageFormats formats;
        NameOrder order;
    };
    const Listing listings[] = {
        {"six formats, character order", PageFormats::Basic, NameOrder::Characters},
        {"six formats, number order", PageFormats::Basic, NameOrder::Numbers},
        {"every format, character order", PageFormats::All, NameOrder::Characters},
        {"every format, number order (default)", PageFormats::All, NameOrder::Numbers}};
    for (const Listing& way : listings) {
        QList<double> listing;
        int count = 0;
        for (int run = 0; run < 7; ++run) {
            PageList list;
            Books books(files);
            books.setFolderFormats(way.formats);
            books.setFolderOrder(way.order);
            listing.append(millisecondsOf([&] { list.load(large, books); }));
            count = list.count();
        }
        std::printf("list and sort a folder of %d image files, %s: median %.1f ms (target < 50 ms)\n", count,
                    way.name, median(listing));
    }

    // The sort alone, on the folder's names in memory: what the order changes, without the
    // reading of the folder around it.
    const QStringList names = files.listFiles(large).value_or(QStringList());
    for (const NameOrder order : {NameOrder::Characters, NameOrder::Numbers}) {
        QList<double> sorting;
        for (int run = 0; run < 7; ++run) {
            QStringList sorted = names;
            sorting.append(millisecondsOf([&] { sortPageNames(sorted, order); }));
        }
        std::printf("sort the %lld names of that folder in %s order: median %.1f ms\n",
                    qlonglong(names.size()), order == NameOrder::Numbers ? "number" : "character",
                    median(sorting));
    }

    const QString book = dir.path() + "/book";
    makeJpegBook(book, 4);
    FilePictureDecoder fileDecoder;
    QList<double> decodes;
    for (int run = 0; run < 5; ++run) {
        decodes.append(millisecondsOf([&] {
            fileDecoder.decode(book + "/page3.jpg");
            fileDecoder.decode(book + "/page4.jpg");
        }));
    }
    const double decodeTime = median(decodes);
    std::printf("decode the two 12-megapixel JPEG pages alone: median %.1f ms\n", decodeTime);

    FakePageCache onDemand(fileDecoder);
    Viewer direct(fileDecoder, onDemand);
    direct.open(book);
    QList<double> turns;
    for (int run = 0; run < 5; ++run) {
        turns.append(millisecondsOf([&] { direct.form.NEXTP_Click(); }));
        direct.form.PRVP_Click();
    }
    const double turnTime = median(turns);
    std::printf("next-page command to that spread, decoding on demand: median %.1f ms, %.2f x the decode "
                "(target <= 1.25 x)\n",
                turnTime, turnTime / decodeTime);

    PrefetchingPageCache prefetching(fileDecoder);
    Viewer ahead(fileDecoder, prefetching);
    ahead.open(book);
    QList<double> prefetchedTurns;
    for (int run = 0; run < 5; ++run) {
        // A reader spends far longer on a spread than the decoding takes.
        prefetching.waitForPrefetches();
        prefetchedTurns.append(millisecondsOf([&] { ahead.form.NEXTP_Click(); }));
        prefetching.waitForPrefetches();
        ahead.form.PRVP_Click();
    }
    const double prefetchedTime = median(prefetchedTurns);
    std::printf("next-page command with the pages decoded ahead: median %.1f ms, %.2f x the decode\n",
                prefetchedTime, prefetchedTime / decodeTime);
    return 0;
}

// Prints how long registering one more book takes on a shelf of 427 books with
// their thumbnails, the page on screen being a 12-megapixel JPEG: opening the
// register window (decoding the page and reading the shelf) and pressing OK
// (sampling the thumbnail, choosing its name, saving it and rewriting the shelf).
#include "bench_figures.h"
#include "bookshelf/form5.h"
#include "bookshelf/shelf_file.h"
#include "imaging/cache/prefetching_page_cache.h"
#include "imaging/file_picture_decoder.h"
#include "session/viewer_state.h"
#include "support/test_platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace ruvo;
using namespace ruvo::test;
using namespace ruvo::bench;

namespace {

constexpr int shelfBooks = 427;
constexpr int runs = 7;

void makePage(const QString& path)
{
    // Gradients and lines, so the file is as hard to decode as a scanned page.
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 4000, 3000);
    gradient.setColorAt(0, QColor::fromHsv(40, 120, 250));
    gradient.setColorAt(1, QColor::fromHsv(210, 200, 90));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QPen(Qt::black, 3));
    for (int y = 0; y < 3000; y += 23)
        painter.drawLine(0, y, 4000, (y * 7 + 131) % 3000);
    painter.end();
    image.save(path, "JPEG", 90);
}

// A shelf of 427 books, each with a thumbnail bitmap of its own.
QList<ShelfEntry> makeShelf(FileServices& files, const QString& shelf)
{
    QDir().mkpath(shelf);
    QImage thumbnail(97, 123, QImage::Format_RGB32);
    QList<ShelfEntry> entries;
    for (int i = 0; i < shelfBooks; ++i) {
        const QString name = QString::number(i) + QStringLiteral("ruv.bmp");
        thumbnail.fill(QColor::fromHsv(i % 360, 150, 200));
        thumbnail.save(shelf + QLatin1Char('/') + name, "BMP");
        entries.append({QStringLiteral("VOLUME"),
                        QStringLiteral("/media/books/シリーズ %1/page001.jpg").arg(i),
                        QStringLiteral("本のタイトル %1").arg(i), name});
    }
    writeShelfFile(files, shelf, entries);
    return entries;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    TestPlatform fakes;
    FilePictureDecoder decoder;
    const Platform base = fakes.platform();
    FakePageCache onDemand(decoder);
    const Platform platform{base.messages, base.modal, base.files, base.settings, base.process, base.random,
                            base.shell,    base.books, decoder,    onDemand,      base.delays,  base.pointer};
    // As in the program: the main window decoded the page on screen through this cache.
    PrefetchingPageCache cache(decoder);
    const Platform cached{base.messages, base.modal, base.files, base.settings, base.process, base.random,
                          base.shell,    base.books, decoder,    cache,         base.delays,  base.pointer};

    ViewerState state;
    state.programFolder = dir.path();
    state.shelfFolder = dir.path() + QStringLiteral("/shelf");
    state.shownPagePath = dir.path() + QStringLiteral("/book/page001.jpg");
    state.shownVolumeLabel = QStringLiteral("VOLUME");
    QDir().mkpath(dir.path() + QStringLiteral("/book"));
    makePage(state.shownPagePath);
    const QList<ShelfEntry> entries = makeShelf(fakes.files, state.shelfFolder);

    cache.take(PrefetchRequest(PageRef::file(state.shownPagePath, PageFormats::Basic)), {});

    QList<double> decodes;
    QList<double> opens;
    QList<double> cachedOpens;
    QList<double> registrations;
    for (int run = 0; run < runs; ++run) {
        decodes.append(millisecondsOf([&] { decoder.decode(state.shownPagePath); }));
        Form5 warm(cached, state);
        cachedOpens.append(millisecondsOf([&] { warm.Form_Load(); }));
        Form5 form(platform, state);
        opens.append(millisecondsOf([&] { form.Form_Load(); }));
        registrations.append(millisecondsOf([&] { form.Command1_Click(); }));
        if (form.isOpen() || readShelfFile(fakes.files, state.shelfFolder).entries.size() != shelfBooks + 1) {
            std::printf("registration failed\n");
            return 1;
        }
        // Back to 427 books for the next run.
        QFile::remove(state.shelfFolder + QLatin1Char('/') + form.entries().constLast().thumbnailFile);
        writeShelfFile(fakes.files, state.shelfFolder, entries);
    }
    const double open = median(opens);
    const double registration = median(registrations);
    std::printf("decode the 12-megapixel JPEG page alone: median %.1f ms\n", median(decodes));
    std::printf("open the register window on a shelf of %d books, page decoded again: median %.1f ms\n",
                shelfBooks, open);
    std::printf("open it with the page still in the decoder's cache, as in the program: median %.1f ms\n",
                median(cachedOpens));
    std::printf("register the %dth book (OK): median %.1f ms\n", shelfBooks + 1, registration);
    std::printf("open and register together: %.1f ms\n", open + registration);
    return 0;
}

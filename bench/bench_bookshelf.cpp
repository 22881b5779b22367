// Prints how long the bookshelf window's logic takes to open a full shelf of
// 428 books with their 97 x 123 thumbnail bitmaps: reading the shelf file,
// decoding every thumbnail and laying out the icon grid.
#include "bench_figures.h"
#include "bookshelf/form6.h"
#include "bookshelf/shelf_file.h"
#include "browse/form2.h"
#include "imaging/file_picture_decoder.h"
#include "platform/local_file_services.h"
#include "support/test_platform.h"
#include "viewer/form1.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace ruvo;
using namespace ruvo::test;
using namespace ruvo::bench;

namespace {

constexpr int runs = 7;

// A shelf of shelfBookLimit books, each with a thumbnail bitmap of its own.
void makeShelf(const QString& folder)
{
    QDir().mkpath(folder);
    LocalFileServices files;
    QList<ShelfEntry> entries;
    for (int i = 0; i < shelfBookLimit; ++i) {
        QImage thumbnail(97, 123, QImage::Format_RGB32);
        QPainter painter(&thumbnail);
        QLinearGradient gradient(0, 0, 97, 123);
        gradient.setColorAt(0, QColor::fromHsv(i * 37 % 360, 120, 250));
        gradient.setColorAt(1, QColor::fromHsv(i * 71 % 360, 200, 90));
        painter.fillRect(thumbnail.rect(), gradient);
        painter.end();
        const QString name = QStringLiteral("%1ruv.bmp").arg(i);
        thumbnail.save(folder + QLatin1Char('/') + name, "BMP");
        entries.append({QStringLiteral("COMICS"), QStringLiteral("/media/comics/本%1/001.jpg").arg(i),
                        QStringLiteral("第%1巻 タイトル").arg(i + 1), name});
    }
    writeShelfFile(files, folder, entries);
}

struct Shelf
{
    TestPlatform fakes;
    LocalFileServices files;
    ViewerState state;
    Platform platform;
    Form2 browser;
    Form1 form1;

    Shelf(PictureDecoder& decoder, const QString& folder)
        : platform{fakes.messages, fakes.modal, files,   fakes.settings, fakes.process, fakes.random,
                   fakes.shell,    fakes.books, decoder, fakes.pages,    fakes.delays,  fakes.pointer},
          browser(platform), form1(platform, state, browser)
    {
        state.shelfFolder = folder;
    }

    // Opens the window's logic on the shelf and lays it out as a 9100 x 6000 twip window would be.
    double open()
    {
        QElapsedTimer timer;
        timer.start();
        Form6 form(platform, state, form1);
        form.Form_Load();
        Form6Controls& controls = form.controls();
        controls.toolbarHeight = 34;
        controls.statusBarHeight = 22;
        controls.scrollBarWidth = 17;
        controls.window.scaleWidth = 607;
        controls.window.scaleHeight = 400;
        form.Form_Resize();
        const double elapsed = timer.nsecsElapsed() / 1e6;
        if (form.entryCount() != shelfBookLimit)
            std::printf("unexpected shelf of %d books\n", form.entryCount());
        return elapsed;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/shelf");
    makeShelf(folder);

    FilePictureDecoder fileDecoder;
    Shelf direct(fileDecoder, folder);
    QList<double> opens;
    for (int run = 0; run < runs; ++run)
        opens.append(direct.open());
    std::printf("open a shelf of %d books with thumbnails (load and layout): median %.1f ms, first %.1f ms "
                "(target < 300 ms)\n",
                shelfBookLimit, median(opens), opens.constFirst());
    return 0;
}

// Writes the seed corpora of the fuzz targets: a few small, valid inputs of
// each kind that the readers take, from which the fuzzers mutate.
//   make_fuzz_corpus <folder>   writes <folder>/<target>/<seed>
#include "sample_book/gif_writer.h"
#include "support/archive_fixtures.h"
#include "support/avif_fixtures.h"
#include "support/bitmap_fixtures.h"
#include "support/gif_fixtures.h"
#include "support/jpeg_fixtures.h"
#include "support/jxl_fixtures.h"
#include "support/metafile_fixtures.h"
#include "support/pdf_fixtures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <tuple>

namespace {

QString root;

void put(const QString& target, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(root + QLatin1Char('/') + target);
    QFile file(root + QLatin1Char('/') + target + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
}

QImage smallPicture(QImage::Format format)
{
    QImage image(6, 4, format);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(1, 1, 3, 2, QColor(200, 30, 40));
    return image;
}

QByteArray encoded(const QImage& image, const char* format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

void writePictures()
{
    const QImage colour = smallPicture(QImage::Format_RGB32);
    put("fuzz_picture_decoder", "page.bmp", encoded(colour, "BMP"));
    put("fuzz_picture_decoder", "page8.bmp", encoded(colour.convertToFormat(QImage::Format_Indexed8), "BMP"));
    put("fuzz_picture_decoder", "page.jpg", encoded(colour, "JPEG", 50));
    // A photo stored on its side, as its EXIF segment says.
    put("fuzz_picture_decoder", "sideways.jpg",
        ruvo::test::writeJpeg(colour, {.quality = 50, .exifOrientation = 6}));
    // A photo whose EXIF segment holds a thumbnail, a JPEG of its own inside the segment.
    put("fuzz_picture_decoder", "thumbnail.jpg",
        ruvo::test::writeJpeg(colour, {.quality = 50,
                                       .exifOrientation = 8,
                                       .exifThumbnail = ruvo::test::writeJpeg(colour, {.quality = 20})}));
    // Pages only archive books hold, whose headers are read as an archive's pages.
    put("fuzz_picture_decoder", "page.png", encoded(colour, "PNG"));
    put("fuzz_picture_decoder", "lossy.webp", encoded(colour, "WEBP", 50));
    put("fuzz_picture_decoder", "lossless.webp", encoded(colour, "WEBP", 100));
    const QImage clear = smallPicture(QImage::Format_ARGB32).copy(0, 0, 5, 3);
    QImage black(6, 4, QImage::Format_RGB32);
    black.fill(Qt::black);
    put("fuzz_picture_decoder", "page.avif", ruvo::test::avifOf({colour}));
    put("fuzz_picture_decoder", "alpha10.avif",
        ruvo::test::avifOf({clear}, {.depth = 10, .chroma444 = true}));
    put("fuzz_picture_decoder", "turned12.avif",
        ruvo::test::avifOf({colour}, {.depth = 12, .lossless = true, .quarterTurns = 1, .mirrorMode = 0}));
    put("fuzz_picture_decoder", "p3.avif",
        ruvo::test::avifOf({colour}, {.colourPrimaries = 12, .transfer = 8}));
    put("fuzz_picture_decoder", "animated.avif", ruvo::test::avifOf({colour, black}));
    put("fuzz_picture_decoder", "page.jxl", ruvo::test::jxlOf({colour}));
    put("fuzz_picture_decoder", "lossy.jxl", ruvo::test::jxlOf({colour}, {.lossless = false}));
    put("fuzz_picture_decoder", "turned.jxl",
        ruvo::test::jxlOf({colour}, {.bits = 10, .orientation = 7, .container = true}));
    put("fuzz_picture_decoder", "grey-alpha.jxl",
        ruvo::test::jxlOf({clear}, {.lossless = false, .grey = true}));
    put("fuzz_picture_decoder", "animated.jxl", ruvo::test::jxlOf({colour, black}));
    // Large enough to be decoded in two bands, plain enough to stay small.
    QImage large(512, 520, QImage::Format_RGB32);
    large.fill(QColor(230, 220, 200));
    QPainter(&large).fillRect(40, 300, 400, 120, QColor(20, 40, 160));
    put("fuzz_picture_decoder", "bands.jpg", encoded(large, "JPEG", 10));
    put("fuzz_picture_decoder", "page.ico", encoded(smallPicture(QImage::Format_ARGB32), "ICO"));
    const QString gif = QDir::temp().filePath(QStringLiteral("ruvo-seed.gif"));
    if (!ruvo::writeGif(colour, gif))
        qFatal("cannot write the GIF seed");
    QFile gifFile(gif);
    gifFile.open(QIODevice::ReadOnly);
    put("fuzz_picture_decoder", "page.gif", gifFile.readAll());
    gifFile.remove();
    // A first frame of three image blocks, one transparent in part, the last with a delay.
    QImage half(6, 4, QImage::Format_ARGB32);
    half.fill(Qt::transparent);
    QPainter(&half).fillRect(3, 0, 3, 4, QColor(20, 40, 160));
    put("fuzz_picture_decoder", "blocks.gif",
        ruvo::test::gifOfBlocks(QSize(12, 8),
                                {{colour, {0, 0}, 0, 2}, {half, {4, 2}, 0, 3}, {colour, {6, 4}, 10}}));
    // 114 bytes claiming a screen of 12344 by 12339 pixels, its first of two blocks ending the
    // frame: refused before anything of the screen's size is allocated.
    const QImage strip = colour.copy(0, 0, 6, 3);
    put("fuzz_picture_decoder", "huge-screen.gif",
        ruvo::test::gifOfBlocks(QSize(12344, 12339), {{strip, {0, 0}, 10}, {strip, {6, 0}}}));
    // Run-length bitmaps of 8 and 4 bits.
    for (const auto& [name, compression, bits] :
         {std::tuple{"rle8.bmp", 1, 8}, std::tuple{"rle4.bmp", 2, 4}}) {
        ruvo::test::BitmapLayout layout{.bitCount = bits, .compression = quint32(compression)};
        for (int i = 0; i < (1 << bits); ++i)
            layout.palette.append(qRgb(i * 15 % 256, i * 40 % 256, 255 - i));
        put("fuzz_picture_decoder", name,
            ruvo::test::bitmapFile(layout, QSize(9, 5), [](int x, int y) { return quint32(x / 3 + y) % 4; }));
    }
    put("fuzz_picture_decoder", "placeable.wmf",
        ruvo::test::placeableWmfWithRectangle({100, 80}, 1440, {10, 10, 50, 40}, Qt::red));
    put("fuzz_picture_decoder", "standard.wmf",
        ruvo::test::standardWmfWithRectangle({100, 80}, {10, 10, 50, 40}, Qt::blue));
    put("fuzz_picture_decoder", "rich.wmf", ruvo::test::richWmf());
    // Records the player cannot read, which are repaired: a region of another shape, a line
    // whose points run past it, a pen too short.
    put("fuzz_picture_decoder", "repaired.wmf",
        ruvo::test::placeableWmfWithRecordsBefore(
            {{0x06FF, {0, 6, 0, 34, 1, 1, 24, 1, 28, 5, 2, 1, 5, 24, 28, 2}},
             {0x0228, {0, 1}},
             {0x0325, {100, 0, 0, 28, 14}},
             {0x02FA, {0, 5}},
             {0x01F0, {0}},
             {0x01F0, {1}}},
            {10, 10, 50, 40}, Qt::red));
    put("fuzz_picture_decoder", "skipped.emf",
        ruvo::test::emfWithRecordBeforeEnd(
            ruvo::test::emfWithRectangle({2000, 1500}, {0.1, 0.1, 0.5, 0.5}, Qt::green),
            QByteArray("\x57\0\0\0\x1C\0\0\0", 8) + QByteArray(16, '\0') + QByteArray("\xE8\x03\0\0", 4)));
    put("fuzz_picture_decoder", "page.emf",
        ruvo::test::emfWithRectangle({2000, 1500}, {0.1, 0.1, 0.5, 0.5}, Qt::green));
    put("fuzz_picture_decoder", "rich.emf", ruvo::test::richEmf());
    // A JPEG and a PNG that EMF bitmaps hold whole, which go on to Qt's readers through the SVG.
    put("fuzz_picture_decoder", "embedded-jpeg.emf",
        ruvo::test::emfWithEmbeddedPicture(encoded(colour, "JPEG", 50), 4, Qt::green));
    put("fuzz_picture_decoder", "embedded-png.emf",
        ruvo::test::emfWithEmbeddedPicture(encoded(colour, "PNG"), 5, Qt::green));
    put("fuzz_picture_decoder", "none.txt", "not a picture\r\n");
}

void writeTexts()
{
    put("fuzz_shelf_file", "empty.ruv", "0\r\n");
    put("fuzz_shelf_file", "two.ruv",
        " 2 \r\nVOL1\r\n/books/a/p1.jpg\r\nA\r\n0ruv.bmp\r\nVOL2\r\n/books/b/p1.jpg\r\nB\r\n1ruv.bmp\r\n");
    put("fuzz_shelf_file", "sjis.ruv",
        " 1 \r\n\x83\x7b\x83\x8a\xFF\r\n/m/\x96\x7b/1.jpg\r\n\x96\x7b\r\n0ruv.bmp\r\n");
    put("fuzz_shelf_file", "utf8.ruv",
        "\xEF\xBB\xBF 1 \r\nV\r\n/b/\xE2\x91\xA0/1.jpg\r\n\xE2\x91\xA0\r\n0ruv.bmp\r\n");
    put("fuzz_shelf_file", "short.ruv", " 3 \nV\n/b/1.jpg\n");
    put("fuzz_shelf_file", "wide-count.ruv", "\x81\x40\x82\x50\t\r\nV\r\n/b/1.jpg\r\nT\r\n0ruv.bmp");
    put("fuzz_shelf_file", "beyond-count.ruv",
        " 1 \r\nV\r\n/b/1.jpg\r\nT\r\n0ruv.bmp\r\nV\r\n/b/2.jpg\r\nU\r\n1ruv.bmp\r\n\r\n");
    put("fuzz_shelf_file", "nul.ruv", QByteArray(" 1 \r\nV\r\n/b/1.jpg\r\nT\0\r\n0ruv.bmp\r\n", 32));
    // A name in bytes valid in neither encoding, escaped in a UTF-8 shelf, beside a name in
    // code-page 932 bytes written as readable text.
    put("fuzz_shelf_file", "escapes.ruv",
        "\xEF\xBB\xBF 2 \r\nV\r\n/b/\xEF\x9E\x80\xEF\x9E\xA0x/1.jpg\r\n\xED\x95\x9C\r\n0ruv.bmp\r\n"
        "W\r\n/b/\xE8\xA1\xA8\xE7\xB4\x99/1.jpg\r\nT\r\n1ruv.bmp\r\n");
    put("fuzz_shelf_file", "raw-sjis-path.ruv", " 1 \r\nV\r\n/m/\x95\x5C\x8E\x86/1.jpg\r\nT\r\n0ruv.bmp\r\n");
    put("fuzz_code_page", "escapes.txt", "\xEF\xBB\xBF/b/\xEF\x9E\x80\xEF\x9F\xAFx\r\n\x95\x5C\r\n");
    put("fuzz_record_file", "folder.ini", "/tmp\r\n");
    put("fuzz_record_file", "sjis.ini", "/m/\x96\x7b\x92\x49\r\n");
    put("fuzz_record_file", "utf8.ini", "\xEF\xBB\xBF/tmp/\xE2\x91\xA0\r\n");
    put("fuzz_record_file", "empty.ini", "");
    put("fuzz_code_page", "sjis.txt", "\x96\x7b\x92\x49\r\nabc\r\n\x81\x60\n");
    put("fuzz_code_page", "utf8.txt", "\xEF\xBB\xBF\xE2\x91\xA0\r\n\xEF\xBB\xBFx\r\n");
    put("fuzz_code_page", "lone.txt", "a\rb\n\x82\r\n");
    put("fuzz_positions_file", "empty.txt", "ruvo reading positions 1\n");
    put("fuzz_positions_file", "three.txt",
        "ruvo reading positions 1\n/books/Vol01.cbz\t52311\t1733800000123456789\t0\tp005.jpg\n"
        "/books/%E6%9C%AC\t-1\t0\t1\t%83%79.jpg\n/a%09b%0A\t0\t-5\t0\t\n");
    put("fuzz_positions_file", "cut.txt", "ruvo reading positions 1\n/books/Vol01.cbz\t52311\t17");
}

} // namespace

// Archive books in every format, with a page of each raster kind and a name or two that a
// reader must refuse; the RAR samples come from the tests' fixtures.
void writeArchives()
{
    using ruvo::test::MemberSpec;
    const QImage colour = smallPicture(QImage::Format_RGB32);
    const QList<MemberSpec> pages{
        {"Vol01/", {}},
        {"Vol01/001.jpg", encoded(colour, "JPEG", 50)},
        {"Vol01/002.png", encoded(colour, "PNG")},
        {"Vol01/sub/003.bmp", encoded(colour, "BMP")},
        {"../evil.jpg", encoded(colour, "JPEG", 50)},
        {"__MACOSX/._001.jpg", "fork"},
    };
    put("fuzz_archive_book", "stored.cbz", ruvo::test::storedZip(pages));
    put("fuzz_archive_book", "avif-jxl.cbz",
        ruvo::test::storedZip({{"1.avif", ruvo::test::avifOf({colour})},
                               {"2.jxl", ruvo::test::jxlOf({colour}, {.lossless = false})},
                               {"3.jpg", encoded(colour, "JPEG", 50)}}));
    put("fuzz_archive_book", "legacy.cbz",
        ruvo::test::storedZip({{"\x95\x5C\x8E\x86.jpg", encoded(colour, "JPEG", 50)}}));
    put("fuzz_archive_book", "deflated.cbz", ruvo::test::writtenArchive("zip", pages));
    put("fuzz_archive_book", "solid.cb7", ruvo::test::writtenArchive("7zip", pages));
    put("fuzz_archive_book", "book.cbt", ruvo::test::writtenArchive("ustar", pages));
    for (const char* filter : {"gzip", "bzip2", "xz", "zstd"})
        put("fuzz_archive_book", QLatin1StringView(filter) + QStringLiteral(".cbt"),
            ruvo::test::writtenArchive("ustar", pages, filter));
    for (const char* rar : {"rar4.rar", "rar5.rar", "rar_solid.rar", "rar_encrypted_data.rar"}) {
        QFile file(QStringLiteral(RUVO_TEST_FIXTURES "/archives/") + QLatin1StringView(rar));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(file.fileName()));
        put("fuzz_archive_book", QLatin1StringView(rar), file.readAll());
    }
}

// PDF books: vector pages of sizes of their own, a page that is one JPEG over the whole page, as
// a scanned comic's, and three pages the second of which has no height.
void writePdfs()
{
    const QImage colour = smallPicture(QImage::Format_RGB32);
    put("fuzz_pdf_book", "vector.pdf",
        ruvo::test::vectorPdf({{Qt::blue, QSizeF(72, 144)}, {Qt::red, QSizeF(30, 20)}}));
    put("fuzz_pdf_book", "scan.pdf",
        ruvo::test::handMadeScanPdf(encoded(colour, "JPEG", 50), colour.size(), QSizeF(30, 20)));
    put("fuzz_pdf_book", "damaged_page.pdf",
        ruvo::test::threePagePdf("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 30 0] >>"));
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2)
        qFatal("usage: make_fuzz_corpus <folder>");
    root = QFile::decodeName(argv[1]);
    writePictures();
    writeArchives();
    writePdfs();
    writeTexts();
    return 0;
}

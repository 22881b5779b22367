#include "books/archive_page_path.h"
#include "books/book.h"
#include "books/books.h"
#include "books/pdf_book.h"
#include "books/pdf_page_size.h"
#include "books/pdf_picture_page.h"
#include "imaging/cache/prefetching_page_cache.h"
#include "imaging/file_picture_decoder.h"
#include "imaging/picture_limits.h"
#include "platform/local_file_services.h"
#include "support/file_bytes.h"
#include "support/jpeg_fixtures.h"
#include "support/pdf_fixtures.h"
#include "support/resident_peak.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent>

using namespace ruvo;
using namespace ruvo::test;

Q_DECLARE_METATYPE(ruvo::BookFailure)

namespace {

// Twelve pages of colours of their own, so that "10" would sort before "2" by name.
QList<PdfPageSpec> twelvePages()
{
    QList<PdfPageSpec> pages;
    for (int i = 0; i < 12; ++i)
        pages.append({QColor::fromHsv(i * 30, 255, 255), QSizeF(30 + i, 20 + i)});
    return pages;
}

bool sameColour(QRgb a, QColor b)
{
    // JPEG pages come back near their colours, not at them.
    return std::abs(qRed(a) - b.red()) < 24 && std::abs(qGreen(a) - b.green()) < 24 &&
           std::abs(qBlue(a) - b.blue()) < 24;
}

QRgb centreOf(const QImage& image)
{
    return image.pixel(image.width() / 2, image.height() / 2);
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// A picture of smooth gradients, whose pixels tell where they stand.
QImage pattern(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 255 / size.width(), y * 255 / size.height(), 128));
    return picture;
}

QByteArray pngOf(const QImage& picture)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    picture.save(&bytes, "PNG");
    return bytes.data();
}

// A comic page as scanned: a JPEG of 1200 by 1600 pixels at 300 dots per inch, made a page by
// img2pdf.
QByteArray scanPdf()
{
    static const QByteArray pdf = imageFilePdf(jpegOf(pattern(QSize(1200, 1600)), 300), u"jpg"_qs);
    return pdf;
}

// A stream object of the dictionary's entries and the data.
QByteArray streamObject(const QByteArray& entries, const QByteArray& data)
{
    return "<< " + entries + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data +
           "\nendstream";
}

// The data compressed as a PDF's Flate filter unpacks it.
QByteArray flated(const QByteArray& data)
{
    return qCompress(data, 9).mid(4);
}

// A PDF of one page of the given box (in points), its contents object 5; its resources, when
// there is a picture, name object 4 /Im0, and object 6 on are more objects for them.
QByteArray onePagePdf(const QByteArray& box, const QByteArray& contents, const QByteArray& picture = {},
                      const QList<QByteArray>& more = {})
{
    const QByteArray resources =
        picture.isEmpty() ? QByteArray() : "/Resources << /XObject << /Im0 4 0 R >> >> ";
    return handMadePdf(QList<QByteArray>{"<< /Type /Catalog /Pages 2 0 R >>",
                                         "<< /Type /Pages /Count 1 /Kids [3 0 R] >>",
                                         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + box + "] " +
                                             resources + "/Contents 5 0 R >>",
                                         picture, streamObject({}, contents)} +
                       more);
}

// A grey picture of the given size claimed, whose data is that stored, Flate-compressed.
QByteArray greyPicture(QSize claimed, const QByteArray& stored, const QByteArray& extra = {})
{
    return streamObject("/Type /XObject /Subtype /Image /Width " + QByteArray::number(claimed.width()) +
                            " /Height " + QByteArray::number(claimed.height()) +
                            " /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /FlateDecode " + extra,
                        stored);
}

int coloursIn(const QImage& image)
{
    QSet<QRgb> colours;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(rgb.pixel(x, y));
    return int(colours.size());
}

} // namespace

class TestPdfBooks : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    LocalFileServices m_files;
    Books m_books{m_files};
    const FilePictureDecoder m_decoder;

    QString twelvePagePdf()
    {
        static const QByteArray pdf = picturePdf(twelvePages());
        return putIn(m_dir, u"twelve.pdf"_qs, pdf);
    }

private Q_SLOTS:
    // A PDF is a book whatever its name; a file named as a PDF that is none is not.
    void toldByContent_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("book");
        const QByteArray pdf = picturePdf({{Qt::red, QSizeF(30, 20)}});
        QTest::newRow("a PDF named .pdf") << "a.pdf" << pdf << true;
        QTest::newRow("a PDF named .jpg") << "b.jpg" << pdf << true;
        QTest::newRow("a PDF with no name") << "c" << vectorPdf({{Qt::blue, QSizeF(72, 72)}}) << true;
        QTest::newRow("a header after junk") << "d.pdf" << QByteArray(1000, ' ') + pdf << true;
        QTest::newRow("a header too late") << "e.pdf" << QByteArray(1020, ' ') + pdf << false;
        QTest::newRow("a text named .pdf") << "f.pdf" << QByteArray("not a PDF at all") << false;
        QTest::newRow("an empty file named .pdf") << "g.pdf" << QByteArray() << false;
    }
    void toldByContent()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, book);
        const QString path = putIn(m_dir, name, bytes);
        QCOMPARE(m_books.isArchive(path), book);
        const std::shared_ptr<Book> opened = m_books.open(path);
        QCOMPARE(opened->isArchive(), book);
        if (book) {
            QCOMPARE(opened->failure(), BookFailure::None);
            QCOMPARE(opened->pageNames(), QStringList({u"1"_qs}));
            QVERIFY(m_decoder.decode(m_books.pageAt(path + u"/1"_qs)).isValid());
        } else {
            QVERIFY(!m_books.archivePageOf(path + u"/1"_qs));
        }
    }

    // The pages are the document's, in its order, named by their numbers unpadded.
    void pagesInDocumentOrder()
    {
        const QString path = twelvePagePdf();
        const std::shared_ptr<Book> book = m_books.open(path);
        QStringList numbers;
        for (int number = 1; number <= 12; ++number)
            numbers.append(QString::number(number));
        QCOMPARE(book->pageNames(), numbers);
        const QList<PdfPageSpec> pages = twelvePages();
        for (int i = 0; i < 12; ++i) {
            const DecodedPicture picture = m_decoder.decode(PageRef(book, numbers.at(i)));
            QVERIFY2(picture.isValid(), qPrintable(picture.error));
            QVERIFY2(sameColour(centreOf(picture.image), pages.at(i).color), qPrintable(numbers.at(i)));
        }
    }

    // A page's path is the PDF's, "/", and its number; such a path names that page.
    void pagePaths_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("page");
        QTest::newRow("first") << "1" << true;
        QTest::newRow("third") << "3" << true;
        QTest::newRow("last") << "12" << true;
        QTest::newRow("none before the first") << "0" << false;
        QTest::newRow("none past the last") << "13" << false;
        QTest::newRow("padded") << "03" << false;
        QTest::newRow("not a number") << "3.jpg" << false;
    }
    void pagePaths()
    {
        QFETCH(QString, name);
        QFETCH(bool, page);
        const QString path = twelvePagePdf();
        const std::shared_ptr<Book> book = m_books.open(path);
        QCOMPARE(book->hasPage(name), page);
        const std::optional<ArchivePagePath> split = m_books.archivePageOf(path + u'/' + name);
        QVERIFY(split);
        QCOMPARE(split->archive, path);
        QCOMPARE(split->member, name);
        const PageRef ref = m_books.pageAt(path + u'/' + name);
        QCOMPARE(ref.path(), path + u'/' + name);
        QVERIFY(ref.holder() == book);
        const DecodedPicture picture = m_decoder.decode(ref);
        QCOMPARE(picture.isValid(), page);
        if (page)
            QVERIFY(sameColour(centreOf(picture.image), twelvePages().at(name.toInt() - 1).color));
    }

    // At actual size a page that is one picture over the whole page is shown at the picture's
    // own pixels, and any other at 96 dots per inch of its size in points; its facts tell that
    // size before it is drawn.
    void actualSize_data()
    {
        QTest::addColumn<QByteArray>("pdf");
        QTest::addColumn<QSize>("size");
        QTest::newRow("picture page")
            << picturePdf({{Qt::red, QSizeF(30, 20), QSize(90, 60)}}) << QSize(90, 60);
        // Fewer pixels than the page has at 96 dots per inch: drawn at 96 dots per inch.
        QTest::newRow("picture page of few pixels")
            << picturePdf({{Qt::red, QSizeF(150, 75), QSize(20, 10)}}) << QSize(200, 100);
        QTest::newRow("scan at 300 dpi") << scanPdf() << QSize(1200, 1600);
        QTest::newRow("PNG picture page")
            << imageFilePdf(pngOf(pattern(QSize(60, 40))), u"png"_qs) << QSize(60, 40);
        QTest::newRow("turned picture page")
            << turnedPdf(picturePdf({{Qt::red, QSizeF(30, 20), QSize(90, 60)}})) << QSize(60, 90);
        QTest::newRow("picture within margins")
            << picturePdf({{Qt::red, QSizeF(33, 24), QSize(40, 30)}}) << QSize(44, 32);
        QTest::newRow("picture and text")
            << pictureAndTextPdf(pattern(QSize(90, 60)), QSizeF(30, 20)) << QSize(40, 27);
        QTest::newRow("vector page") << vectorPdf({{Qt::blue, QSizeF(72, 144)}}) << QSize(96, 192);
        QTest::newRow("A4 vector page") << vectorPdf({{Qt::green, QSizeF(595, 842)}}) << QSize(793, 1123);
    }
    void actualSize()
    {
        QFETCH(QByteArray, pdf);
        QFETCH(QSize, size);
        const QString path = putIn(m_dir, QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_qs, pdf);
        const std::shared_ptr<Book> book = m_books.open(path);
        const std::optional<PageFacts> facts = book->factsOf(u"1"_qs);
        QVERIFY(facts);
        QCOMPARE(facts->size, size);
        const DecodedPicture picture = m_decoder.decode(PageRef(book, u"1"_qs));
        QVERIFY2(picture.isValid(), qPrintable(picture.error));
        QCOMPARE(picture.image.size(), size);
        QCOMPARE(picture.pictureSize(), size);
        QVERIFY(picture.serves(QSize()));
    }

    // A page is one picture when its resources hold one image and no fonts and its contents
    // only draw that image upright over the whole page. Its JPEG is handed over as the file
    // holds it when decoding it alone gives the page.
    void picturePages_data()
    {
        QTest::addColumn<QByteArray>("pdf");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<bool>("jpeg");
        QTest::newRow("JPEG scan") << scanPdf() << QSize(1200, 1600) << true;
        QTest::newRow("grey JPEG scan")
            << imageFilePdf(jpegOf(pattern(QSize(120, 160)).convertToFormat(QImage::Format_Grayscale8), 300),
                            u"jpg"_qs)
            << QSize(120, 160) << true;
        QTest::newRow("hand-made scan")
            << handMadeScanPdf(jpegOf(pattern(QSize(90, 60)), 72), QSize(90, 60), QSizeF(30, 20))
            << QSize(90, 60) << true;
        QTest::newRow("PNG picture") << imageFilePdf(pngOf(pattern(QSize(60, 40))), u"png"_qs)
                                     << QSize(60, 40) << false;
        QTest::newRow("turned JPEG") << turnedPdf(picturePdf({{Qt::red, QSizeF(30, 20), QSize(90, 60)}}))
                                     << QSize(60, 90) << false;
        QTest::newRow("picture within margins")
            << picturePdf({{Qt::red, QSizeF(33, 24), QSize(40, 30)}}) << QSize() << false;
        QTest::newRow("picture and text")
            << pictureAndTextPdf(pattern(QSize(90, 60)), QSizeF(30, 20)) << QSize() << false;
        QTest::newRow("vector page") << vectorPdf({{Qt::blue, QSizeF(72, 144)}}) << QSize() << false;
    }
    void picturePages()
    {
        QFETCH(QByteArray, pdf);
        QFETCH(QSize, pixels);
        QFETCH(bool, jpeg);
        const QString path = putIn(m_dir, QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_qs, pdf);
        const std::optional<PdfPicturePage> leftBytes = picturePageOf(path, 0, PictureBytes::Leave);
        const std::optional<PdfPicturePage> tookBytes = picturePageOf(path, 0, PictureBytes::Take);
        QCOMPARE(bool(tookBytes), pixels.isValid());
        QCOMPARE(bool(leftBytes), pixels.isValid());
        QVERIFY(!picturePageOf(path, 1, PictureBytes::Take));
        QVERIFY(!picturePageOf(path, -1, PictureBytes::Take));
        if (!tookBytes)
            return;
        QCOMPARE(tookBytes->pixels, pixels);
        QCOMPARE(leftBytes->pixels, pixels);
        QVERIFY(leftBytes->jpeg.isEmpty());
        QCOMPARE(!tookBytes->jpeg.isEmpty(), jpeg);
        if (jpeg)
            QCOMPARE(QImage::fromData(tookBytes->jpeg).size(), pixels);
        // A book's pages are looked at through documents it keeps, found alike time after time.
        PdfPicturePages kept(path);
        for (int round = 0; round < 3; ++round) {
            const std::optional<PdfPicturePage> again = kept.pageAt(0, PictureBytes::Take);
            QVERIFY(again);
            QCOMPARE(again->pixels, pixels);
            QCOMPARE(again->jpeg, tookBytes->jpeg);
            QVERIFY(!kept.pageAt(1, PictureBytes::Take));
        }
    }

    // The JPEG handed over is the one the scan was made of, and the page shows as it does.
    void aScanShowsItsJpeg()
    {
        const QByteArray jpeg = jpegOf(pattern(QSize(1200, 1600)), 300);
        const QString path = putIn(m_dir, u"scan.pdf"_qs, imageFilePdf(jpeg, u"jpg"_qs));
        const std::optional<PdfPicturePage> page = picturePageOf(path, 0, PictureBytes::Take);
        QVERIFY(page);
        QCOMPARE(page->jpeg, jpeg);
        const std::shared_ptr<Book> book = m_books.open(path);
        const DecodedPicture picture = m_decoder.decode(PageRef(book, u"1"_qs));
        QVERIFY2(picture.isValid(), qPrintable(picture.error));
        const QImage source = QImage::fromData(jpeg).convertToFormat(QImage::Format_RGB32);
        const QImage shown = picture.image.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), source.size());
        int worst = 0;
        for (int y = 0; y < source.height(); y += 7)
            for (int x = 0; x < source.width(); x += 7)
                worst = std::max(worst, channelDistance(shown.pixel(x, y), source.pixel(x, y)));
        QVERIFY2(worst <= 4, qPrintable(QString::number(worst)));
    }

    // A PDF draws a JPEG's pixels as they are stored, whatever its EXIF says, and so are they
    // shown: a JPEG that says it is to be turned is drawn as poppler draws it.
    void aJpegShowsAsStored_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::newRow("upright") << 1;
        QTest::newRow("upside down") << 3;
        QTest::newRow("on its side") << 6;
    }
    void aJpegShowsAsStored()
    {
        QFETCH(int, orientation);
        const QImage stored = pattern(QSize(90, 60));
        const QByteArray jpeg = writeJpeg(stored, {.quality = 95, .exifOrientation = orientation});
        const QString path = putIn(m_dir, QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_qs,
                                   handMadeScanPdf(jpeg, QSize(90, 60), QSizeF(30, 20)));
        const std::shared_ptr<Book> book = m_books.open(path);
        const DecodedPicture picture = m_decoder.decode(PageRef(book, u"1"_qs));
        QVERIFY2(picture.isValid(), qPrintable(picture.error));
        QCOMPARE(picture.image.size(), QSize(90, 60));
        for (const QPoint at : {QPoint(3, 3), QPoint(86, 3), QPoint(3, 56), QPoint(86, 56)})
            QVERIFY2(sameColour(picture.image.pixel(at), stored.pixelColor(at)),
                     qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));
    }

    // Stretched, a scan's page comes at the size it is drawn at, and tells its own.
    void aStretchedScanComesAtTheDrawnSize()
    {
        const QString path = putIn(m_dir, u"stretched scan.pdf"_qs, scanPdf());
        const std::shared_ptr<Book> book = m_books.open(path);
        const DecodedPicture picture =
            m_decoder.decode(PageRef(book, u"1"_qs), {}, [](QSize) { return QSize(300, 400); });
        QVERIFY2(picture.isValid(), qPrintable(picture.error));
        QCOMPARE(picture.pictureSize(), QSize(1200, 1600));
        QVERIFY(picture.serves(QSize(300, 400)));
        const QImage drawn = picture.scaled.isNull() ? picture.image : picture.scaled;
        QVERIFY(drawn.width() >= 300 && drawn.height() >= 400);
        QVERIFY(sameColour(centreOf(drawn), pattern(QSize(1200, 1600)).pixelColor(600, 800)));
    }

    // Stretched, a page is drawn at the size it is shown at, larger or smaller than its own,
    // and still tells its own size; never beyond the picture limits.
    void stretchedRender_data()
    {
        QTest::addColumn<QSize>("drawn");
        QTest::addColumn<QSize>("rendered");
        QTest::newRow("smaller") << QSize(48, 96) << QSize(48, 96);
        QTest::newRow("larger") << QSize(480, 960) << QSize(480, 960);
        QTest::newRow("of another shape") << QSize(300, 100) << QSize(300, 100);
        QTest::newRow("beyond the longest side")
            << QSize(kPictureMaxSide * 2, 40) << QSize(kPictureMaxSide, 20);
    }
    void stretchedRender()
    {
        QFETCH(QSize, drawn);
        QFETCH(QSize, rendered);
        const QString path = putIn(m_dir, u"stretched.pdf"_qs, vectorPdf({{Qt::blue, QSizeF(72, 144)}}));
        const std::shared_ptr<Book> book = m_books.open(path);
        QSize askedFor;
        const DecodedPicture picture = m_decoder.decode(PageRef(book, u"1"_qs), {}, [&](QSize own) {
            askedFor = own;
            return drawn;
        });
        QVERIFY2(picture.isValid(), qPrintable(picture.error));
        QCOMPARE(askedFor, QSize(96, 192));
        QCOMPARE(picture.image.size(), rendered);
        QCOMPARE(picture.pictureSize(), QSize(96, 192));
        QCOMPARE(picture.scaled.cacheKey(), picture.image.cacheKey());
        QCOMPARE(picture.serves(rendered), true);
        QVERIFY(sameColour(centreOf(picture.image), Qt::blue));
    }

    // Prepared ahead in the cache's workers, a stretched page is drawn at the size it is shown
    // at, and drawn again, at its own size, only when it is wanted at that.
    void preparedAheadAtTheDrawnSize()
    {
        const QString path = putIn(m_dir, u"ahead.pdf"_qs,
                                   vectorPdf({{Qt::blue, QSizeF(72, 144)}, {Qt::red, QSizeF(72, 144)}}));
        const std::shared_ptr<Book> book = m_books.open(path);
        PrefetchingPageCache cache(m_decoder);
        const ScaledSizeOf stretched = [](QSize) { return QSize(48, 96); };
        cache.prefetch({PrefetchRequest(PageRef(book, u"2"_qs), stretched)});
        cache.waitForPrefetches();
        QVERIFY(cache.isReady(PageRef(book, u"2"_qs)));
        const DecodedPicture drawn = cache.take(PrefetchRequest(PageRef(book, u"2"_qs), stretched), {});
        QCOMPARE(drawn.image.size(), QSize(48, 96));
        QCOMPARE(drawn.pictureSize(), QSize(96, 192));
        QVERIFY(sameColour(centreOf(drawn.image), Qt::red));
        const DecodedPicture own = cache.take(PrefetchRequest(PageRef(book, u"2"_qs)), {});
        QCOMPARE(own.image.size(), QSize(96, 192));
        QVERIFY(sameColour(centreOf(own.image), Qt::red));
    }

    // The size drawn at is held within the picture limits, keeping the page's shape.
    void withinTheCap_data()
    {
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QSize>("drawn");
        QTest::newRow("within") << QSize(2000, 3000) << QSize(2000, 3000);
        QTest::newRow("at the longest side") << QSize(kPictureMaxSide, 10) << QSize(kPictureMaxSide, 10);
        QTest::newRow("too wide") << QSize(2 * kPictureMaxSide, 100) << QSize(kPictureMaxSide, 50);
        QTest::newRow("too tall") << QSize(100, 4 * kPictureMaxSide) << QSize(25, kPictureMaxSide);
        QTest::newRow("too many pixels") << QSize(20000, 20000) << QSize(4898, 4898);
    }
    void withinTheCap()
    {
        QFETCH(QSize, wanted);
        QFETCH(QSize, drawn);
        const QSize capped = withinPictureCap(wanted);
        QCOMPARE(capped, drawn);
        QVERIFY(qint64(capped.width()) * capped.height() <= kPdfPageMaxPixels);
    }

    // A page that claims more than a page may take is drawn within the limits, or refused from
    // what it claims before poppler unpacks any of it: never held in memory beyond a few
    // hundred megabytes, whatever it asks for.
    void pagesThatAskForTooMuch_data()
    {
        QTest::addColumn<QByteArray>("pdf");
        QTest::addColumn<QString>("refused");
        const QByteArray blue = "0 0 1 rg 0 0 1000000000 1000000000 re f";
        const QByteArray drawPicture = "q 288 0 0 288 0 0 cm /Im0 Do Q";
        QTest::newRow("a page of a billion points") << onePagePdf("1000000000 1000000000", blue) << QString();
        QTest::newRow("a page of 14400 points") << onePagePdf("14400 14400", blue) << QString();
        QTest::newRow("a picture within the limits")
            << onePagePdf("288 288", drawPicture,
                          greyPicture(QSize(3000, 2000), flated(QByteArray(6000000, 'x'))))
            << QString();
        QTest::newRow("a picture of 400 million pixels")
            << onePagePdf("288 288", drawPicture,
                          greyPicture(QSize(20000, 20000), flated(QByteArray(100000, 'x'))))
            << u"picture is too large (20000x20000)"_qs;
        QTest::newRow("a picture of more pixels than its bytes hold")
            << onePagePdf("288 288", drawPicture,
                          greyPicture(QSize(5000, 5000), flated(QByteArray(100, 'x'))))
            << u"picture is too large (5000x5000)"_qs;
        QTest::newRow("a mask too large")
            << onePagePdf("288 288", drawPicture,
                          greyPicture(QSize(100, 100), flated(QByteArray(10000, 'x')), "/SMask 6 0 R"),
                          {greyPicture(QSize(30000, 30000), flated(QByteArray(100, 'x')))})
            << u"picture is too large (30000x30000)"_qs;
        QTest::newRow("a picture too large inside a form")
            << onePagePdf("288 288", "/Im0 Do",
                          streamObject("/Type /XObject /Subtype /Form /BBox [0 0 288 288] "
                                       "/Resources << /XObject << /Pic 6 0 R >> >>",
                                       QByteArray(drawPicture).replace("/Im0", "/Pic")),
                          {greyPicture(QSize(20000, 20000), flated(QByteArray(100000, 'x')))})
            << u"picture is too large (20000x20000)"_qs;
        QTest::newRow("contents that unpack to 80 MB")
            << handMadePdf({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Count 1 /Kids [3 0 R] >>",
                            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 288 288] /Contents 4 0 R >>",
                            streamObject("/Filter /FlateDecode", flated(QByteArray(80 * 1024 * 1024, ' ')))})
            << u"contents unpack to more than"_qs;
    }
    void pagesThatAskForTooMuch()
    {
        QFETCH(QByteArray, pdf);
        QFETCH(QString, refused);
        const QString path = putIn(m_dir, QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_qs, pdf);
        const std::shared_ptr<Book> book = m_books.open(path);
        QCOMPARE(book->failure(), BookFailure::None);
        const std::optional<PageFacts> facts = book->factsOf(u"1"_qs);
        QVERIFY(facts);
        QVERIFY(qint64(facts->size.width()) * facts->size.height() <= kPdfPageMaxPixels);
        const ResidentPeak peak;
        const DecodedPicture picture = m_decoder.decode(PageRef(book, u"1"_qs));
        QVERIFY2(peak.growth() < 400 * 1024 * 1024, qPrintable(QString::number(peak.growth())));
        if (!refused.isEmpty()) {
            QVERIFY(!picture.isValid());
            QVERIFY2(picture.error.contains(refused), qPrintable(picture.error));
            return;
        }
        QVERIFY2(picture.isValid(), qPrintable(picture.error));
        QCOMPARE(picture.pictureSize(), facts->size);
        QVERIFY(qint64(picture.image.width()) * picture.image.height() <= kPdfPageMaxPixels);
    }

    // A page holding a picture of a few dots is drawn at 96 dots per inch, as any page; enlarged,
    // its dots stay as sharp as the picture asks (/Interpolate), as poppler draws them.
    void aTinyPictureIsDrawnAtScreenResolution_data()
    {
        QTest::addColumn<bool>("interpolate");
        QTest::addColumn<bool>("stretched");
        QTest::newRow("actual size") << false << false;
        QTest::newRow("stretched") << false << true;
        QTest::newRow("stretched, interpolated") << true << true;
    }
    void aTinyPictureIsDrawnAtScreenResolution()
    {
        QFETCH(bool, interpolate);
        QFETCH(bool, stretched);
        // Red, green, blue and white dots on a page of four inches.
        const QByteArray dots("\xff\x00\x00\x00\xff\x00\x00\x00\xff\xff\xff\xff", 12);
        const QByteArray picture = streamObject(
            "/Type /XObject /Subtype /Image /Width 2 /Height 2 /ColorSpace /DeviceRGB /BitsPerComponent 8" +
                QByteArray(interpolate ? " /Interpolate true" : ""),
            dots);
        const QString path = putIn(m_dir, QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_qs,
                                   onePagePdf("288 288", "q 288 0 0 288 0 0 cm /Im0 Do Q", picture));
        QVERIFY(!picturePageOf(path, 0, PictureBytes::Leave));
        const std::shared_ptr<Book> book = m_books.open(path);
        QCOMPARE(book->factsOf(u"1"_qs)->size, QSize(384, 384));
        const ScaledSizeOf drawn =
            stretched ? ScaledSizeOf([](QSize) { return QSize(800, 800); }) : ScaledSizeOf();
        const DecodedPicture shown = m_decoder.decode(PageRef(book, u"1"_qs), {}, drawn);
        QVERIFY2(shown.isValid(), qPrintable(shown.error));
        QCOMPARE(shown.image.size(), stretched ? QSize(800, 800) : QSize(384, 384));
        if (interpolate)
            QVERIFY(coloursIn(shown.image) > 4);
        else
            QCOMPARE(coloursIn(shown.image), 4);
    }

    // A PDF that needs a password, or that is damaged, is refused as archives are.
    void refusals_data()
    {
        QTest::addColumn<QByteArray>("pdf");
        QTest::addColumn<BookFailure>("failure");
        const QByteArray pdf = picturePdf({{Qt::red, QSizeF(30, 20)}});
        QTest::newRow("encrypted") << encryptedPdf(pdf) << BookFailure::Encrypted;
        QTest::newRow("cut short") << pdf.left(40) << BookFailure::Damaged;
        QTest::newRow("garbage after the header")
            << QByteArray("%PDF-1.7\n") + QByteArray(4000, '\x9c') << BookFailure::Damaged;
    }
    void refusals()
    {
        QFETCH(QByteArray, pdf);
        QFETCH(BookFailure, failure);
        const QString path = putIn(m_dir, QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_qs, pdf);
        QVERIFY(m_books.isArchive(path));
        const std::shared_ptr<Book> book = m_books.open(path);
        QCOMPARE(book->failure(), failure);
        QVERIFY(book->pageNames().isEmpty());
    }

    // A page that cannot be drawn fails alone: the pages around it are drawn as ever. Poppler
    // leaves a page tree's entry that is no page out, so the pages after it come one sooner.
    void damagedPages_data()
    {
        QTest::addColumn<QByteArray>("pdf");
        QTest::addColumn<QList<QColor>>("colours");
        QTest::newRow("a page of no height")
            << threePagePdf("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 30 0] /Contents 3 0 R >>")
            << QList<QColor>{Qt::red, QColor(), Qt::blue};
        QTest::newRow("a page of no area")
            << threePagePdf("<< /Type /Page /Parent 2 0 R /MediaBox [10 10 10 10] /Contents 3 0 R >>")
            << QList<QColor>{Qt::red, QColor(), Qt::blue};
        QTest::newRow("an entry that is no page")
            << threePagePdf("(not a page)") << QList<QColor>{Qt::red, Qt::blue, QColor()};
        QTest::newRow("a page of broken contents")
            << threePagePdf("<< /Type /Page /Parent 2 0 R /Contents 8 0 R >>")
            << QList<QColor>{Qt::red, Qt::white, Qt::blue};
    }
    void damagedPages()
    {
        QFETCH(QByteArray, pdf);
        QFETCH(QList<QColor>, colours);
        const QString path = putIn(m_dir, QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_qs, pdf);
        const std::shared_ptr<Book> book = m_books.open(path);
        QCOMPARE(book->failure(), BookFailure::None);
        QCOMPARE(book->pageNames(), QStringList({u"1"_qs, u"2"_qs, u"3"_qs}));
        for (int i = 0; i < 3; ++i) {
            const DecodedPicture picture = m_decoder.decode(PageRef(book, QString::number(i + 1)));
            QCOMPARE(picture.isValid(), colours.at(i).isValid());
            QCOMPARE(picture.error.isEmpty(), colours.at(i).isValid());
            if (colours.at(i).isValid())
                QVERIFY2(sameColour(centreOf(picture.image), colours.at(i)),
                         qPrintable(QString::number(i + 1)));
        }
    }

    // A page that takes too long to draw is given up as damaged, as soon as its time is up
    // rather than when poppler is done, and the pages around it are drawn as ever. Its
    // contents here are 100,000 grey fills, which take poppler some half a second.
    void aPageTooLongToDrawIsGivenUp()
    {
        QByteArray fills;
        for (int i = 0; i < 100000; ++i)
            fills += "0.5 g 0 0 30 20 re f\n";
        const QString path = putIn(m_dir, u"slow.pdf"_qs,
                                   threePagePdf("<< /Type /Page /Parent 2 0 R /Contents 8 0 R >>",
                                                {"<< /Length " + QByteArray::number(fills.size()) +
                                                 " >>\nstream\n" + fills + "\nendstream"}));
        QElapsedTimer timer;
        timer.start();
        // The whole drawing is given all the time it needs, however slow the machine.
        const auto patient = std::make_shared<PdfBook>(path, std::chrono::minutes(5));
        const DecodedPicture whole = m_decoder.decode(PageRef(patient, u"2"_qs));
        const qint64 wholeTook = timer.elapsed();
        QVERIFY(whole.isValid());
        QVERIFY(sameColour(centreOf(whole.image), QColor(128, 128, 128)));

        const auto hurried = std::make_shared<PdfBook>(path, std::chrono::milliseconds(20));
        timer.restart();
        const DecodedPicture givenUp = m_decoder.decode(PageRef(hurried, u"2"_qs));
        const qint64 givenUpTook = timer.elapsed();
        QVERIFY(!givenUp.isValid());
        QVERIFY2(givenUp.error.contains(u"longer than 20 ms"_qs), qPrintable(givenUp.error));
        QVERIFY2(givenUpTook * 2 < wholeTook,
                 qPrintable(u"%1 ms given up, %2 ms whole"_qs.arg(givenUpTook).arg(wholeTook)));
        QVERIFY(sameColour(centreOf(m_decoder.decode(PageRef(hurried, u"1"_qs)).image), Qt::red));
        QVERIFY(sameColour(centreOf(m_decoder.decode(PageRef(hurried, u"3"_qs)).image), Qt::blue));
    }

    // Pages are drawn on several threads at once, each through a document of its own, and
    // nothing is written into or beside the PDF.
    void drawnOnManyThreadsWritingNothing()
    {
        QTemporaryDir alone;
        const QByteArray pdf = picturePdf(twelvePages());
        const QString path = putIn(alone, u"book.pdf"_qs, pdf);
        const std::shared_ptr<Book> book = m_books.open(path);
        QList<int> indexes;
        for (int round = 0; round < 4; ++round)
            for (int i = 0; i < 12; ++i)
                indexes.append(i);
        const QList<PdfPageSpec> pages = twelvePages();
        const FilePictureDecoder& decoder = m_decoder;
        const QList<bool> right = QtConcurrent::blockingMapped<QList<bool>>(indexes, [&](int i) {
            const DecodedPicture picture = decoder.decode(PageRef(book, QString::number(i + 1)));
            return picture.isValid() && sameColour(centreOf(picture.image), pages.at(i).color);
        });
        QCOMPARE(right, QList<bool>(indexes.size(), true));
        QCOMPARE(QDir(alone.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({u"book.pdf"_qs}));
        QCOMPARE(fileBytes(path), pdf);
    }

    // A PDF asked for on many threads at once is opened by each outside the books' lock, and
    // the first one kept is the book all of them get.
    void openedOnManyThreadsIsOneBook()
    {
        QTemporaryDir alone;
        const QString path = putIn(alone, u"book.pdf"_qs, picturePdf(twelvePages()));
        Books books(m_files);
        for (int round = 0; round < 5; ++round) {
            const QList<std::shared_ptr<Book>> opened =
                QtConcurrent::blockingMapped<QList<std::shared_ptr<Book>>>(
                    QList<int>(8, round), [&](int) { return books.open(path); });
            for (const std::shared_ptr<Book>& book : opened)
                QCOMPARE(book.get(), opened.first().get());
            QCOMPARE(books.open(path).get(), opened.first().get());
            // Replaced, a byte longer each round: the next round opens it afresh.
            QVERIFY(putFileBytes(path, picturePdf(twelvePages()) + QByteArray(round + 1, '\n')));
        }
    }

    // A PDF replaced on disk is a book afresh.
    void aReplacedPdfOpensAfresh()
    {
        const QString path = putIn(m_dir, u"replaced.pdf"_qs, vectorPdf({{Qt::blue, QSizeF(72, 72)}}));
        const std::shared_ptr<Book> first = m_books.open(path);
        QVERIFY(first->isCurrent());
        QTest::qWait(20);
        QVERIFY(putFileBytes(path, vectorPdf({{Qt::red, QSizeF(72, 72)}, {Qt::green, QSizeF(72, 72)}})));
        QVERIFY(!first->isCurrent());
        const std::shared_ptr<Book> second = m_books.open(path);
        QCOMPARE(second->pageNames(), QStringList({u"1"_qs, u"2"_qs}));
        QVERIFY(sameColour(centreOf(m_decoder.decode(m_books.pageAt(path + u"/2"_qs)).image), Qt::green));
    }
};

QTEST_MAIN(TestPdfBooks)
#include "tst_pdf_books.moc"

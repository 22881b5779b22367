#include "books/archive_page_path.h"
#include "books/book.h"
#include "books/books.h"
#include "books/pdf_page_size.h"
#include "imaging/cache/prefetching_page_cache.h"
#include "imaging/file_picture_decoder.h"
#include "imaging/picture_limits.h"
#include "platform/local_file_services.h"
#include "support/file_bytes.h"
#include "support/pdf_fixtures.h"

#include <QDir>
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

    // At actual size a page is drawn at 96 dots per inch of its size in points, which its
    // facts tell before it is drawn.
    void actualSize_data()
    {
        QTest::addColumn<QByteArray>("pdf");
        QTest::addColumn<QSize>("size");
        QTest::newRow("picture page")
            << picturePdf({{Qt::red, QSizeF(30, 20), QSize(90, 60)}}) << QSize(40, 27);
        QTest::newRow("picture page of few pixels")
            << picturePdf({{Qt::red, QSizeF(150, 75), QSize(20, 10)}}) << QSize(200, 100);
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
        QTest::newRow("too many pixels") << QSize(20000, 20000) << QSize(15811, 15811);
    }
    void withinTheCap()
    {
        QFETCH(QSize, wanted);
        QFETCH(QSize, drawn);
        const QSize capped = withinPictureCap(wanted);
        QCOMPARE(capped, drawn);
        QVERIFY(qint64(capped.width()) * capped.height() <= kPictureMaxPixels);
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

// AVIF and JPEG XL pages in an archive book, among JPEG pages: listed in name order whatever
// the order they are stored in, each decoded as its own format (told by content, not by name),
// each page's facts as its picture; a damaged one is a damaged page, the rest unharmed. A
// folder book does not list them.

#include "books/archive_book.h"
#include "books/archive_page_path.h"
#include "books/book.h"
#include "books/books.h"
#include "imaging/file_picture_decoder.h"
#include "platform/local_file_services.h"
#include "support/archive_fixtures.h"
#include "support/avif_fixtures.h"
#include "support/file_bytes.h"
#include "support/jxl_fixtures.h"
#include "support/picture_comparison.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

Q_DECLARE_METATYPE(ruvo::PictureFormat)

namespace {

// Pixels no coding packs well, so that the page runs past the first bytes of it that its facts
// are read from.
QImage noise(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    quint32 state = 12345;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            state = state * 1103515245u + 12345u;
            picture.setPixel(x, y, 0xFF000000u | (state >> 8));
        }
    }
    return picture;
}

QImage solidPicture(QSize size, QColor colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

// One page of the mixed book: its name, its bytes, its format, and the picture it shows (null:
// a damaged page).
struct Page
{
    QByteArray name;
    QByteArray bytes;
    PictureFormat format;
    QImage shows;
    // The largest difference allowed at the centres of the picture's quarters.
    int tolerance;
};

QList<Page> mixedPages()
{
    const QSize size(40, 30);
    const QImage picture = quarteredPicture(size);
    const QImage clear = quarteredWithAlpha(size);
    const QImage turned = picture.transformed(QTransform().rotate(90));
    const QByteArray damaged = avifOf({picture});
    const QImage noisy = noise(QSize(400, 300));
    return {
        {"01.jpg", pagePicture(Qt::red, "JPEG", size), PictureFormat::Jpeg, solidPicture(size, Qt::red), 4},
        {"02.avif", avifOf({picture}), PictureFormat::Avif, picture, 6},
        {"03.jxl", jxlOf({picture}, {.lossless = false}), PictureFormat::Jxl, picture, 6},
        {"04.avif", avifOf({picture}, {.depth = 10}), PictureFormat::Avif, picture, 6},
        {"05.jxl", jxlOf({picture}, {.bits = 10}), PictureFormat::Jxl, picture, 1},
        {"06.jpg", pagePicture(Qt::blue, "JPEG", size), PictureFormat::Jpeg, solidPicture(size, Qt::blue), 4},
        {"07.avif", avifOf({clear}, {.lossless = true}), PictureFormat::Avif, clear, 1},
        {"08.jxl", jxlOf({clear}), PictureFormat::Jxl, clear, 1},
        {"09.avif", avifOf({picture}, {.lossless = true, .quarterTurns = 3}), PictureFormat::Avif, turned, 0},
        {"10.jxl", jxlOf({picture}, {.orientation = 6}), PictureFormat::Jxl, turned, 0},
        {"11.avif", avifOf({picture, solidPicture(size, Qt::black)}, {.lossless = true}), PictureFormat::Avif,
         picture, 0},
        {"12.jxl", jxlOf({picture, solidPicture(size, Qt::black)}), PictureFormat::Jxl, picture, 0},
        // Named as the other format: the content tells.
        {"13.jxl", avifOf({picture}, {.lossless = true}), PictureFormat::Avif, picture, 0},
        {"14.avif", jxlOf({picture}), PictureFormat::Jxl, picture, 0},
        {"15.avif", damaged.first(damaged.size() / 2), PictureFormat::Avif, QImage(), 0},
        {"16.jpg", pagePicture(Qt::green, "JPEG", size), PictureFormat::Jpeg, solidPicture(size, Qt::green),
         40},
        {"17.avif", avifOf({noisy}, {.lossless = true}), PictureFormat::Avif, noisy, 0},
        {"18.jxl", jxlOf({noisy}, {.container = true}), PictureFormat::Jxl, noisy, 0},
    };
}

} // namespace

class TestAvifJxlBooks : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    LocalFileServices m_files;
    Books m_books{m_files};
    const FilePictureDecoder m_decoder;
    QString m_archive;

private Q_SLOTS:
    void initTestCase()
    {
        // Stored out of order, a note and a folder among them.
        QList<MemberSpec> members{{"readme.txt", "not a page"}};
        const QList<Page> pages = mixedPages();
        for (qsizetype i = pages.size() - 1; i >= 0; i -= 2)
            members.append({pages.at(i).name, pages.at(i).bytes});
        for (qsizetype i = pages.size() - 2; i >= 0; i -= 2)
            members.append({pages.at(i).name, pages.at(i).bytes});
        for (const MemberSpec& member : members)
            QVERIFY(!member.data.isEmpty());
        // The last two pages' facts are read from their first bytes alone.
        QCOMPARE_GT(pages.at(pages.size() - 1).bytes.size(), ArchiveBook::factsHeadBytes);
        QCOMPARE_GT(pages.at(pages.size() - 2).bytes.size(), ArchiveBook::factsHeadBytes);
        m_archive = putIn(m_dir, u"mixed.cbz"_qs, writtenArchive("zip", members));
    }

    void pagesAreListedInNameOrder()
    {
        const std::shared_ptr<Book> book = m_books.open(m_archive);
        QStringList names;
        for (const Page& page : mixedPages())
            names.append(QString::fromLatin1(page.name));
        QCOMPARE(book->pageNames(), names);
    }

    void everyPageShowsItsPicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<PictureFormat>("format");
        QTest::addColumn<QImage>("shows");
        QTest::addColumn<int>("tolerance");
        for (const Page& page : mixedPages())
            QTest::newRow(page.name.constData())
                << QString::fromLatin1(page.name) << page.format << page.shows << page.tolerance;
    }
    void everyPageShowsItsPicture()
    {
        QFETCH(QString, name);
        QFETCH(PictureFormat, format);
        QFETCH(QImage, shows);
        QFETCH(int, tolerance);
        const std::shared_ptr<Book> book = m_books.open(m_archive);
        const DecodedPicture decoded = m_decoder.decode(m_books.pageAt(archivePagePath(m_archive, name)));
        const std::optional<PageFacts> facts = book->factsOf(name);
        if (shows.isNull()) {
            QVERIFY(!decoded.isValid());
            QVERIFY(!decoded.error.isEmpty());
            return;
        }
        QVERIFY2(decoded.isValid(), qPrintable(decoded.error));
        QCOMPARE(decoded.image.size(), shows.size());
        QCOMPARE_LE(largestDifferenceAtQuarters(decoded.image, shows), tolerance);
        QVERIFY(facts);
        QCOMPARE(facts->format, format);
        QCOMPARE(facts->size, decoded.pictureSize());
    }

    // A folder book lists them too, unless folders are held to the basic formats.
    void folderBooksListThemUnlessHeld_data()
    {
        QTest::addColumn<PageFormats>("formats");
        QTest::addColumn<QStringList>("pages");
        QTest::newRow("all") << PageFormats::All << QStringList{u"1.avif"_qs, u"2.jxl"_qs, u"3.jpg"_qs};
        QTest::newRow("basic") << PageFormats::Basic << QStringList{u"3.jpg"_qs};
    }
    void folderBooksListThemUnlessHeld()
    {
        QFETCH(PageFormats, formats);
        QFETCH(QStringList, pages);
        QTemporaryDir folder;
        const QImage picture = quarteredPicture(QSize(20, 10));
        QVERIFY(putFileBytes(folder.filePath(u"1.avif"_qs), avifOf({picture})));
        QVERIFY(putFileBytes(folder.filePath(u"2.jxl"_qs), jxlOf({picture})));
        QVERIFY(putFileBytes(folder.filePath(u"3.jpg"_qs), pagePicture(Qt::red, "JPEG")));
        m_books.setFolderFormats(formats);
        const std::shared_ptr<Book> book = m_books.open(folder.path());
        m_books.setFolderFormats(PageFormats::All);
        QCOMPARE(book->pageNames(), pages);
        // Each page listed is read; what is not listed is not read as a page either.
        for (const QString& name : {u"1.avif"_qs, u"2.jxl"_qs, u"3.jpg"_qs}) {
            const DecodedPicture decoded = m_decoder.decode(PageRef(book, name));
            QCOMPARE(decoded.isValid(), pages.contains(name));
        }
    }
};

QTEST_MAIN(TestAvifJxlBooks)
#include "tst_avif_jxl_books.moc"

#include "books/archive_book.h"
#include "books/book.h"
#include "books/books.h"
#include "imaging/file_picture_decoder.h"
#include "platform/local_file_services.h"
#include "support/archive_fixtures.h"
#include "support/file_bytes.h"
#include "support/jpeg_fixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

namespace {

// A JPEG whose frame lies behind metadata segments longer than the first bytes a book unpacks
// to read a page's facts.
QByteArray jpegBehindLongMetadata(QSize size)
{
    const QByteArray plain = writeJpeg(detailedPicture(size));
    QByteArray segments;
    for (int i = 0; i < 3; ++i) {
        const QByteArray payload(60000, char('a' + i));
        segments.append("\xFF\xE2", 2);
        segments.append(char((payload.size() + 2) >> 8));
        segments.append(char((payload.size() + 2) & 0xFF));
        segments.append(payload);
    }
    return plain.first(2) + segments + plain.sliced(2);
}

QList<MemberSpec> pagesOfShapes()
{
    JpegShape turned;
    turned.exifOrientation = 6;
    return {
        {"p1.png", pagePicture(Qt::red, "PNG", QSize(40, 30))},
        {"p2.jpg", writeJpeg(detailedPicture(QSize(48, 32)), turned)},
        {"p3.bmp", pagePicture(Qt::blue, "BMP", QSize(120, 50))},
        {"p4.jpg", jpegBehindLongMetadata(QSize(64, 24))},
    };
}

QString rarFixture(const QString& name)
{
    return QStringLiteral(RUVO_TEST_FIXTURES "/rar/") + name;
}

} // namespace

class TestBookPageFacts : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    LocalFileServices m_files;
    const FilePictureDecoder m_decoder;

    // Every page's facts against what the decoder makes of it.
    void compareWithDecoded(const Book& book, const std::shared_ptr<Book>& shared)
    {
        QVERIFY(!book.pageNames().isEmpty());
        for (const QString& name : book.pageNames()) {
            const DecodedPicture decoded = m_decoder.decode(PageRef(shared, name));
            QVERIFY2(decoded.isValid(), qPrintable(name + u": "_qs + decoded.error));
            const std::optional<PageFacts> facts = book.factsOf(name);
            QVERIFY2(facts.has_value(), qPrintable(name));
            QCOMPARE(facts->size, decoded.pictureSize());
        }
    }

private Q_SLOTS:
    // A page's facts are its size as drawn, read from its header, in every kind of book.
    void factsAreThoseOfThePictureDrawn_data()
    {
        QTest::addColumn<QString>("location");
        QTest::addColumn<bool>("inOnePass");

        const QString folder = m_dir.filePath(u"folder"_qs);
        QDir().mkpath(folder);
        for (const MemberSpec& page : pagesOfShapes()) {
            if (!page.path.endsWith(".png"))
                putFileBytes(folder + u'/' + QString::fromLatin1(page.path), page.data);
        }
        QTest::newRow("folder") << folder << false;
        QTest::newRow("stored zip") << putIn(m_dir, u"stored.cbz"_qs, storedZip(pagesOfShapes())) << false;
        QTest::newRow("deflated zip")
            << putIn(m_dir, u"deflated.cbz"_qs, writtenArchive("zip", pagesOfShapes())) << false;
        QTest::newRow("solid 7z, in one pass")
            << putIn(m_dir, u"solid.cb7"_qs, writtenArchive("7zip", pagesOfShapes())) << true;
        QTest::newRow("solid 7z, member by member")
            << putIn(m_dir, u"solid2.cb7"_qs, writtenArchive("7zip", pagesOfShapes())) << false;
        QTest::newRow("tar.xz") << putIn(m_dir, u"xz.cbt"_qs, writtenArchive("ustar", pagesOfShapes(), "xz"))
                                << true;
        QTest::newRow("solid rar 4") << rarFixture(u"testfile.rar3.solid.cbr"_qs) << true;
        QTest::newRow("rar 5") << rarFixture(u"testfile.rar5.cbr"_qs) << false;
    }

    void factsAreThoseOfThePictureDrawn()
    {
        QFETCH(QString, location);
        QFETCH(bool, inOnePass);
        Books books(m_files, {inOnePass, ArchiveMembers::defaultMemoryCap, QString()});
        const std::shared_ptr<Book> book = books.open(location);
        compareWithDecoded(*book, book);
    }

    // Formats and the turned JPEG, told apart.
    void formatsAndOrientationAreTold()
    {
        Books books(m_files);
        const std::shared_ptr<Book> book =
            books.open(putIn(m_dir, u"formats.cbz"_qs, storedZip(pagesOfShapes())));
        QCOMPARE(book->factsOf(u"p1.png"_qs)->format, PictureFormat::Png);
        QCOMPARE(book->factsOf(u"p2.jpg"_qs)->format, PictureFormat::Jpeg);
        // Stored on its side, it stands upright.
        QCOMPARE(book->factsOf(u"p2.jpg"_qs)->size, QSize(32, 48));
        QCOMPARE(book->factsOf(u"p3.bmp"_qs)->format, PictureFormat::Bmp);
        QCOMPARE(book->factsOf(u"p4.jpg"_qs)->size, QSize(64, 24));
    }

    // Read once, with a short read of the page alone; the book still open keeps them.
    void factsAreReadOnceAndKept()
    {
        Books books(m_files);
        const QString path = putIn(m_dir, u"kept.cbz"_qs, writtenArchive("zip", pagesOfShapes()));
        const std::shared_ptr<Book> book = books.open(path);
        const std::shared_ptr<ArchiveMembers> members = books.membersOf(path);
        const int before = members->readsFromStart();
        QCOMPARE(book->factsOf(u"p1.png"_qs)->size, QSize(40, 30));
        QCOMPARE(members->readsFromStart(), before + 1);
        QCOMPARE(book->factsOf(u"p1.png"_qs)->size, QSize(40, 30));
        QCOMPARE(books.open(path)->factsOf(u"p1.png"_qs)->size, QSize(40, 30));
        QCOMPARE(members->readsFromStart(), before + 1);
    }

    // A page of a folder changed on disk is read again; one that tells nothing gives nothing.
    void changedAndDamagedPages()
    {
        const QString folder = m_dir.filePath(u"changing"_qs);
        QDir().mkpath(folder);
        putFileBytes(folder + u"/a.bmp"_qs, pagePicture(Qt::red, "BMP", QSize(10, 20)));
        putFileBytes(folder + u"/b.jpg"_qs, QByteArray("\xFF\xD8\xFF\xE0\x00", 5));
        putFileBytes(folder + u"/c.gif"_qs, QByteArray("not a picture at all"));
        Books books(m_files);
        const std::shared_ptr<Book> book = books.open(folder);
        QCOMPARE(book->factsOf(u"a.bmp"_qs)->size, QSize(10, 20));
        putFileBytes(folder + u"/a.bmp"_qs, pagePicture(Qt::red, "BMP", QSize(30, 20)));
        QCOMPARE(book->factsOf(u"a.bmp"_qs)->size, QSize(30, 20));
        QVERIFY(!book->factsOf(u"b.jpg"_qs));
        QVERIFY(!book->factsOf(u"c.gif"_qs));
        QVERIFY(!book->factsOf(u"missing.jpg"_qs));
    }
};

QTEST_MAIN(TestBookPageFacts)
#include "tst_book_page_facts.moc"

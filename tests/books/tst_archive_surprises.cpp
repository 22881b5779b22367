#include "books/archive_book.h"
#include "books/archive_format.h"
#include "books/archive_members.h"
#include "books/archive_page_path.h"
#include "books/archive_reader.h"
#include "books/archive_solidity.h"
#include "books/books.h"
#include "books/member_paths.h"
#include "books/unpack_budget.h"
#include "imaging/file_picture_decoder.h"
#include "platform/local_file_services.h"
#include "platform/readable_name.h"
#include "support/archive_fixtures.h"
#include "support/file_bytes.h"
#include "support/resident_peak.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace ruvo;
using namespace ruvo::test;

namespace {

QString rarFixture(const QString& name)
{
    return QStringLiteral(RUVO_TEST_FIXTURES "/rar/") + name;
}

// The bytes of a page as its book hands them out.
QByteArray pageBytes(const Book& book, const QString& name)
{
    QString error;
    const std::unique_ptr<QIODevice> device = book.sourceOf(name)->open(&error);
    return device ? device->readAll() : QByteArray();
}

QList<MemberSpec> colouredPages()
{
    return {{"p1.png", pagePicture(Qt::red)},
            {"p2.png", pagePicture(Qt::green)},
            {"p3.png", pagePicture(Qt::blue)}};
}

} // namespace

class TestArchiveSurprises : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    LocalFileServices m_files;

private Q_SLOTS:
    // Every archive the real RAR program made is a book of its two pages, byte for byte the
    // same in each: plain, solid, with a recovery record, locked or signed, RAR 3 or RAR 5.
    // A solid one is read in one pass, or member by member, in any order.
    void rarArchivesHandOutTheirPages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("solid");
        const QStringList names = QDir(rarFixture({})).entryList({u"*.cbr"_qs}, QDir::Files, QDir::Name);
        QVERIFY2(names.size() >= 9, qPrintable(rarFixture({})));
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << name << name.contains(u".solid."_qs);
    }
    void rarArchivesHandOutTheirPages()
    {
        QFETCH(QString, name);
        QFETCH(bool, solid);
        const QString path = rarFixture(name);
        QCOMPARE(isSolidArchive(path), solid);
        Books reference(m_files);
        const std::shared_ptr<Book> plain = reference.open(rarFixture(u"testfile.rar5.cbr"_qs));
        const QByteArray jpeg = pageBytes(*plain, u"testfile.jpg"_qs);
        const QByteArray png = pageBytes(*plain, u"testfile.png"_qs);
        QCOMPARE(jpeg.size(), 220);
        QVERIFY(jpeg.startsWith("\xFF\xD8") && jpeg.endsWith("\xFF\xD9"));
        QCOMPARE(png.size(), 87);
        QVERIFY(png.startsWith("\x89PNG"));
        for (const bool inOnePass : {true, false}) {
            Books books(m_files, {inOnePass, ArchiveMembers::defaultMemoryCap, QString()});
            const std::shared_ptr<Book> book = books.open(path);
            QCOMPARE(book->failure(), BookFailure::None);
            QCOMPARE(book->pageNames(), QStringList({u"testfile.jpg"_qs, u"testfile.png"_qs}));
            // The later member first, then the earlier one.
            QCOMPARE(pageBytes(*book, u"testfile.png"_qs), png);
            QCOMPARE(pageBytes(*book, u"testfile.jpg"_qs), jpeg);
            const FilePictureDecoder decoder;
            QVERIFY(decoder.decode(books.pageAt(archivePagePath(path, u"testfile.jpg"_qs))).isValid());
            QVERIFY(decoder.decode(books.pageAt(archivePagePath(path, u"testfile.png"_qs))).isValid());
        }
    }

    // A tar compressed as a whole is a book, told by its content whatever its name, and is
    // read once through; a compressed file that holds no tar is no book.
    void compressedTarsAreBooks_data()
    {
        QTest::addColumn<QByteArray>("filter");
        QTest::newRow("gzip") << QByteArray("gzip");
        QTest::newRow("bzip2") << QByteArray("bzip2");
        QTest::newRow("xz") << QByteArray("xz");
        QTest::newRow("zstd") << QByteArray("zstd");
    }
    void compressedTarsAreBooks()
    {
        QFETCH(QByteArray, filter);
        const QList<MemberSpec> pages = colouredPages();
        for (const QString& name : {u"book.cbt"_qs, u"book.cbz"_qs}) {
            const QString path =
                putIn(m_dir, filter + name, writtenArchive("ustar", pages, filter.constData()));
            QCOMPARE(archiveFormatOfFile(path), ArchiveFormat::CompressedTar);
            QVERIFY(isSolidArchive(path));
            Books books(m_files);
            const std::shared_ptr<Book> book = books.open(path);
            QVERIFY(book->isArchive());
            QCOMPARE(book->failure(), BookFailure::None);
            QCOMPARE(book->pageNames(), QStringList({u"p1.png"_qs, u"p2.png"_qs, u"p3.png"_qs}));
            for (const MemberSpec& page : pages)
                QCOMPARE(pageBytes(*book, QString::fromLatin1(page.path)), page.data);
            QCOMPARE(books.membersOf(path)->readsFromStart(), 1);
        }
        // A compressed picture, an empty tar, or noise after the compression's mark, holds no
        // book.
        const QByteArray picture =
            writtenArchive("raw", {{"p1.png", pagePicture(Qt::red)}}, filter.constData());
        QCOMPARE(archiveFormatOfContent(picture), ArchiveFormat::CompressedTar);
        QCOMPARE(archiveFormatOfFile(putIn(m_dir, filter + u"-picture.cbt"_qs, picture)),
                 ArchiveFormat::None);
        const QByteArray empty = writtenArchive("ustar", {}, filter.constData());
        QCOMPARE(archiveFormatOfFile(putIn(m_dir, filter + u"-empty.cbt"_qs, empty)), ArchiveFormat::None);
        const QByteArray noise = picture.left(6) + QByteArray(400, '\x5A');
        QCOMPARE(archiveFormatOfFile(putIn(m_dir, filter + u"-noise.cbt"_qs, noise)), ArchiveFormat::None);
        Books books(m_files);
        QCOMPARE(books.open(m_dir.filePath(filter + u"-picture.cbt"_qs))->isArchive(), false);
    }

    // A member that unpacks to more than it declares is held to what it declares: it is a
    // damaged page, found as soon as it passes its claim, and the pages beside it read as
    // ever. Four such pages, each a hundred times its claim, cost no more than their claims.
    void aPageThatLiesAboutItsSizeIsDamaged_data()
    {
        QTest::addColumn<bool>("inOnePass");
        QTest::newRow("member by member") << false;
        QTest::newRow("in one pass") << true;
    }
    void aPageThatLiesAboutItsSizeIsDamaged()
    {
        QFETCH(bool, inOnePass);
        constexpr qint64 inflated = 32 * 1024 * 1024;
        constexpr quint32 claimed = 100 * 1024;
        const QByteArray honest = pagePicture(Qt::red);
        QList<MemberSpec> members;
        for (int i = 1; i <= 4; ++i)
            members.append({"liar" + QByteArray::number(i) + ".png", QByteArray(inflated, '\0')});
        QByteArray zip = withDeclaredSizes(writtenArchive("zip", members), claimed);
        const QString liars = putIn(m_dir, u"liars.cbz"_qs, zip);
        QVERIFY(QFileInfo(liars).size() < 1024 * 1024);
        const QString path = putIn(m_dir, u"honest.cbz"_qs, writtenArchive("zip", {{"a.png", honest}}));

        Books books(m_files, {inOnePass, ArchiveMembers::defaultMemoryCap, QString()});
        const std::shared_ptr<Book> book = books.open(liars);
        QCOMPARE(book->failure(), BookFailure::None);
        QCOMPARE(book->pageNames().size(), 4);
        const ResidentPeak peak;
        for (const QString& name : book->pageNames()) {
            QString error;
            QVERIFY(!book->sourceOf(name)->open(&error));
            QVERIFY2(error.contains(u"more than it declares"_qs), qPrintable(error));
        }
        if (peak.growth() >= 0)
            QVERIFY2(peak.growth() < inflated / 2, qPrintable(QString::number(peak.growth())));
        QCOMPARE(pageBytes(*books.open(path), u"a.png"_qs), honest);
    }

    // Pages being unpacked share one budget: a share waits while others hold too much, but
    // one alone always goes ahead, however large.
    void unpackingSharesOneBudget()
    {
        UnpackBudget budget(100);
        {
            const UnpackBudget::Share alone(budget, 250);
            QCOMPARE(budget.held(), 250);
        }
        QCOMPARE(budget.held(), 0);
        std::optional<UnpackBudget::Share> first(std::in_place, budget, 60);
        std::atomic<bool> secondIn{false};
        std::thread second([&] {
            const UnpackBudget::Share share(budget, 60);
            secondIn = true;
        });
        // The second share cannot be had while the first holds 60 of 100.
        while (budget.waiting() == 0)
            std::this_thread::yield();
        QCOMPARE(budget.held(), 60);
        QVERIFY(!secondIn);
        first.reset();
        second.join();
        QVERIFY(secondIn);
        QCOMPARE(budget.held(), 0);
    }

    // An archive replaced on disk under an open book: the book is no longer current, and its
    // pages come from the old file or not at all, never from the new one; the book opened again lists and
    // hands out the new pages. A page's stamp is its archive's.
    void aReplacedArchiveIsNeverMixed()
    {
        const QString path = putIn(m_dir, u"A.cbz"_qs,
                                   storedZip({{"p1.png", pagePicture(Qt::red)},
                                              {"p2.png", pagePicture(Qt::red)},
                                              {"p3.png", pagePicture(Qt::red)}}));
        Books books(m_files, {false, ArchiveMembers::defaultMemoryCap, QString()});
        const std::shared_ptr<Book> old = books.open(path);
        QCOMPARE(pageBytes(*old, u"p1.png"_qs), pagePicture(Qt::red));
        const FileStamp before = books.pageAt(archivePagePath(path, u"p2.png"_qs)).stamp();
        QCOMPARE(before, fileStampOf(path));
        QVERIFY(old->isCurrent());

        // A new file written beside it and renamed over it, as programs save.
        const QString written =
            putIn(m_dir, u"A.cbz.new"_qs,
                  storedZip({{"p1.png", pagePicture(Qt::blue)}, {"p2.png", pagePicture(Qt::blue)}}));
        QVERIFY(std::rename(QFile::encodeName(written).constData(), QFile::encodeName(path).constData()) ==
                0);
        QVERIFY(!old->isCurrent());
        QVERIFY(books.pageAt(archivePagePath(path, u"p2.png"_qs)).stamp() != before);
        // The reader still open on the old file goes on reading it; a reading that would
        // open the file again finds another there and refuses.
        QCOMPARE(pageBytes(*old, u"p2.png"_qs), pagePicture(Qt::red));
        QString error;
        QVERIFY(!old->sourceOf(u"p1.png"_qs)->open(&error));
        QVERIFY2(error.contains(u"changed"_qs), qPrintable(error));

        const std::shared_ptr<Book> reopened = books.open(path);
        QVERIFY(reopened->isCurrent());
        QCOMPARE(reopened->pageNames(), QStringList({u"p1.png"_qs, u"p2.png"_qs}));
        QCOMPARE(pageBytes(*reopened, u"p2.png"_qs), pagePicture(Qt::blue));
        const FilePictureDecoder decoder;
        QCOMPARE(decoder.decode(books.pageAt(archivePagePath(path, u"p1.png"_qs))).image.pixelColor(0, 0),
                 QColor(Qt::blue));
    }

    // Members whose paths climb out of the archive are listed under what is left of them
    // inside, unless that names another page; they are read from where they are stored.
    void climbingPathsAreListedInside()
    {
        const QString path = putIn(m_dir, u"climbing.cbz"_qs,
                                   storedZip({{"../../x/p001.png", pagePicture(Qt::red)},
                                              {"/abs/p002.png", pagePicture(Qt::green)},
                                              {"../p003.png", pagePicture(Qt::blue)},
                                              {"p003.png", pagePicture(Qt::yellow)},
                                              {"C:\\win\\p004.png", pagePicture(Qt::cyan)}}));
        Books books(m_files);
        const std::shared_ptr<Book> book = books.open(path);
        QCOMPARE(book->failure(), BookFailure::None);
        QCOMPARE(book->pageNames(),
                 QStringList({u"abs/p002.png"_qs, u"p003.png"_qs, u"win/p004.png"_qs, u"x/p001.png"_qs}));
        QCOMPARE(pageBytes(*book, u"x/p001.png"_qs), pagePicture(Qt::red));
        QCOMPARE(pageBytes(*book, u"abs/p002.png"_qs), pagePicture(Qt::green));
        // The page stored under its own name keeps it.
        QCOMPARE(pageBytes(*book, u"p003.png"_qs), pagePicture(Qt::yellow));
        QCOMPARE(pageBytes(*book, u"win/p004.png"_qs), pagePicture(Qt::cyan));
    }

    void listedMemberPaths_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("listed");
        QTest::newRow("trusted, kept as stored") << "a\\b/./c.jpg"
                                                 << "a\\b/./c.jpg";
        QTest::newRow("climbing") << "../../x/p.jpg"
                                  << "x/p.jpg";
        QTest::newRow("climbing in the middle") << "a/../../b.jpg"
                                                << "a/b.jpg";
        QTest::newRow("absolute") << "/etc/p.jpg"
                                  << "etc/p.jpg";
        QTest::newRow("drive") << "C:\\p.jpg"
                               << "p.jpg";
        QTest::newRow("nothing left") << "../.."
                                      << "";
    }
    void listedMemberPaths()
    {
        QFETCH(QString, stored);
        QFETCH(QString, listed);
        QCOMPARE(listedMemberPath(stored), listed);
    }

    // A name holding a line break or another control character is shown on one line, each
    // such character as its visible mark.
    void controlCharactersAreShownAsMarks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("line break") << "/b/Vol\n01.cbz/p1.jpg" << u"/b/Vol\u240A01.cbz/p1.jpg"_qs;
        QTest::newRow("carriage return and tab") << "a\r\tb" << u"a\u240D\u2409b"_qs;
        QTest::newRow("delete") << "a\x7F" << u"a\u2421"_qs;
        QTest::newRow("plain") << "/本/p1.jpg"
                               << "/本/p1.jpg";
    }
    void controlCharactersAreShownAsMarks()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        QCOMPARE(readableName(name), shown);
    }
};

QTEST_MAIN(TestArchiveSurprises)
#include "tst_archive_surprises.moc"

#include "books/archive_format.h"
#include "books/archive_index.h"
#include "books/archive_page_path.h"
#include "books/archive_reader.h"
#include "books/member_paths.h"
#include "books/page_sources.h"
#include "imaging/file_picture_decoder.h"
#include "platform/native_name.h"
#include "platform/readable_name.h"
#include "support/archive_fixtures.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace ruvo;
using namespace ruvo::test;

namespace {

// The pages of every test book: a colour each, in the formats comic archives hold.
const QList<MemberSpec>& colouredPages()
{
    static const QList<MemberSpec> pages{
        {"Vol01/", {}},
        {"Vol01/002.png", pagePicture(Qt::red, "PNG")},
        {"Vol01/001.jpg", pagePicture(Qt::green, "JPEG", QSize(16, 16))},
        {"Vol01/sub/003.bmp", pagePicture(Qt::blue, "BMP")},
        {"Vol01/notes.txt", "not a page"},
    };
    return pages;
}

QRgb centreOf(const QImage& image)
{
    return image.pixel(image.width() / 2, image.height() / 2);
}

} // namespace

class TestArchiveBooks : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString put(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        [&] { QVERIFY(putFileBytes(path, bytes)); }();
        return path;
    }

private Q_SLOTS:
    void formatsAreToldByContent_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<ArchiveFormat>("format");
        QByteArray tar(512, '\0');
        tar.replace(257, 6, "ustar\0", 6);
        QTest::newRow("zip") << storedZip({{"a.png", "x"}}) << ArchiveFormat::Zip;
        QTest::newRow("empty zip") << storedZip({}) << ArchiveFormat::Zip;
        QTest::newRow("rar 4") << QByteArray("Rar!\x1A\x07\x00", 7) << ArchiveFormat::Rar;
        QTest::newRow("rar 5") << QByteArray("Rar!\x1A\x07\x01\x00", 8) << ArchiveFormat::Rar;
        QTest::newRow("7z") << QByteArray("7z\xBC\xAF\x27\x1C\x00\x04", 8) << ArchiveFormat::SevenZip;
        QTest::newRow("tar") << tar << ArchiveFormat::Tar;
        QTest::newRow("jpeg") << pagePicture(Qt::red, "JPEG") << ArchiveFormat::None;
        QTest::newRow("short") << QByteArray("PK") << ArchiveFormat::None;
        QTest::newRow("tar cut before its mark") << tar.left(260) << ArchiveFormat::None;
    }
    void formatsAreToldByContent()
    {
        QFETCH(QByteArray, head);
        QFETCH(ArchiveFormat, format);
        QCOMPARE(archiveFormatOfContent(head), format);
        // The name says nothing: a ZIP named .jpg is a ZIP, a picture named .cbz is none.
        QCOMPARE(archiveFormatOfFile(put(QStringLiteral("named.jpg"), head)), format);
        QCOMPARE(archiveFormatOfFile(put(QStringLiteral("named.cbz"), head)), format);
    }

    void onlyPlainFilesAreArchives()
    {
        const QString folder = m_dir.filePath(QStringLiteral("folder.cbz"));
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(archiveFormatOfFile(folder), ArchiveFormat::None);
        const QString fifo = m_dir.filePath(QStringLiteral("fifo.cbz"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(archiveFormatOfFile(fifo), ArchiveFormat::None);
        QCOMPARE(readArchiveIndex(fifo).failure, ArchiveIndex::Failure::Unreadable);
        QCOMPARE(archiveFormatOfFile(m_dir.filePath(QStringLiteral("missing.cbz"))), ArchiveFormat::None);
    }

    void whichMembersArePages_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("page");
        QTest::newRow("top level") << "001.jpg" << true;
        QTest::newRow("deep, upper case") << "a/b/c/002.JPEG" << true;
        QTest::newRow("png") << "x/003.png" << true;
        QTest::newRow("webp") << "004.webp" << true;
        QTest::newRow("every folder-book format") << "f.emf" << true;
        QTest::newRow("text") << "readme.txt" << false;
        QTest::newRow("folder") << "pages.jpg/" << false;
        QTest::newRow("hidden") << "a/.thumb.jpg" << false;
        QTest::newRow("resource fork") << "__MACOSX/a/001.jpg" << false;
        QTest::newRow("in a hidden folder, named plainly") << ".cache/001.jpg" << true;
        QTest::newRow("absolute") << "/etc/001.jpg" << false;
        QTest::newRow("drive") << "C:/001.jpg" << false;
        QTest::newRow("backslash root") << "\\001.jpg" << false;
        QTest::newRow("climbing out") << "a/../../001.jpg" << false;
        QTest::newRow("climbing out with backslashes") << "a\\..\\001.jpg" << false;
        QTest::newRow("dots in a name") << "a/..b/001..jpg" << true;
    }
    void whichMembersArePages()
    {
        QFETCH(QString, path);
        QFETCH(bool, page);
        QCOMPARE(isPageMember(path), page);
    }

    // Every format lists its pages at any depth, in the archive's order, and each page is
    // read out of the archive by its path and decoded.
    void everyFormatIsABook_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::newRow("zip, stored") << storedZip(colouredPages());
        QTest::newRow("zip, deflated") << writtenArchive("zip", colouredPages());
        QTest::newRow("7z, solid") << writtenArchive("7zip", colouredPages());
        QTest::newRow("tar") << writtenArchive("ustar", colouredPages());
    }
    void everyFormatIsABook()
    {
        QFETCH(QByteArray, archive);
        const QString path = put(QStringLiteral("book.cbz"), archive);
        const ArchiveIndex index = readArchiveIndex(path);
        QCOMPARE(index.failure, ArchiveIndex::Failure::None);
        QCOMPARE(index.pages,
                 QStringList({u"Vol01/002.png"_qs, u"Vol01/001.jpg"_qs, u"Vol01/sub/003.bmp"_qs}));
        const FilePictureDecoder decoder(pageSourceOf);
        const QList<QColor> colours{Qt::red, Qt::green, Qt::blue};
        for (qsizetype i = 0; i < index.pages.size(); ++i) {
            const DecodedPicture page = decoder.decode(archivePagePath(path, index.pages.at(i)));
            QVERIFY2(page.isValid(), qPrintable(page.error));
            const QColor centre(centreOf(page.image));
            QVERIFY2(qAbs(centre.red() - colours.at(i).red()) < 8 &&
                         qAbs(centre.green() - colours.at(i).green()) < 8,
                     qPrintable(index.pages.at(i)));
        }
        const DecodedPicture text = decoder.decode(archivePagePath(path, u"Vol01/notes.txt"_qs));
        QVERIFY(!text.isValid());
        const DecodedPicture missing = decoder.decode(archivePagePath(path, u"Vol01/004.png"_qs));
        QCOMPARE(missing.error, u"file not found"_qs);
    }

    // PNG and WebP pages are read in archives alone: a folder book's pages stay as they were.
    void pngIsAPageOnlyInAnArchive()
    {
        const QString loose = put(QStringLiteral("loose.png"), pagePicture(Qt::red, "PNG"));
        QVERIFY(!FilePictureDecoder(pageSourceOf).decode(loose).isValid());
    }

    // Names a Japanese system wrote without saying so are code page 932 bytes: kept as they
    // are, and read as Japanese. Names flagged as UTF-8 are read as such.
    void namesKeepTheirBytes()
    {
        const QByteArray cover("\x95\x5C\x8E\x86.jpg");
        const QString path =
            put(QStringLiteral("names.cbz"),
                storedZip({{cover, pagePicture(Qt::red, "JPEG")},
                           {"\xE7\x9B\xAE\xE6\xAC\xA1.png", pagePicture(Qt::blue), false, true}}));
        const ArchiveIndex index = readArchiveIndex(path);
        QCOMPARE(index.failure, ArchiveIndex::Failure::None);
        QCOMPARE(index.pages.size(), 2);
        QCOMPARE(nativeName(index.pages.at(0)), cover);
        QCOMPARE(readableName(index.pages.at(0)), u"表紙.jpg"_qs);
        QCOMPARE(index.pages.at(1), u"目次.png"_qs);
        const FilePictureDecoder decoder(pageSourceOf);
        QVERIFY(decoder.decode(archivePagePath(path, index.pages.at(0))).isValid());
        QVERIFY(decoder.decode(archivePagePath(path, index.pages.at(1))).isValid());
    }

    // An archive that cannot be read as a book says why, and lists no pages.
    void failuresAreTold_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<ArchiveIndex::Failure>("failure");
        const QByteArray page = pagePicture(Qt::red);
        const QByteArray whole = storedZip({{"1.png", page}, {"2.png", page}});
        QTest::newRow("encrypted member")
            << storedZip({{"1.png", page}, {"2.png", page, true}}) << ArchiveIndex::Failure::Encrypted;
        QTest::newRow("a page claiming 4 GB")
            << storedZip({{"1.png", page, false, false, 0xFFFFFFF0}}) << ArchiveIndex::Failure::TooLarge;
        QTest::newRow("no pages") << storedZip({{"readme.txt", "x"}, {"folder/", {}}})
                                  << ArchiveIndex::Failure::NoPages;
        // libarchive takes a ZIP that holds nothing for no ZIP at all.
        QTest::newRow("empty") << storedZip({}) << ArchiveIndex::Failure::Unreadable;
        QTest::newRow("only unsafe paths")
            << storedZip({{"../1.png", page}, {"/2.png", page}}) << ArchiveIndex::Failure::NoPages;
        QTest::newRow("truncated") << whole.left(whole.size() - 30) << ArchiveIndex::Failure::Unreadable;
        QTest::newRow("garbage") << QByteArray(600, 'x') << ArchiveIndex::Failure::Unreadable;
        const QByteArray sevenZip = writtenArchive("7zip", colouredPages());
        QTest::newRow("7z cut short") << sevenZip.left(sevenZip.size() / 2) << ArchiveIndex::Failure::Damaged;
        const QByteArray tar = writtenArchive("ustar", colouredPages());
        QTest::newRow("tar header damaged")
            << tar.left(512 + 512 * ((pagePicture(Qt::red).size() + 511) / 512) + 100) + QByteArray(700, 'q')
            << ArchiveIndex::Failure::Damaged;
    }
    void failuresAreTold()
    {
        QFETCH(QByteArray, archive);
        QFETCH(ArchiveIndex::Failure, failure);
        const ArchiveIndex index = readArchiveIndex(put(QStringLiteral("bad.cbz"), archive));
        QCOMPARE(index.failure, failure);
        QVERIFY(index.pages.isEmpty());
    }

    // A damaged member is a damaged page; the others are read as ever.
    void aDamagedMemberIsADamagedPage()
    {
        QByteArray archive = storedZip({{"1.png", pagePicture(Qt::red)}, {"2.png", pagePicture(Qt::blue)}});
        // The first page's data changed after its checksum was taken.
        archive[30 + 5 + 20] = char(archive[30 + 5 + 20] ^ 0x55);
        const QString path = put(QStringLiteral("crc.cbz"), archive);
        const FilePictureDecoder decoder(pageSourceOf);
        QVERIFY(!decoder.decode(archivePagePath(path, u"1.png"_qs)).isValid());
        QVERIFY(decoder.decode(archivePagePath(path, u"2.png"_qs)).isValid());
    }

    // What a member unpacks to is cut off at the limit, whatever it declared.
    void aMemberIsReadUpToTheLimit()
    {
        const QByteArray zeros(300000, '\0');
        const QString path = put(QStringLiteral("zeros.zip"), writtenArchive("zip", {{"z.png", zeros}}));
        ArchiveReader reader(path);
        QCOMPARE(reader.next(), ArchiveReader::Step::Entry);
        QString error;
        QVERIFY(!reader.readData(100000, &error));
        QCOMPARE(error, u"the member is too large"_qs);
        ArchiveReader again(path);
        QCOMPARE(again.next(), ArchiveReader::Step::Entry);
        QCOMPARE(again.readData(300000, &error), std::optional<QByteArray>(zeros));
    }

    void pagePathsSplitAtTheArchive_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("member");
        QTest::newRow("member at the top") << "lib/Vol01.cbz/001.jpg"
                                           << "lib/Vol01.cbz"
                                           << "001.jpg";
        QTest::newRow("member deeper") << "lib/Vol01.cbz/a/b/001.jpg"
                                       << "lib/Vol01.cbz"
                                       << "a/b/001.jpg";
        QTest::newRow("the archive itself") << "lib/Vol01.cbz"
                                            << ""
                                            << "";
        QTest::newRow("a file in a folder") << "lib/page.jpg"
                                            << ""
                                            << "";
        QTest::newRow("a missing file in a folder") << "lib/gone.jpg"
                                                    << ""
                                                    << "";
        QTest::newRow("past a file that is no archive") << "lib/page.jpg/001.jpg"
                                                        << ""
                                                        << "";
        QTest::newRow("past a missing archive") << "lib/gone.cbz/001.jpg"
                                                << ""
                                                << "";
    }
    void pagePathsSplitAtTheArchive()
    {
        QFETCH(QString, path);
        QFETCH(QString, archive);
        QFETCH(QString, member);
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("lib"))));
        put(QStringLiteral("lib/Vol01.cbz"), storedZip({{"001.jpg", pagePicture(Qt::red, "JPEG")}}));
        put(QStringLiteral("lib/page.jpg"), pagePicture(Qt::red, "JPEG"));
        const std::optional<ArchivePagePath> split = splitArchivePagePath(m_dir.filePath(path));
        QCOMPARE(split.has_value(), !archive.isEmpty());
        if (split) {
            QCOMPARE(split->archive, m_dir.filePath(archive));
            QCOMPARE(split->member, member);
        }
    }
};

QTEST_GUILESS_MAIN(TestArchiveBooks)
#include "tst_archive_books.moc"

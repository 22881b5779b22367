#include "commands/control_names.h"
#include "platform/native_name.h"
#include "session/user_messages.h"
#include "support/archive_fixtures.h"
#include "support/file_bytes.h"
#include "support/real_book_fixture.h"
#include "support/view_modes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

namespace {

// Four pages of sizes of their own in two sub-folders, stored out of order, with a text
// file and a resource fork beside them.
QList<MemberSpec> bookMembers()
{
    return {
        {"Vol01/b/004.png", pagePicture(Qt::red, "PNG", QSize(44, 34))},
        {"Vol01/a/002.jpg", pagePicture(Qt::green, "JPEG", QSize(42, 32))},
        {"Vol01/a/001.jpg", pagePicture(Qt::blue, "JPEG", QSize(41, 31))},
        {"Vol01/b/003.bmp", pagePicture(Qt::yellow, "BMP", QSize(43, 33))},
        {"Vol01/info.txt", "scanned by nobody"},
        {"__MACOSX/Vol01/a/._001.jpg", "fork"},
    };
}

} // namespace

class TestOpeningArchiveBooks : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    // An archive opens as a book wherever it is named from, whatever its name: its pages are
    // its pictures at any depth, in name order, each named by its path inside it.
    void anArchiveIsABook_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("archive");
        QTest::newRow("cbz") << "Vol01.cbz" << storedZip(bookMembers());
        QTest::newRow("cb7") << "Vol01.cb7" << writtenArchive("7zip", bookMembers());
        QTest::newRow("cbt") << "Vol01.cbt" << writtenArchive("ustar", bookMembers());
        QTest::newRow("zip named as anything") << "Vol01.dat" << writtenArchive("zip", bookMembers());
    }
    void anArchiveIsABook()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, archive);
        const QString path = putIn(m_dir, name, archive);
        RealBookFixture f;
        f.open(path);
        QVERIFY(f.fakes.messages.shown.isEmpty());
        QVERIFY(f.browser.pages().isArchive());
        QCOMPARE(f.browser.pages().names(), QStringList({u"Vol01/a/001.jpg"_qs, u"Vol01/a/002.jpg"_qs,
                                                         u"Vol01/b/003.bmp"_qs, u"Vol01/b/004.png"_qs}));
        QCOMPARE(f.form.controls().window.caption, "Ruvo - " + path);
        for (int first = 0; first < 4; first += 2) {
            if (first > 0)
                f.form.NEXTP_Click();
            const Form1Controls& c = f.form.controls();
            QCOMPARE(c.picture2.picture.size(), QSize(41 + first, 31 + first));
            QCOMPARE(c.picture3.picture.size(), QSize(42 + first, 32 + first));
            QCOMPARE(c.statusBar.panel(3),
                     QStringLiteral("[%1] ").arg(first + 1) + f.browser.pages().name(first));
            QCOMPARE(f.state.shownPagePath, path + u'/' + f.browser.pages().name(first));
        }
        QVERIFY(f.fakes.messages.shown.isEmpty());
    }

    // The path of a page inside an archive, as the shelf keeps it, opens the archive at that
    // page; one the archive no longer holds opens it at its first.
    void aPagePathOpensItsArchiveThere()
    {
        const QString path = putIn(m_dir, u"Vol02.cbz"_qs, storedZip(bookMembers()));
        RealBookFixture f;
        setOnePage(f.form, true);
        f.open(path + u"/Vol01/b/003.bmp"_qs);
        QCOMPARE(f.browser.pages().folder(), path);
        QCOMPARE(f.state.pageIndex, 2);
        QCOMPARE(f.form.controls().picture2.picture.size(), QSize(43, 33));
        f.open(path + u"/Vol01/b/gone.bmp"_qs);
        QCOMPARE(f.state.pageIndex, 0);
        QVERIFY(f.fakes.messages.shown.isEmpty());
    }

    // An archive that cannot be a book says so, naming the file, and the open book stays.
    void anUnreadableArchiveLeavesTheBook_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<BookFailure>("failure");
        const QByteArray page = pagePicture(Qt::red);
        QTest::newRow("encrypted") << storedZip({{"1.png", page, true}}) << BookFailure::Encrypted;
        QTest::newRow("no pages") << storedZip({{"a.txt", "x"}}) << BookFailure::NoPages;
        QTest::newRow("damaged") << storedZip({{"1.png", page}}).left(40) << BookFailure::Unreadable;
        QTest::newRow("a page of 4 GB")
            << storedZip({{"1.png", page, false, false, 0xFFFFFFF0}}) << BookFailure::TooLarge;
    }
    void anUnreadableArchiveLeavesTheBook()
    {
        QFETCH(QByteArray, archive);
        QFETCH(BookFailure, failure);
        const QString good = putIn(m_dir, u"good.cbz"_qs, storedZip(bookMembers()));
        const QString bad = putIn(m_dir, QString::fromLatin1(QTest::currentDataTag()) + u".cbz"_qs, archive);
        RealBookFixture f;
        f.open(good);
        f.form.NEXTP_Click();
        const QImage shown = f.form.controls().picture2.picture;
        f.open(bad);
        QCOMPARE(f.fakes.messages.shown.size(), 1);
        QCOMPARE(f.fakes.messages.shown.first().text, Messages::unreadableArchive(bad, failure).text);
        QVERIFY(f.fakes.messages.shown.first().text.contains(bad));
        QCOMPARE(f.browser.pages().folder(), good);
        // The later page of the second spread.
        QCOMPARE(f.state.pageIndex, 3);
        QCOMPARE(f.form.controls().picture2.picture, shown);
    }

    // A damaged member is a damaged page: the placeholder and the usual message, and the
    // pages after it turn as ever.
    void aDamagedMemberIsADamagedPage()
    {
        QByteArray archive = storedZip({{"1.png", pagePicture(Qt::red, "PNG", QSize(30, 20))},
                                        {"2.png", pagePicture(Qt::blue, "PNG", QSize(31, 21))},
                                        {"3.png", pagePicture(Qt::green, "PNG", QSize(32, 22))}});
        // The first page's bytes changed after its checksum was taken.
        archive[30 + 5 + 20] = char(archive[30 + 5 + 20] ^ 0x55);
        const QString path = putIn(m_dir, u"crc.cbz"_qs, archive);
        RealBookFixture f;
        setOnePage(f.form, true);
        f.open(path);
        QCOMPARE(f.fakes.messages.shown.size(), 1);
        QCOMPARE(f.fakes.messages.shown.first().text, Messages::damagedPicture(path + u"/1.png"_qs).text);
        f.form.NEXTP_Click();
        QCOMPARE(f.form.controls().picture2.picture.size(), QSize(31, 21));
        f.form.NEXTP_Click();
        QCOMPARE(f.form.controls().picture2.picture.size(), QSize(32, 22));
        QCOMPARE(f.fakes.messages.shown.size(), 1);
    }

    // Names a Japanese system wrote into a ZIP without saying so read as Japanese, and sort
    // as the reader reads them.
    void legacyNamesReadAndSort()
    {
        const QString path =
            putIn(m_dir, u"names.cbz"_qs,
                  storedZip({{"\x96\xDA\x8E\x9F.jpg", pagePicture(Qt::red, "JPEG")},
                             {"\x82\xA0\x82\xC6\x82\xAA\x82\xAB.jpg", pagePicture(Qt::blue, "JPEG")}}));
        RealBookFixture f;
        f.open(path);
        QCOMPARE(f.browser.pages().count(), 2);
        QCOMPARE(f.form.controls().statusBar.panel(3), u"[1] あとがき.jpg"_qs);
        QCOMPARE(f.form.controls().statusBar.panel(2), u"[2] 目次.jpg"_qs);
        QCOMPARE(nativeName(f.state.shownPagePath),
                 QFile::encodeName(path) + "/\x82\xA0\x82\xC6\x82\xAA\x82\xAB.jpg");
    }
};

QTEST_MAIN(TestOpeningArchiveBooks)
#include "tst_opening_archive_books.moc"

#include "books/archive_members.h"
#include "books/books.h"
#include "platform/local_file_services.h"
#include "support/archive_fixtures.h"
#include "support/file_bytes.h"
#include "support/full_file_system.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <thread>

using namespace ruvo;
using namespace ruvo::test;

namespace {

constexpr int kPages = 6;

// Pages of their own bytes each, big enough that a cap of a few kilobytes spills most.
QList<MemberSpec> pages()
{
    QList<MemberSpec> members{{"Vol01/readme.txt", "not a page"}};
    for (int page = 1; page <= kPages; ++page) {
        QByteArray bytes(3000 + page, char('a' + page));
        members.append({QStringLiteral("Vol01/%1.jpg").arg(page).toUtf8(), bytes});
    }
    return members;
}

ArchiveMembers::Options inOnePass(qint64 memoryCap = ArchiveMembers::defaultMemoryCap,
                                  const QString& spillFolder = {})
{
    return {true, memoryCap, spillFolder};
}

} // namespace

class TestArchiveMembers : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Every page read back in the order given, each to its exact bytes.
    static void readsEveryPage(ArchiveMembers& book, const QList<int>& order)
    {
        const QList<MemberSpec> members = pages();
        for (const int page : order) {
            QString error;
            const std::optional<QByteArray> bytes =
                book.read(QString::fromUtf8(members.at(page).path), &error);
            QVERIFY2(bytes, qPrintable(error));
            QCOMPARE(*bytes, members.at(page).data);
        }
    }

private Q_SLOTS:
    // A solid archive is read through once, whatever order its pages are asked for in: a
    // jump to the last page is one pass, and the pages it passed are at hand.
    void aSolidArchiveIsReadInOnePass_data()
    {
        QTest::addColumn<qint64>("memoryCap");
        QTest::newRow("kept in memory") << ArchiveMembers::defaultMemoryCap;
        QTest::newRow("kept in the spill file beyond a cap") << qint64(7000);
        QTest::newRow("every page spilled") << qint64(0);
    }
    void aSolidArchiveIsReadInOnePass()
    {
        QFETCH(qint64, memoryCap);
        const QString path = putIn(m_dir, u"solid.cb7"_qs, writtenArchive("7zip", pages()));
        QTemporaryDir spill;
        {
            ArchiveMembers book(path, inOnePass(memoryCap, spill.path()));
            QVERIFY(book.readsInOnePass());
            readsEveryPage(book, {6, 1, 3, 2, 5, 4, 6});
            QCOMPARE(book.readsFromStart(), 1);
            QString error;
            QVERIFY(!book.read(u"Vol01/7.jpg"_qs, &error));
            QCOMPARE(error, u"file not found"_qs);
            QVERIFY(!book.read(u"Vol01/readme.txt"_qs, &error));
            // The spill file has no name: nothing shows in its folder, then or later.
            QVERIFY(QDir(spill.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
        }
        QVERIFY(QDir(spill.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

    // Archives that are not solid are read a page at a time, each reached directly; the
    // reader goes on forward, and starts again only to go back.
    void otherArchivesAreReadOnDemand_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::newRow("zip") << writtenArchive("zip", pages());
        QTest::newRow("stored zip") << storedZip(pages());
        QTest::newRow("tar") << writtenArchive("ustar", pages());
    }
    void otherArchivesAreReadOnDemand()
    {
        QFETCH(QByteArray, archive);
        ArchiveMembers book(putIn(m_dir, u"book.cbz"_qs, archive), inOnePass());
        QVERIFY(!book.readsInOnePass());
        readsEveryPage(book, {1, 2, 4, 6});
        QCOMPARE(book.readsFromStart(), 1);
        readsEveryPage(book, {3, 5});
        QCOMPARE(book.readsFromStart(), 2);
        readsEveryPage(book, {5, 2});
        QCOMPARE(book.readsFromStart(), 4);
        QString error;
        QVERIFY(!book.read(u"Vol01/7.jpg"_qs, &error));
        QCOMPARE(error, u"file not found"_qs);
        readsEveryPage(book, {1});
    }

    // Pages asked for from two threads at once come out whole: one is read by the reader kept
    // open, the other, while that one is busy, by a reader of its own.
    void pagesAskedForAtOnceComeOutWhole_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::newRow("zip") << writtenArchive("zip", pages());
        QTest::newRow("tar") << writtenArchive("ustar", pages());
    }
    void pagesAskedForAtOnceComeOutWhole()
    {
        QFETCH(QByteArray, archive);
        ArchiveMembers book(putIn(m_dir, u"together.cbz"_qs, archive), inOnePass());
        const QList<MemberSpec> members = pages();
        std::atomic<int> wrong{0};
        const auto readAll = [&](bool backwards) {
            for (int round = 0; round < 20; ++round) {
                for (int i = 1; i <= 6; ++i) {
                    const int page = backwards ? 7 - i : i;
                    QString error;
                    const std::optional<QByteArray> bytes =
                        book.read(QString::fromUtf8(members.at(page).path), &error);
                    if (!bytes || *bytes != members.at(page).data)
                        ++wrong;
                }
            }
        };
        std::thread other(readAll, true);
        readAll(false);
        other.join();
        QCOMPARE(wrong.load(), 0);
        QVERIFY(book.readsFromStart() >= 1);
    }

    // A solid archive damaged part of the way gives the pages before the damage, and says
    // what happened for the others; no reader waits for ever.
    void aDamagedSolidArchiveNeverHangs()
    {
        const QByteArray whole = writtenArchive("7zip", pages());
        ArchiveMembers book(putIn(m_dir, u"cut.cb7"_qs, whole.left(whole.size() - 40)), inOnePass());
        QString error;
        QVERIFY(!book.read(u"Vol01/6.jpg"_qs, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!book.read(u"Vol01/1.jpg"_qs, &error));
    }

    // A book closed while its pass is under way stops it.
    void aBookClosedMidPassStops()
    {
        QList<MemberSpec> many;
        for (int page = 0; page < 200; ++page)
            many.append({QStringLiteral("%1.png").arg(page).toUtf8(), QByteArray(20000, char(page))});
        const QString path = putIn(m_dir, u"many.cb7"_qs, writtenArchive("7zip", many));
        for (int run = 0; run < 5; ++run)
            ArchiveMembers book(path, inOnePass());
    }

    // Pages that no longer fit anywhere are refused, never made up: a spill file on a full
    // file system.
    void aFullSpillFileRefusesThePage()
    {
        FullFileSystem full(64);
        if (!full.isMounted())
            QSKIP("mounting a small file system needs root");
        QVERIFY(full.fillLeaving(4096));
        ArchiveMembers book(putIn(m_dir, u"full.cb7"_qs, writtenArchive("7zip", pages())),
                            inOnePass(0, full.path()));
        const QList<MemberSpec> members = pages();
        int refused = 0;
        for (int page = 1; page <= kPages; ++page) {
            QString error;
            const std::optional<QByteArray> bytes =
                book.read(QString::fromUtf8(members.at(page).path), &error);
            if (bytes)
                QCOMPARE(*bytes, members.at(page).data);
            else
                ++refused;
        }
        QVERIFY(refused >= kPages - 1);
    }

    // Every page of an archive is read through one book; the books most recently asked for
    // are kept, and an archive replaced on disk is opened afresh.
    void theBooksOpenNowAreKept()
    {
        LocalFileServices files;
        Books books(files);
        const QString first = putIn(m_dir, u"first.cb7"_qs, writtenArchive("7zip", pages()));
        const std::shared_ptr<ArchiveMembers> book = books.membersOf(first);
        QCOMPARE(books.membersOf(first), book);
        QString error;
        QVERIFY(books.pageAt(first + u"/Vol01/3.jpg"_qs).source()->open(&error));
        QVERIFY(books.pageAt(first + u"/Vol01/1.jpg"_qs).source()->open(&error));
        QCOMPARE(book->readsFromStart(), 1);
        QCOMPARE(books.pageAt(m_dir.filePath(u"loose.jpg"_qs)).source()->formats(), books.folderFormats());
        // The book is handed out again, with what it learnt of its pages.
        QCOMPARE(books.open(first), books.open(first));
        QCOMPARE(books.open(first), books.pageAt(first + u"/Vol01/1.jpg"_qs).holder());

        const QString second = putIn(m_dir, u"second.cbz"_qs, storedZip(pages()));
        const QString third = putIn(m_dir, u"third.cbz"_qs, storedZip(pages()));
        QCOMPARE(books.membersOf(second), books.membersOf(second));
        books.membersOf(first);
        books.membersOf(third);
        // The second was asked for least recently: it is let go of; the first is kept.
        QCOMPARE(books.membersOf(first), book);
        const std::shared_ptr<ArchiveMembers> again = books.membersOf(second);
        QCOMPARE(again->readsFromStart(), 0);

        QList<MemberSpec> fewer = pages();
        fewer.removeLast();
        putIn(m_dir, u"first.cb7"_qs, writtenArchive("7zip", fewer));
        QVERIFY(books.membersOf(first) != book);
    }
};

QTEST_GUILESS_MAIN(TestArchiveMembers)
#include "tst_archive_members.moc"

// Shelf files as other editors, other programs and damaged disks leave them,
// through the register and bookshelf windows over real files. A file whose
// intent is clear opens with all its books and is written back in the
// program's own form; any other is shown as far as it can be read, and neither
// registering nor saving replaces it unless the user agrees, and then only
// after its exact bytes are kept beside it. No thumbnail it mentions is lost.
#include "bookshelf/form5.h"
#include "bookshelf/shelf_file.h"
#include "bookshelf/shelf_write_guard.h"
#include "commands/control_names.h"
#include "platform/code_page.h"
#include "shelf_fixture.h"
#include "support/file_bytes.h"
#include "support/folder_snapshot.h"
#include "support/full_file_system.h"

#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTest>

#include <sys/stat.h>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

namespace {

enum class Kind
{
    File,
    Fifo,
    Folder,
    Missing,
};

// A record as the program writes it, its thumbnail "<number>ruv.bmp".
QByteArray record(int number)
{
    return "VOL\r\n/books/b" + QByteArray::number(number) + "/p1.jpg\r\n本 " + QByteArray::number(number) +
           "\r\n" + QByteArray::number(number) + "ruv.bmp\r\n";
}

QByteArray records(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += record(i);
    return bytes;
}

// Code page 932 throughout, as a Japanese text editor saves it.
QByteArray inCodePage(const QByteArray& utf8)
{
    QStringEncoder encoder("windows-31j");
    return encoder.encode(QString::fromUtf8(utf8));
}

// What a folder holds, files by the digest of their bytes: some are 100 MB.
FolderSnapshot stateOf(const QString& root)
{
    return snapshotOf(root, FileContents::Digest);
}

QStringList titlesOf(const QList<FakeMessageBoxes::Shown>& shown)
{
    QStringList titles;
    for (const FakeMessageBoxes::Shown& message : shown)
        titles.append(message.title);
    return titles;
}

// The shelf folder on a file system in memory where one can be mounted: the
// copy of a 100 MB file is synced to disk otherwise, which takes seconds.
struct MemoryShelfFixture : ShelfFixture
{
    FullFileSystem memory{512 * 1024};
    MemoryShelfFixture()
    {
        if (memory.isMounted())
            shelf = memory.path();
    }
};

const QString noticeTitle = u"本棚データファイルの確認"_s;
const QString questionTitle = u"本棚データファイルの書き換え"_s;
const QString failureTitle = u"記録ファイル書き込みエラー"_s;

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestDamagedShelf : public QObject
{
    Q_OBJECT

private:
    // The shelf folder with its twelve thumbnails 0ruv.bmp ... 11ruv.bmp (and
    // more when the file names more) and the shelf file as the row has it.
    static void build(ShelfFixture& f, Kind kind, const QByteArray& bytes, int thumbnails)
    {
        for (int i = 0; i < thumbnails; ++i)
            QVERIFY(putFileBytes(f.shelf + u'/' + QString::number(i) + u"ruv.bmp"_s, "BM"));
        const QString path = f.shelf + u"/Hondana.ruv"_s;
        switch (kind) {
        case Kind::File:
            QVERIFY(putFileBytes(path, bytes));
            break;
        case Kind::Fifo:
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            break;
        case Kind::Folder:
            QVERIFY(QDir().mkdir(path));
            break;
        case Kind::Missing:
            break;
        }
        f.viewer.state.shelfFolder = f.shelf;
    }

    // The register window on a book of one page.
    static std::unique_ptr<Form5> registerWindow(ShelfFixture& f)
    {
        f.viewer.state.shownPagePath = f.viewer.makeBook(1, u"new book"_s) + u"/p1.jpg"_s;
        auto form = std::make_unique<Form5>(f.platform().platform(), f.viewer.state);
        form->Form_Load();
        return form;
    }

private Q_SLOTS:
    void shelfFiles_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QByteArray>("bytes");
        // The books the windows show; -1 for whatever the garbage holds.
        QTest::addColumn<int>("books");
        // Whether the file reads as not fully understood.
        QTest::addColumn<bool>("damaged");

        const QByteArray twelve = records(12);
        QTest::newRow("full-width space before the count")
            << Kind::File << inCodePage("　12\r\n" + twelve) << 12 << false;
        QTest::newRow("full-width digits") << Kind::File << inCodePage("１２\r\n" + twelve) << 12 << false;
        QTest::newRow("byte-order mark") << Kind::File << "\xEF\xBB\xBF 12 \r\n" + twelve << 12 << false;
        QTest::newRow("tab") << Kind::File << inCodePage("\t12 \r\n" + twelve) << 12 << false;
        QTest::newRow("no final CR LF")
            << Kind::File << inCodePage(" 12 \r\n" + twelve).chopped(2) << 12 << false;
        QTest::newRow("missing file") << Kind::Missing << QByteArray() << 0 << false;

        QByteArray garbage(4096, Qt::Uninitialized);
        QRandomGenerator random(7);
        random.fillRange(reinterpret_cast<quint32*>(garbage.data()), garbage.size() / 4);
        QTest::newRow("garbage bytes") << Kind::File << garbage << -1 << true;
        QTest::newRow("count 431") << Kind::File << inCodePage(" 431 \r\n" + records(431)) << 430 << true;
        QTest::newRow("count -1") << Kind::File << inCodePage(" -1 \r\n" + twelve) << 12 << true;
        QTest::newRow("count above the records")
            << Kind::File << inCodePage(" 14 \r\n" + twelve) << 12 << true;
        QTest::newRow("records beyond the count")
            << Kind::File << inCodePage(" 10 \r\n" + twelve) << 10 << true;
        QTest::newRow("a NUL byte") << Kind::File
                                    << inCodePage(" 12 \r\n" + twelve).replace("VOL", QByteArray("V\0L", 3))
                                    << 12 << true;
        QTest::newRow("a 100 MB file")
            << Kind::File << inCodePage(" 12 \r\n" + twelve) + QByteArray(100 * 1024 * 1024, 'x') << 12
            << true;
        QTest::newRow("a FIFO") << Kind::Fifo << QByteArray() << 0 << true;
        QTest::newRow("a folder") << Kind::Folder << QByteArray() << 0 << true;
    }

    // Both windows show what can be read; a damaged file is told by name once.
    void windowsShowWhatCanBeRead_data() { shelfFiles_data(); }
    void windowsShowWhatCanBeRead()
    {
        QFETCH(Kind, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(int, books);
        QFETCH(bool, damaged);
        MemoryShelfFixture f;
        build(f, kind, bytes, 12);

        Form6& shelf = f.open();
        if (books >= 0)
            QCOMPARE(shelf.entryCount(), books);
        QVERIFY(shelf.entryCount() <= shelfTableSize);
        QCOMPARE(shelf.controls().panel(1), u"登録本数 %1 冊"_s.arg(shelf.entryCount()));
        QCOMPARE(titlesOf(f.messages().shown), damaged ? QStringList{noticeTitle} : QStringList());
        if (damaged) {
            QVERIFY(f.messages().shown.at(0).text.contains(f.shelf + u"/Hondana.ruv"_s));
            QCOMPARE(f.messages().shown.at(0).buttons, MessageButtons::Ok);
        }
        if (books > 0)
            QCOMPARE(shelf.entries().constLast().thumbnailFile, u"%1ruv.bmp"_s.arg(books - 1));
        shelf.OWAR();

        f.messages().shown.clear();
        const std::unique_ptr<Form5> form = registerWindow(f);
        QCOMPARE(form->entryCount(), shelf.entryCount());
        QCOMPARE(form->label9(), QString::number(shelf.entryCount() + 1));
        QCOMPARE(titlesOf(f.messages().shown), damaged ? QStringList{noticeTitle} : QStringList());
    }

    // "No", the default, changes nothing on disk, whether registering or saving.
    void noKeepsEverything_data() { shelfFiles_data(); }
    void noKeepsEverything()
    {
        QFETCH(Kind, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, damaged);
        if (!damaged)
            QSKIP("a file read whole is replaced without a question");
        MemoryShelfFixture f;
        build(f, kind, bytes, 12);
        const auto before = stateOf(f.shelf);

        // Registering: the question names the file, No is its default, and the window stays.
        // A full shelf takes no book and asks nothing.
        const std::unique_ptr<Form5> form = registerWindow(f);
        const auto beforeRegistering = stateOf(f.viewer.dir.path());
        f.messages().shown.clear();
        form->Command1_Click();
        const bool full = form->entryCount() >= shelfBookLimit;
        QCOMPARE(titlesOf(f.messages().shown), full ? QStringList() : QStringList{questionTitle});
        if (!full) {
            const FakeMessageBoxes::Shown& question = f.messages().shown.at(0);
            QCOMPARE(question.buttons, MessageButtons::YesNoDefaultNo);
            QVERIFY(question.text.contains(f.shelf + u"/Hondana.ruv"_s));
        }
        QVERIFY(form->isOpen());
        QCOMPARE(stateOf(f.viewer.dir.path()), beforeRegistering);
        QCOMPARE(stateOf(f.shelf), before);

        // Saving: every book deleted, "save the changes?" Yes, "replace the file?" No.
        Form6& shelf = f.open();
        while (shelf.entryCount() > 0) {
            shelf.iconMouseDown(0, Qt::LeftButton);
            shelf.SAKJYO();
        }
        f.messages().answers = {MessageAnswer::Yes, MessageAnswer::No};
        shelf.OWAR();
        QCOMPARE(stateOf(f.shelf), before);
    }

    // "Yes" keeps the old file's exact bytes beside it, then registers; a file that
    // cannot be copied is never replaced. Every thumbnail stays, and the new one takes a
    // name the old file never mentioned.
    void yesKeepsTheOldBytesFirst_data() { shelfFiles_data(); }
    void yesKeepsTheOldBytesFirst()
    {
        QFETCH(Kind, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(int, books);
        QFETCH(bool, damaged);
        MemoryShelfFixture f;
        // Thumbnails beyond those of the records read, as a file with records past its count has.
        build(f, kind, bytes, 14);
        const auto before = stateOf(f.shelf);
        const std::unique_ptr<Form5> form = registerWindow(f);
        const int shown = form->entryCount();
        f.messages().shown.clear();
        f.messages().answers = {MessageAnswer::Yes};
        form->Command1_Click();

        if (shown >= shelfBookLimit) {
            QVERIFY(f.messages().shown.isEmpty());
            QVERIFY(form->isOpen());
            QCOMPARE(stateOf(f.shelf), before);
            return;
        }
        if (kind == Kind::Fifo || kind == Kind::Folder) {
            QCOMPARE(titlesOf(f.messages().shown), (QStringList{questionTitle, failureTitle}));
            QVERIFY(f.messages().shown.at(1).text.contains(f.shelf + u"/Hondana.ruv"_s));
            QVERIFY(form->isOpen());
            QCOMPARE(stateOf(f.shelf), before);
            return;
        }
        QCOMPARE(titlesOf(f.messages().shown), damaged ? QStringList{questionTitle} : QStringList());
        QVERIFY(!form->isOpen());
        if (damaged)
            QCOMPARE(fileBytes(f.shelf + u"/Hondana.ruv.bak"_s), bytes);
        else
            QVERIFY(!QFile::exists(f.shelf + u"/Hondana.ruv.bak"_s));

        // The shelf now in the program's own form, every old thumbnail still there.
        const ShelfReading reading = readShelfFile(f.platform().files, f.shelf);
        QCOMPARE(reading.verdict, ShelfVerdict::Good);
        QCOMPARE(reading.entries.size(), shown + 1);
        const QStringList lines = linesOfText(decodeCodePageText(fileBytes(f.shelf + u"/Hondana.ruv"_s)));
        QCOMPARE(lines.constFirst(), u' ' + QString::number(shown + 1) + u' ');
        if (books >= 0)
            QCOMPARE(shown, books);
        const auto after = stateOf(f.shelf);
        for (const auto& [path, digest] : before)
            QVERIFY2(path == u"Hondana.ruv"_s || after.at(path) == digest, qPrintable(path));
        const QString thumbnail = reading.entries.constLast().thumbnailFile;
        QVERIFY(!before.contains(thumbnail));
        if (damaged)
            QVERIFY(!bytes.contains(thumbnail.toLatin1()));
    }

    // Saving a damaged shelf after a Yes deletes no thumbnail the old file mentioned: the
    // copy kept beside it still names them.
    void savingADamagedShelfKeepsItsThumbnails()
    {
        ShelfFixture f;
        const QByteArray bytes = inCodePage(" 3 \r\n" + records(4));
        build(f, Kind::File, bytes, 4);
        Form6& shelf = f.open();
        QCOMPARE(shelf.entryCount(), 3);
        shelf.iconMouseDown(1, Qt::LeftButton);
        shelf.SAKJYO();
        f.messages().answers = {MessageAnswer::Yes, MessageAnswer::Yes};
        shelf.OWAR();
        QCOMPARE(fileBytes(f.shelf + u"/Hondana.ruv.bak"_s), bytes);
        const ShelfReading reading = readShelfFile(f.platform().files, f.shelf);
        QCOMPARE(reading.verdict, ShelfVerdict::Good);
        QCOMPARE(reading.entries.size(), 2);
        for (int i = 0; i < 4; ++i)
            QVERIFY(f.thumbnailExists(u"%1ruv.bmp"_s.arg(i)));

        // The file is the program's own now: the next deletion removes its thumbnail.
        Form6& again = f.open();
        again.iconMouseDown(0, Qt::LeftButton);
        again.SAKJYO();
        f.messages().answers = {MessageAnswer::Yes};
        again.OWAR();
        QVERIFY(!f.thumbnailExists(u"0ruv.bmp"_s));
        QVERIFY(!QFile::exists(f.shelf + u"/Hondana.ruv.bak1"_s));
    }

    // A copy never takes a name that is there, whatever it is.
    void copiesTakeTheFirstFreeName_data()
    {
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("copy");
        QTest::newRow("none taken") << QStringList() << u"Hondana.ruv.bak"_s;
        QTest::newRow("one taken") << QStringList{u"Hondana.ruv.bak"_s} << u"Hondana.ruv.bak1"_s;
        QTest::newRow("a folder and a link taken")
            << QStringList{u"Hondana.ruv.bak/"_s, u"Hondana.ruv.bak1@"_s} << u"Hondana.ruv.bak2"_s;
    }
    void copiesTakeTheFirstFreeName()
    {
        QFETCH(QStringList, taken);
        QFETCH(QString, copy);
        ShelfFixture f;
        const QByteArray bytes = inCodePage(" 2 \r\n" + records(3));
        build(f, Kind::File, bytes, 3);
        for (const QString& name : taken) {
            const QString path =
                f.shelf + u'/' + name.chopped(name.endsWith(u'/') || name.endsWith(u'@') ? 1 : 0);
            if (name.endsWith(u'/'))
                QVERIFY(QDir().mkdir(path));
            else if (name.endsWith(u'@'))
                QVERIFY(QFile::link(f.viewer.dir.path() + u"/nowhere"_s, path));
            else
                QVERIFY(putFileBytes(path, "an older copy"));
        }
        const auto before = stateOf(f.shelf);
        const std::unique_ptr<Form5> form = registerWindow(f);
        f.messages().answers = {MessageAnswer::Yes};
        form->Command1_Click();
        QVERIFY(!form->isOpen());
        QCOMPARE(fileBytes(f.shelf + u'/' + copy), bytes);
        for (const QString& name : taken) {
            const QString path = name.chopped(name.endsWith(u'/') || name.endsWith(u'@') ? 1 : 0);
            QCOMPARE(stateOf(f.shelf).at(path), before.at(path));
        }
        QVERIFY(!QFile::exists(f.viewer.dir.path() + u"/nowhere"_s));
    }

    // A disk too full for the copy: the write stops, with a message, and nothing changed.
    void aCopyThatDoesNotFitStopsTheWrite()
    {
        FullFileSystem disk(1024);
        if (!disk.isMounted())
            QSKIP("a tmpfs cannot be mounted here");
        ShelfFixture f;
        f.shelf = disk.path();
        const QByteArray bytes = inCodePage(" 40 \r\n" + records(41)) + QByteArray(64 * 1024, 'x');
        build(f, Kind::File, bytes, 0);
        QVERIFY(disk.fillLeaving(16 * 1024));
        const auto before = stateOf(f.shelf);
        const std::unique_ptr<Form5> form = registerWindow(f);
        f.messages().shown.clear();
        f.messages().answers = {MessageAnswer::Yes};
        form->Command1_Click();
        QCOMPARE(titlesOf(f.messages().shown), (QStringList{questionTitle, failureTitle}));
        QVERIFY(form->isOpen());
        QCOMPARE(stateOf(f.shelf), before);
    }

    // With no page on screen there is nothing to register: the command is off, and the
    // register window offers neither the last book's page nor its path.
    void registeringNeedsAPageOnScreen()
    {
        ShelfFixture f;
        f.makeShelf(1);
        f.viewer.open(f.viewer.makeBook(3, u"a book"_s));
        QVERIFY(f.viewer.form.controls().menu(MenuItem::registerBook).enabled);
        QVERIFY(!f.viewer.state.shownPagePath.isEmpty());

        const QString empty = f.viewer.dir.path() + u"/empty"_s;
        QVERIFY(QDir().mkpath(empty));
        f.viewer.open(empty);
        QVERIFY(!f.viewer.form.controls().menu(MenuItem::registerBook).enabled);
        QVERIFY(f.viewer.state.shownPagePath.isEmpty());

        const QByteArray shelfBefore = f.shelfBytes();
        Form5 form(f.platform().platform(), f.viewer.state);
        form.Form_Load();
        QVERIFY(!form.command1Enabled());
        QVERIFY(form.text3().isEmpty());
        QVERIFY(form.text2().isEmpty());
        form.Command1_Click();
        QVERIFY(form.isOpen());
        QCOMPARE(f.shelfBytes(), shelfBefore);
    }

    void copiesAreNamedInTurn()
    {
        QCOMPARE(shelfBackupName(0), u"Hondana.ruv.bak"_s);
        QCOMPARE(shelfBackupName(1), u"Hondana.ruv.bak1"_s);
        QCOMPARE(shelfBackupName(12), u"Hondana.ruv.bak12"_s);
    }
};

QTEST_GUILESS_MAIN(TestDamagedShelf)
#include "tst_damaged_shelf.moc"

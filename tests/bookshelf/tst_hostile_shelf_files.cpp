// Shelf files that no shelf would hold, written by mistake, by another program
// or on purpose: the bookshelf opens on each, reads no thumbnail from outside
// its folder, and neither saving nor registering writes or deletes anything
// outside it or through a link.
#include "bookshelf/form5.h"
#include "bookshelf/shelf_file.h"
#include "shelf_fixture.h"
#include "support/file_bytes.h"
#include "support/folder_snapshot.h"

#include <QRandomGenerator>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

namespace {

// What the shelf folder holds besides its shelf file: thumbnails that are
// plain files, and links, each to a place outside the shelf folder.
struct ShelfSetup
{
    QByteArray shelfFile;
    QStringList plainThumbnails;
    // Name in the shelf folder, target relative to the folder outside it.
    QList<std::pair<QString, QString>> links;
};

// A record as the program writes it; the thumbnail name is taken as it stands.
QByteArray record(const QByteArray& thumbnail, int number = 1)
{
    return "VOL\r\n/books/b" + QByteArray::number(number) + "/p1.jpg\r\nBook " + QByteArray::number(number) +
           "\r\n" + thumbnail + "\r\n";
}

QByteArray shelfOf(const QByteArray& count, int records)
{
    QByteArray bytes = count + "\r\n";
    for (int i = 0; i < records; ++i)
        bytes += record(QByteArray::number(i) + "ruv.bmp", i + 1);
    return bytes;
}

QStringList thumbnails(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QString::number(i) + u"ruv.bmp"_s);
    return names;
}

} // namespace

Q_DECLARE_METATYPE(ShelfSetup)

class TestHostileShelfFiles : public QObject
{
    Q_OBJECT

private:
    static QString outsideOf(const ShelfFixture& f) { return f.viewer.dir.path() + u"/outside"_s; }

    // The shelf folder as the row has it, with a folder of files beside it
    // that nothing may touch.
    static void build(ShelfFixture& f, const ShelfSetup& setup)
    {
        const QString outside = outsideOf(f);
        QDir().mkpath(outside);
        QVERIFY(putFileBytes(outside + u"/x"_s, "a file outside the shelf"));
        QVERIFY(putFileBytes(outside + u"/0ruv.bmp"_s, "BM outside"));
        QVERIFY(putFileBytes(f.shelf + u"/Hondana.ruv"_s, setup.shelfFile));
        for (const QString& name : setup.plainThumbnails)
            QVERIFY(putFileBytes(f.shelf + u'/' + name, "BM"));
        for (const auto& [name, target] : setup.links)
            QVERIFY(QFile::link(outside + u'/' + target, f.shelf + u'/' + name));
        f.viewer.state.shelfFolder = f.shelf;
    }

    // Everything but the shelf folder as it was, and the shelf folder's links too.
    static void checkNothingOutsideChanged(const ShelfFixture& f, const FolderSnapshot& before)
    {
        const QString root = f.viewer.dir.path();
        const FolderSnapshot now = snapshotOf(root);
        QCOMPARE(withoutFolder(now, u"shelf"_s), withoutFolder(before, u"shelf"_s));
        for (const auto& [path, entry] : now) {
            if (entry.startsWith("link:"))
                QCOMPARE(entry, entryOf(before, path).value_or(QByteArray()));
        }
    }

private Q_SLOTS:
    void hostileShelf_data()
    {
        QTest::addColumn<ShelfSetup>("setup");
        // How many books the window then shows; -1 for any number the table holds.
        QTest::addColumn<int>("books");
        // Whether the file reads as not fully understood.
        QTest::addColumn<bool>("damaged");

        QTest::newRow("a thumbnail up out of the folder")
            << ShelfSetup{" 1 \r\n" + record("../outside/x"), {}, {}} << 1 << false;
        QTest::newRow("an absolute thumbnail path")
            << ShelfSetup{" 1 \r\n" + record("/etc/passwd"), {}, {}} << 1 << false;
        QTest::newRow("a backslash path")
            << ShelfSetup{" 1 \r\n" + record("..\\outside\\x"), {}, {}} << 1 << false;
        QTest::newRow("a thumbnail that links out")
            << ShelfSetup{" 1 \r\n" + record("0ruv.bmp"), {}, {{u"0ruv.bmp"_s, u"x"_s}}} << 1 << false;
        QTest::newRow("a dangling link named like the next thumbnail")
            << ShelfSetup{" 1 \r\n" + record("0ruv.bmp"), {u"0ruv.bmp"_s}, {{u"1ruv.bmp"_s, u"new.bmp"_s}}}
            << 1 << false;
        QTest::newRow("a thumbnail named \"..\"")
            << ShelfSetup{" 1 \r\n" + record(".."), {}, {}} << 1 << false;
        QTest::newRow("count 0 before records")
            << ShelfSetup{shelfOf("0", 2), thumbnails(2), {}} << 0 << true;
        QTest::newRow("count -1") << ShelfSetup{shelfOf(" -1 ", 2), thumbnails(2), {}} << 2 << true;
        QTest::newRow("count 429") << ShelfSetup{shelfOf(" 429 ", 429), thumbnails(429), {}} << 429 << false;
        QTest::newRow("count 2^31 with two records")
            << ShelfSetup{shelfOf(" 2147483648 ", 2), thumbnails(2), {}} << 2 << true;
        QTest::newRow("count 1e300") << ShelfSetup{shelfOf(" " + QByteArray(300, '9') + " ", 1), {}, {}} << 1
                                     << true;
        QByteArray garbage(64 * 1024, Qt::Uninitialized);
        QRandomGenerator random(12);
        random.fillRange(reinterpret_cast<quint32*>(garbage.data()), garbage.size() / 4);
        QTest::newRow("binary garbage") << ShelfSetup{garbage, {}, {}} << -1 << true;
        QTest::newRow("garbage after a count") << ShelfSetup{" 5 \r\n" + garbage, {}, {}} << 5 << true;
        QTest::newRow("one 10 MB line") << ShelfSetup{QByteArray(10 * 1024 * 1024, '7'), {}, {}} << 0 << true;
        QTest::newRow("an empty file") << ShelfSetup{QByteArray(), {}, {}} << 0 << true;

        // A shelf of three books cut short in every record: at the start of each
        // line and in its middle. The whole records before the cut are shown; a
        // cut in the last line looks like a last line without its line end.
        const QByteArray whole = shelfOf(" 3 ", 3);
        qsizetype start = 0;
        for (int line = 0; start < whole.size(); ++line) {
            const qsizetype end = whole.indexOf('\n', start) + 1;
            for (const qsizetype cut : {start, (start + end) / 2}) {
                const int linesThere = cut == start ? line : line + 1;
                const int records = linesThere == 0 ? 0 : std::min(3, (linesThere - 1) / 4);
                QTest::addRow("cut in line %d at byte %lld", line + 1, qlonglong(cut))
                    << ShelfSetup{whole.left(cut), thumbnails(3), {}} << records << (linesThere < 13);
            }
            start = end;
        }
    }
    void hostileShelf()
    {
        QFETCH(ShelfSetup, setup);
        QFETCH(int, books);
        QFETCH(bool, damaged);

        // The window opens and reads thumbnails only from plain files in the shelf folder.
        ShelfFixture f;
        build(f, setup);
        const FolderSnapshot before = snapshotOf(f.viewer.dir.path());
        Form6& form = f.open();
        if (books >= 0)
            QCOMPARE(form.entryCount(), books);
        QVERIFY(form.entryCount() <= shelfTableSize);
        QCOMPARE(f.messages().shown.size(), damaged ? 1 : 0);
        for (const QString& path : f.platform().pictures.decoded) {
            const QFileInfo read(path);
            QCOMPARE(QDir::cleanPath(read.absolutePath()), f.shelf);
            QVERIFY2(!read.isSymLink(), qPrintable(path));
        }

        // Deleting every book and saving, agreeing to replace a damaged file, removes
        // nothing outside the shelf folder and keeps the damaged file's bytes. With no
        // book to delete nothing changed, and nothing is written.
        const bool changed = form.entryCount() > 0;
        while (form.entryCount() > 0) {
            form.iconMouseDown(0, Qt::LeftButton);
            form.SAKJYO();
        }
        f.messages().answers = {MessageAnswer::Yes, MessageAnswer::Yes};
        form.OWAR();
        checkNothingOutsideChanged(f, before);
        QVERIFY(readShelfFile(f.platform().files, f.shelf).entries.isEmpty());
        if (damaged && changed)
            QCOMPARE(fileBytes(f.shelf + u"/Hondana.ruv.bak"_s), setup.shelfFile);
        else
            QVERIFY(!QFile::exists(f.shelf + u"/Hondana.ruv.bak"_s));
        if (!changed)
            QCOMPARE(fileBytes(f.shelf + u"/Hondana.ruv"_s), setup.shelfFile);
    }

    void registeringOnAHostileShelf_data() { hostileShelf_data(); }
    void registeringOnAHostileShelf()
    {
        QFETCH(ShelfSetup, setup);
        QFETCH(int, books);
        QFETCH(bool, damaged);
        ShelfFixture f;
        build(f, setup);
        const QString book = f.viewer.makeBook(1, u"new book"_s);
        f.viewer.state.shownPagePath = book + u"/p1.jpg"_s;
        const FolderSnapshot before = snapshotOf(f.viewer.dir.path());
        Form5 form(f.platform().platform(), f.viewer.state);
        form.Form_Load();
        if (books >= 0)
            QCOMPARE(form.entryCount(), books);
        // Past the notice of a damaged file, a Yes to replacing it.
        f.messages().answers = {MessageAnswer::Yes};
        form.Command1_Click();
        checkNothingOutsideChanged(f, before);
        const QList<ShelfEntry> entries = readShelfFile(f.platform().files, f.shelf).entries;
        if (form.entryCount() >= shelfBookLimit) {
            // A full shelf refuses the book and keeps its file as it was.
            QVERIFY(form.isOpen());
            QCOMPARE(fileBytes(f.shelf + u"/Hondana.ruv"_s), setup.shelfFile);
            return;
        }
        // Whatever the shelf held, a shelf with room takes the book once the user agrees, with
        // its thumbnail as a new plain file of the shelf folder whose name no line of the old
        // file mentions; a damaged file is kept beside it first.
        QCOMPARE(f.messages().shown.size(), damaged ? 2 : 0);
        QVERIFY(!form.isOpen());
        QCOMPARE(entries.size(), form.entryCount());
        QCOMPARE(entries.constLast().bookPath, f.viewer.state.shownPagePath);
        const QString name = entries.constLast().thumbnailFile;
        QVERIFY(isBareFileName(name));
        QVERIFY(!entryOf(before, u"shelf/"_s + name));
        QVERIFY(!setup.shelfFile.contains(name.toLatin1() + "\r\n"));
        const QFileInfo thumbnail(f.shelf + u'/' + name);
        QVERIFY(thumbnail.isFile() && !thumbnail.isSymLink());
        if (damaged)
            QCOMPARE(fileBytes(f.shelf + u"/Hondana.ruv.bak"_s), setup.shelfFile);
    }
};

QTEST_GUILESS_MAIN(TestHostileShelfFiles)
#include "tst_hostile_shelf_files.moc"

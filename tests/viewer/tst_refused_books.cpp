#include "platform/readable_name.h"
#include "session/page_list.h"
#include "session/user_messages.h"
#include "support/archive_fixtures.h"
#include "support/file_bytes.h"
#include "support/real_book_fixture.h"
#include "support/unreadable_entry.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <optional>

#include <sys/stat.h>

using namespace ruvo;
using namespace ruvo::test;

namespace {

QList<MemberSpec> pagesOf(QColor color, const QList<QByteArray>& names)
{
    QList<MemberSpec> members;
    for (const QByteArray& name : names)
        members.append({name, pagePicture(color, "PNG", QSize(30, 20))});
    return members;
}

enum class Route
{
    CommandLine,
    Drop,
    Shelf,
    Browser
};

const QList<std::pair<Route, const char*>> routes{{Route::CommandLine, "command line"},
                                                  {Route::Drop, "drop"},
                                                  {Route::Shelf, "shelf"},
                                                  {Route::Browser, "browser"}};

// Paths that cannot be read, each made for real but one, which the file services fail.
enum class Fault
{
    UnreadableFolder,
    FolderFailingToRead,
    FolderOnTheWayUnreadable,
    UnreadableArchive,
    UnreadablePicture,
    NameTooLong,
    PathTooLong,
    Device,
    Fifo,
    FifoNamedAsArchive
};

// Whether the text names the path: whole, or by its start and its end when it is too long
// to be shown whole.
bool namesPath(const QString& text, const QString& path)
{
    const QString shown = readableName(path);
    if (shown.size() <= 160)
        return text.contains(shown);
    return text.contains(shown.left(80)) && text.contains(shown.right(80));
}

} // namespace

class TestRefusedBooks : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Writes the archive beside the open book's and renames it over it, as programs save.
    void replace(const QString& path, const QByteArray& bytes)
    {
        const QString written = putIn(m_dir, QFileInfo(path).fileName() + u".new"_qs, bytes);
        QVERIFY(std::rename(QFile::encodeName(written).constData(), QFile::encodeName(path).constData()) ==
                0);
    }

    // The window as it was before a book was refused: empty at start-up, or the good book of
    // three pages at its first.
    static void theBookStays(const RealBookFixture& f, bool atStart, const QString& good)
    {
        const Form1Controls& c = f.form.controls();
        if (atStart) {
            QVERIFY(f.browser.pages().isEmpty());
            QCOMPARE(c.window.caption, u"Ruvo"_qs);
            QVERIFY(c.picture2.picture.isNull());
            QVERIFY(f.state.shownPagePath.isEmpty());
        } else {
            QCOMPARE(f.browser.pages().folder(), good);
            QCOMPARE(f.browser.pages().count(), 3);
            QCOMPARE(c.window.caption, "Ruvo - " + good);
            QCOMPARE(f.state.shownPagePath, good + u"/1.png"_qs);
            QVERIFY(!c.picture2.picture.isNull());
        }
    }

private Q_SLOTS:
    // A file that cannot be opened as a book is told by name, in the words the other refusals
    // use, on every way a book is opened; the open book stays, and at start-up, where none was
    // open, the window stays empty: the folder the program started in never takes its place.
    void aFileThatIsNoBookIsTold_data()
    {
        QTest::addColumn<int>("route");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<BookFailure>("failure");
        QByteArray noise(4096, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        const QByteArray encrypted = storedZip({{"1.png", pagePicture(Qt::red), true}});
        const QByteArray noPages = storedZip({{"read.txt", "x"}});
        const QList<std::tuple<QString, QByteArray, BookFailure>> files{
            {u"zero.cbz"_qs, QByteArray(), BookFailure::Unreadable},
            {u"random.cbr"_qs, noise, BookFailure::Unreadable},
            {u"locked.cbz"_qs, encrypted, BookFailure::Encrypted},
            {u"empty.cb7"_qs, noPages, BookFailure::NoPages},
        };
        for (const auto& [route, routeName] : routes) {
            for (const auto& [name, bytes, failure] : files) {
                // The browser lists archives told by their content alone.
                if (route == Route::Browser && failure == BookFailure::Unreadable)
                    continue;
                QTest::newRow(qPrintable(QLatin1String(routeName) + u' ' + name))
                    << int(route) << name << bytes << failure;
            }
        }
    }
    void aFileThatIsNoBookIsTold()
    {
        QFETCH(int, route);
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(BookFailure, failure);
        QTemporaryDir folder;
        putIn(folder, u"holiday.jpg"_qs, pagePicture(Qt::green, "JPEG"));
        const QString bad = putIn(folder, name, bytes);
        const QString good =
            putIn(m_dir, u"good.cbz"_qs, storedZip(pagesOf(Qt::red, {"1.png", "2.png", "3.png"})));

        const bool atStart = Route(route) == Route::CommandLine;
        RealBookFixture f(atStart ? bad : QString(), folder.path());
        if (atStart) {
            f.form.afterSplash();
        } else {
            f.open(good);
            QVERIFY(f.fakes.messages.shown.isEmpty());
            if (Route(route) == Route::Drop) {
                f.form.dropFiles({bad, good});
            } else if (Route(route) == Route::Shelf) {
                f.form.openPath(bad);
            } else {
                f.browser.setVisible(true);
                f.browser.Dir1_Change(bad);
                f.browser.Command1_Click();
                // The browser stays to choose another; Cancel returns to the book.
                QVERIFY(f.browser.isVisible());
                f.browser.Command2_Click();
            }
        }
        QCOMPARE(f.fakes.messages.shown.size(), 1);
        QCOMPARE(f.fakes.messages.shown.first().text, Messages::unreadableArchive(bad, failure).text);
        theBookStays(f, atStart, good);
    }

    // A path that cannot be read at all is told by name, with why, on every way a book is
    // opened, and never as a damaged archive; the open book stays, and at start-up the window
    // stays empty. Reading past permission bits as root is put aside on this thread alone.
    void aPathThatCannotBeReadIsTold_data()
    {
        QTest::addColumn<int>("route");
        QTest::addColumn<int>("fault");
        QTest::addColumn<BookFailure>("failure");
        const QList<std::tuple<Fault, const char*, BookFailure>> faults{
            {Fault::UnreadableFolder, "unreadable folder", BookFailure::NoPermission},
            {Fault::FolderFailingToRead, "folder failing to read", BookFailure::ReadFailed},
            {Fault::FolderOnTheWayUnreadable, "page in an unreadable folder", BookFailure::NoPermission},
            {Fault::UnreadableArchive, "unreadable cbz", BookFailure::NoPermission},
            {Fault::UnreadablePicture, "unreadable jpg", BookFailure::NoPermission},
            {Fault::NameTooLong, "name longer than NAME_MAX", BookFailure::NameTooLong},
            {Fault::PathTooLong, "path longer than PATH_MAX", BookFailure::NameTooLong},
            {Fault::Device, "/dev/zero", BookFailure::NotFileOrFolder},
            {Fault::Fifo, "fifo", BookFailure::NotFileOrFolder},
            {Fault::FifoNamedAsArchive, "fifo named cbz", BookFailure::NotFileOrFolder},
        };
        for (const auto& [route, routeName] : routes) {
            for (const auto& [fault, faultName, failure] : faults) {
                // The browser goes to folders only.
                const bool folder = fault == Fault::UnreadableFolder || fault == Fault::FolderFailingToRead;
                if (route == Route::Browser && !folder)
                    continue;
                QTest::newRow(qPrintable(QLatin1String(routeName) + u' ' + QLatin1String(faultName)))
                    << int(route) << int(fault) << failure;
            }
        }
    }
    void aPathThatCannotBeReadIsTold()
    {
        QFETCH(int, route);
        QFETCH(int, fault);
        QFETCH(BookFailure, failure);
        QTemporaryDir folder;
        const QString picture = putIn(folder, u"holiday.jpg"_qs, pagePicture(Qt::green, "JPEG"));
        QVERIFY(QDir(folder.path()).mkdir(u"inner"_qs));
        const QString inner = folder.filePath(u"inner"_qs);
        putIn(folder, u"inner/1.jpg"_qs, pagePicture(Qt::blue, "JPEG"));
        const QString good =
            putIn(m_dir, u"good.cbz"_qs, storedZip(pagesOf(Qt::red, {"1.png", "2.png", "3.png"})));

        QString bad;
        QString locked;
        switch (Fault(fault)) {
        case Fault::UnreadableFolder:
            bad = locked = inner;
            break;
        case Fault::FolderFailingToRead:
            bad = inner;
            break;
        case Fault::FolderOnTheWayUnreadable:
            bad = inner + u"/1.jpg"_qs;
            locked = inner;
            break;
        case Fault::UnreadableArchive:
            bad = locked = putIn(folder, u"locked.cbz"_qs, storedZip(pagesOf(Qt::red, {"1.png"})));
            break;
        case Fault::UnreadablePicture:
            bad = locked = picture;
            break;
        case Fault::NameTooLong:
            bad = folder.filePath(QString(300, u'a') + u".jpg"_qs);
            break;
        case Fault::PathTooLong:
            bad = folder.path() + (u'/' + QString(200, u'b')).repeated(25) + u"/1.jpg"_qs;
            break;
        case Fault::Device:
            bad = u"/dev/zero"_qs;
            break;
        case Fault::Fifo:
        case Fault::FifoNamedAsArchive:
            bad = folder.filePath(Fault(fault) == Fault::Fifo ? u"pipe"_qs : u"pipe.cbz"_qs);
            QCOMPARE(::mkfifo(QFile::encodeName(bad).constData(), 0644), 0);
            break;
        }

        const bool atStart = Route(route) == Route::CommandLine;
        RealBookFixture f(atStart ? bad : QString(), folder.path());
        if (Fault(fault) == Fault::FolderFailingToRead)
            f.fakes.files.readFaults.insert(inner, ReadFault::Failed);
        if (!atStart) {
            f.open(good);
            QVERIFY(f.fakes.messages.shown.isEmpty());
        }
        {
            std::optional<UnreadableEntry> unreadable;
            if (!locked.isEmpty()) {
                unreadable.emplace(locked);
                QVERIFY(unreadable->refusesReading());
            }
            switch (Route(route)) {
            case Route::CommandLine:
                f.form.prepareStart();
                f.form.afterSplash();
                break;
            case Route::Drop:
                f.form.dropFiles({bad, good});
                break;
            case Route::Shelf:
                f.form.openPath(bad);
                break;
            case Route::Browser:
                f.browser.setVisible(true);
                f.browser.Dir1_Change(bad);
                f.browser.Command1_Click();
                // The browser stays to choose another; Cancel returns to the book.
                QVERIFY(f.browser.isVisible());
                f.browser.Command2_Click();
                break;
            }
        }
        QCOMPARE(f.fakes.messages.shown.size(), 1);
        const QString text = f.fakes.messages.shown.first().text;
        QCOMPARE(text, Messages::refusedBook(bad, failure).text);
        QVERIFY(namesPath(text, bad));
        QVERIFY(text != Messages::unreadableArchive(bad, BookFailure::Unreadable).text);
        theBookStays(f, atStart, good);
    }

    // Started without a path, the program shows the folder it started in, as ever.
    void withoutAPathTheStartingFolderShows()
    {
        QTemporaryDir folder;
        putIn(folder, u"holiday.jpg"_qs, pagePicture(Qt::green, "JPEG"));
        RealBookFixture f({}, folder.path());
        f.form.afterSplash();
        QVERIFY(f.fakes.messages.shown.isEmpty());
        QCOMPARE(f.browser.pages().names(), QStringList{u"holiday.jpg"_qs});
        QCOMPARE(f.state.shownPagePath, folder.filePath(u"holiday.jpg"_qs));
    }

    // An archive replaced on disk under the open book is opened again at the next turn: at
    // the page turned to, by name, or at its first page when it holds that name no more; a
    // replacement that is no book, or that the reader may not read, is told why, and nothing
    // of the old book stays on screen.
    void aReplacedArchiveIsOpenedAgain_data()
    {
        QTest::addColumn<QByteArray>("replacement");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("shownIndex");
        QTest::newRow("same names, new pages")
            << storedZip(pagesOf(Qt::blue, {"p1.png", "p2.png", "p3.png"})) << false
            << QStringList({u"p1.png"_qs, u"p2.png"_qs, u"p3.png"_qs}) << 2;
        QTest::newRow("the page is gone")
            << storedZip(pagesOf(Qt::blue, {"q1.png", "q2.png", "q3.png"})) << false
            << QStringList({u"q1.png"_qs, u"q2.png"_qs, u"q3.png"_qs}) << 0;
        QTest::newRow("no book any more") << QByteArray(300, 'x') << false << QStringList() << 0;
        QTest::newRow("no longer readable by the reader")
            << storedZip(pagesOf(Qt::blue, {"p1.png", "p2.png", "p3.png"})) << true << QStringList() << 0;
        QTest::newRow("taken away") << QByteArray() << false << QStringList() << 0;
    }
    void aReplacedArchiveIsOpenedAgain()
    {
        QFETCH(QByteArray, replacement);
        QFETCH(bool, locked);
        QFETCH(QStringList, names);
        QFETCH(int, shownIndex);
        const QString path = putIn(m_dir, u"replaced.cbz"_qs,
                                   storedZip(pagesOf(Qt::red, {"p1.png", "p2.png", "p3.png", "p4.png"})));
        RealBookFixture f;
        f.open(path);
        QCOMPARE(f.browser.pages().count(), 4);
        const bool takenAway = replacement.isEmpty();
        if (takenAway)
            QVERIFY(QFile::remove(path));
        else
            replace(path, replacement);
        {
            std::optional<UnreadableEntry> unreadable;
            if (locked) {
                unreadable.emplace(path);
                QVERIFY(unreadable->refusesReading());
            }
            f.form.NEXTP_Click();
        }
        const Form1Controls& c = f.form.controls();
        QCOMPARE(f.browser.pages().names(), names);
        if (names.isEmpty()) {
            const BookFailure failure = locked ? BookFailure::NoPermission : BookFailure::Unreadable;
            QCOMPARE(f.fakes.messages.shown.size(), 1);
            QCOMPARE(f.fakes.messages.shown.first().text, takenAway
                                                              ? Messages::missingFile(path).text
                                                              : Messages::refusedBook(path, failure).text);
            QVERIFY(c.picture2.picture.isNull());
            QVERIFY(c.picture3.picture.isNull());
            QCOMPARE(c.statusBar.panel(1), u"0 / 0"_qs);
            return;
        }
        QVERIFY(f.fakes.messages.shown.isEmpty());
        QCOMPARE(f.state.shownPagePath, path + u'/' + names.at(shownIndex));
        QCOMPARE(c.picture2.picture.pixelColor(0, 0), QColor(Qt::blue));
        if (!c.picture3.picture.isNull())
            QCOMPARE(c.picture3.picture.pixelColor(0, 0), QColor(Qt::blue));
    }

    // A book of more pages than the list can hold shows the first of them, and says so, with
    // the count, once for the book.
    void pagesBeyondTheListAreTold()
    {
        QList<MemberSpec> members;
        const int count = PageList::maximumCount + 2;
        const QByteArray page = pagePicture(Qt::red);
        for (int i = 0; i < count; ++i)
            members.append({"p" + QByteArray::number(i).rightJustified(5, '0') + ".png", page});
        const QString path = putIn(m_dir, u"huge.cbz"_qs, storedZip(members));
        RealBookFixture f;
        f.open(path);
        QCOMPARE(f.browser.pages().count(), PageList::maximumCount);
        QCOMPARE(f.fakes.messages.shown.size(), 1);
        QCOMPARE(f.fakes.messages.shown.first().text, Messages::pagesLeftOut(path, count).text);
        QVERIFY(f.fakes.messages.shown.first().text.contains(QString::number(count)));
        f.form.openPath(path + u"/p00004.png"_qs);
        QCOMPARE(f.state.shownPagePath, path + u"/p00004.png"_qs);
        QCOMPARE(f.fakes.messages.shown.size(), 1);
    }
};

QTEST_MAIN(TestRefusedBooks)
#include "tst_refused_books.moc"

#include "books/books.h"
#include "commands/control_names.h"
#include "commands/key_map.h"
#include "session/positions_file.h"
#include "support/archive_fixtures.h"
#include "support/file_bytes.h"
#include "support/viewer_fixture.h"
#include "viewer/status_texts.h"

#include <QTest>

#include <memory>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

namespace {

// A window whose reading positions live in a state folder of its own, resuming on or off.
struct Reader
{
    explicit Reader(bool resume, const QString& stateFolder = QString()) : f(false)
    {
        f.platform.process.state = stateFolder.isEmpty() ? f.dir.filePath(u"state"_s) : stateFolder;
        f.form.Form_Load();
        if (resume)
            f.form.menuClick(MenuItem::resume);
    }

    QString state() const { return f.platform.process.state; }
    QString shown() const { return f.shownPages(); }
    void turn(int times)
    {
        for (int i = 0; i < times; ++i)
            f.form.NEXTP_Click();
    }
    QString notice() const { return f.form.controls().statusBar.notice; }

    ViewerFixture f;
};

QString cbz(const QString& path, int pages, const QByteArray& salt = {})
{
    QList<MemberSpec> members;
    for (int i = 1; i <= pages; ++i)
        members.append(
            MemberSpec{"p" + QByteArray::number(i) + ".jpg", "page " + salt + QByteArray::number(i)});
    [&] { QVERIFY(putFileBytes(path, storedZip(members))); }();
    return path;
}

} // namespace

class TestResume : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A book left at pages 5-6 and opened again by each way there is, resuming on and off.
    void everyWayOfOpeningABook_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<bool>("resume");
        QTest::addColumn<QString>("shown");
        // As a whole: where it was left, with resuming on; at its start, as ever, with it off.
        for (const QString& route : {u"path"_s, u"browser's OK"_s, u"recent"_s}) {
            QTest::addRow("%s, on", qPrintable(route)) << route << true << u"5-6"_s;
            QTest::addRow("%s, off", qPrintable(route)) << route << false << u"1-2"_s;
        }
        // A page of it: that page, whatever the switch says.
        for (const bool resume : {true, false}) {
            const char* on = resume ? "on" : "off";
            QTest::addRow("a page's path, %s", on) << u"page"_s << resume << u"2-3"_s;
            QTest::addRow("a page chosen in the browser, %s", on)
                << u"browser's page"_s << resume << u"3-4"_s;
            QTest::addRow("the shelf, %s", on) << u"shelf"_s << resume << u"1-2"_s;
        }
    }
    void everyWayOfOpeningABook()
    {
        QFETCH(QString, route);
        QFETCH(bool, resume);
        QFETCH(QString, shown);
        Reader r(resume);
        const QString book = r.f.makeBook(8, u"A"_s);
        r.f.open(book);
        r.turn(2);
        QCOMPARE(r.shown(), u"5-6"_s);
        r.f.open(r.f.makeBook(3, u"B"_s));

        if (route == u"path") {
            r.f.open(book);
        } else if (route == u"page") {
            r.f.open(book + u"/p2.jpg"_s);
        } else if (route == u"recent") {
            r.f.form.openRecentBook(book);
        } else if (route == u"shelf") {
            r.f.form.openPath(book);
        } else {
            // The browser lists the book; OK with no page chosen, or with its third chosen.
            r.f.browser.setBook(r.f.platform.books.open(book));
            const bool pageChosen = route == u"browser's page";
            r.f.form.openChosenFolder(pageChosen ? 2 : 0, pageChosen);
        }
        QCOMPARE(r.shown(), shown);
        QCOMPARE(r.notice(), shown == u"5-6" ? StatusText::resumedAt(4) : QString());
    }

    // A book is known by its path and, for an archive, the file itself: another file put at
    // its path opens at its start.
    void anArchiveIsKnownByItsFile()
    {
        Reader r(true);
        const QString book = cbz(r.f.dir.filePath(u"Vol01.cbz"_s), 10);
        r.f.open(book);
        r.turn(3);
        QCOMPARE(r.shown(), u"7-8"_s);
        r.f.open(r.f.makeBook(2, u"B"_s));
        r.f.open(book);
        QCOMPARE(r.shown(), u"7-8"_s);
        r.f.open(r.f.makeBook(2, u"B"_s));
        cbz(book, 10, "other ");
        r.f.open(book);
        QCOMPARE(r.shown(), u"1-2"_s);
        QVERIFY(r.notice().isEmpty());
    }

    // Read to its last spread, a book starts over; a page gone since, at its start too.
    void theEndAndAGonePageStartOver_data()
    {
        QTest::addColumn<int>("turns");
        QTest::addColumn<bool>("removeThePage");
        QTest::addColumn<QString>("shown");
        QTest::newRow("left in the middle") << 1 << false << u"3-4"_s;
        QTest::newRow("read to the end") << 2 << false << u"1-2"_s;
        QTest::newRow("its page gone") << 1 << true << u"1-2"_s;
    }
    void theEndAndAGonePageStartOver()
    {
        QFETCH(int, turns);
        QFETCH(bool, removeThePage);
        QFETCH(QString, shown);
        Reader r(true);
        const QString book = r.f.makeBook(5, u"A"_s);
        r.f.open(book);
        r.turn(turns);
        r.f.open(r.f.makeBook(2, u"B"_s));
        if (removeThePage)
            QVERIFY(QFile::remove(book + u"/p3.jpg"_s));
        r.f.open(book);
        QCOMPARE(r.shown(), shown);
    }

    // Positions outlive the window: one closed at a page, and a new one over the same state
    // folder, open the book there, and start with it from the command line.
    void aNewWindowResumesWhereTheLastLeft()
    {
        QTemporaryDir state;
        QString book;
        {
            Reader first(true, state.path());
            book = first.f.makeBook(9, u"A"_s);
            first.f.open(book);
            first.turn(2);
            first.f.form.Form_Unload();
            QVERIFY(QFile::exists(state.filePath(PositionsFile::fileName())));
            // The book stays for the next window.
            first.f.dir.setAutoRemove(false);
        }
        Reader second(true, state.path());
        second.f.open(book);
        QCOMPARE(second.shown(), u"5-6"_s);

        ViewerFixture third(false);
        third.form.menuClick(MenuItem::resume);
        third.platform.process.state = state.path();
        third.platform.process.commandLineText = book;
        third.form.prepareStart();
        QCOMPARE(third.platform.pages.prefetched.value(0),
                 QStringList({book + u"/p5.jpg"_s, book + u"/p6.jpg"_s}));
        third.form.Form_Load();
        third.form.afterSplash();
        QCOMPARE(third.index(), 5);
        QVERIFY(third.form.fields().spreadShown);
        QCOMPARE(third.form.controls().statusBar.notice, StatusText::resumedAt(4));
        QDir(QFileInfo(book).path()).removeRecursively();
    }

    // The reader's shift is remembered with the page: the page it stood alone comes back alone.
    void theShiftIsRemembered()
    {
        Reader r(true);
        r.f.form.menuClick(MenuItem::widePagesAlone);
        const QString book = r.f.makeShapedBook(u"PPPPPPPP"_s, u"A"_s);
        r.f.open(book);
        r.turn(1);
        r.f.form.menuClick(MenuItem::shiftPairs);
        QCOMPARE(r.shown(), u"3"_s);
        r.f.open(r.f.makeBook(2, u"B"_s));
        r.f.open(book);
        QCOMPARE(r.shown(), u"3"_s);
        r.turn(1);
        QCOMPARE(r.shown(), u"4-5"_s);
    }

    // Home and End: the first and the last spread, as turning comes to them.
    void homeAndEnd_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<bool>("onePage");
        QTest::addColumn<QString>("last");
        QTest::newRow("an even book") << 6 << false << u"5-6"_s;
        QTest::newRow("an odd book") << 7 << false << u"7"_s;
        QTest::newRow("one page at a time") << 6 << true << u"6"_s;
        QTest::newRow("a single page") << 1 << false << u"1"_s;
    }
    void homeAndEnd()
    {
        QFETCH(int, pages);
        QFETCH(bool, onePage);
        QFETCH(QString, last);
        Reader r(false);
        r.f.setOnePageMode(onePage);
        r.f.open(r.f.makeBook(pages, u"A"_s));
        r.f.form.Form_KeyDown(KeyCode::End, 0);
        QCOMPARE(r.shown(), last);
        QVERIFY(!r.f.nextEnabled());
        r.f.form.Form_KeyDown(KeyCode::Home, 0);
        QCOMPARE(r.shown(), onePage || pages == 1 ? u"1"_s : u"1-2"_s);
        QVERIFY(!r.f.previousEnabled());
    }

    // With wide pages alone, End pairs the last two pages unless either is wide.
    void endFollowsThePagesShapes_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("before");
        QTest::newRow("two plain pages") << u"PPPPP"_s << u"4-5"_s << u"2-3"_s;
        QTest::newRow("the last wide") << u"PPPPW"_s << u"5"_s << u"3-4"_s;
        QTest::newRow("the one before wide") << u"PPPWP"_s << u"5"_s << u"4"_s;
    }
    void endFollowsThePagesShapes()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, last);
        QFETCH(QString, before);
        Reader r(false);
        r.f.form.menuClick(MenuItem::widePagesAlone);
        r.f.open(r.f.makeShapedBook(pattern, u"A"_s));
        r.f.form.Form_KeyDown(KeyCode::End, 0);
        QCOMPARE(r.shown(), last);
        r.f.form.PRVP_Click();
        QCOMPARE(r.shown(), before);
    }

    // ] and [ open the books beside the open one in the browser's order, folders and archives
    // alike, passing over a folder without pages; the end of a book names the next one.
    void theNextVolume()
    {
        Reader r(true);
        const QString a = r.f.makeBook(3, u"Vol1"_s);
        const QString b = cbz(r.f.dir.filePath(u"Vol2.cbz"_s), 3);
        QVERIFY(QDir().mkpath(r.f.dir.filePath(u"Vol3/extras"_s)));
        const QString d = r.f.makeBook(2, u"Vol4"_s);
        r.f.open(a);
        QVERIFY(r.notice().isEmpty());
        r.turn(1);
        QCOMPARE(r.shown(), u"3"_s);
        QCOMPARE(r.notice(), StatusText::nextVolume(u"Vol2.cbz"_s, u"]"_s));
        r.f.form.Form_KeyDown(KeyCode::BracketRight, 0);
        QCOMPARE(r.f.form.controls().window.caption, u"Ruvo - "_s + b);
        r.f.form.Form_KeyDown(KeyCode::BracketRight, 0);
        QCOMPARE(r.f.form.controls().window.caption, u"Ruvo - "_s + d);
        // The last of them names none, and goes no further.
        r.f.form.Form_KeyDown(KeyCode::End, 0);
        QVERIFY(r.notice().isEmpty());
        r.f.form.Form_KeyDown(KeyCode::BracketRight, 0);
        QCOMPARE(r.f.form.controls().window.caption, u"Ruvo - "_s + d);
        r.f.form.menuClick(MenuItem::previousBook);
        QCOMPARE(r.f.form.controls().window.caption, u"Ruvo - "_s + b);
        // The first volume, left at its end, starts over.
        r.f.form.Form_KeyDown(KeyCode::BracketLeft, 0);
        QCOMPARE(r.f.form.controls().window.caption, u"Ruvo - "_s + a);
        QCOMPARE(r.shown(), u"1-2"_s);
    }

    // The books read last, the most recent first, those gone left out, ten at most.
    void recentBooks()
    {
        Reader r(true);
        QStringList books;
        for (int i = 0; i < 12; ++i) {
            books.append(r.f.makeBook(2, u"Book %1"_s.arg(i, 2, 10, QLatin1Char('0'))));
            r.f.open(books.last());
        }
        QVERIFY(QDir(books.at(9)).removeRecursively());
        r.f.open(books.at(0));
        QStringList listed;
        for (const RecentBook& book : r.f.form.recentBooks())
            listed.append(book.label);
        // The open book is remembered when it is left; Book 11 was left last.
        QCOMPARE(listed, QStringList({u"Book 11"_s, u"Book 10"_s, u"Book 08"_s, u"Book 07"_s, u"Book 06"_s,
                                      u"Book 05"_s, u"Book 04"_s, u"Book 03"_s, u"Book 02"_s, u"Book 01"_s}));
        QCOMPARE(r.f.form.recentBooks().constFirst().path, books.at(11));
    }

    // A positions file that cannot be read: one line in the status bar, reading goes on, and
    // the file is kept aside before the first new one is written.
    void aDamagedFileIsSaidOnce()
    {
        QTemporaryDir state;
        QVERIFY(putFileBytes(state.filePath(PositionsFile::fileName()), "garbage"));
        Reader r(true, state.path());
        QCOMPARE(r.notice(), StatusText::positionsLost());
        const QString book = r.f.makeBook(6, u"A"_s);
        r.f.open(book);
        QCOMPARE(r.notice(), StatusText::positionsLost());
        r.turn(1);
        QVERIFY(r.notice().isEmpty());
        r.f.open(r.f.makeBook(2, u"B"_s));
        QCOMPARE(fileBytes(state.filePath(PositionsFile::fileName() + u".bak"_s)), "garbage"_ba);
        r.f.open(book);
        QCOMPARE(r.shown(), u"3-4"_s);
    }

    // The switch is remembered under the program's own key; the window settings are untouched.
    void theSwitchIsRemembered()
    {
        Reader r(false);
        QVERIFY(!r.f.form.controls().menu(MenuItem::resume).checked);
        r.f.form.menuClick(MenuItem::resume);
        QVERIFY(r.f.form.controls().menu(MenuItem::resume).checked);
        QCOMPARE(r.f.platform.settings.writes, QStringList({u"ruvo/reading/resumeBooks=1"_s}));

        // Never chosen, it is on.
        ViewerFixture unset(false);
        unset.platform.settings.values.remove(FakeSettings::path(u"ruvo"_s, u"reading"_s, u"resumeBooks"_s));
        Form1 form(unset.platform.platform(), unset.state, unset.browser);
        QVERIFY(form.controls().menu(MenuItem::resume).checked);
    }
};

QTEST_MAIN(TestResume)
#include "tst_resume.moc"

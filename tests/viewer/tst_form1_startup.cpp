#include "browse/form2.h"
#include "commands/command_group.h"
#include "commands/toolbar_table.h"
#include "display/page_fitting.h"
#include "support/test_platform.h"
#include "support/view_modes.h"
#include "viewer/form1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

namespace {

struct Fixture
{
    TestPlatform platform;
    ViewerState state;
    Form2 browser{platform.platform()};
    Form1 form{platform.platform(), state, browser};
};

} // namespace

class TestForm1Startup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyStoreGivesTheDefaultWindow()
    {
        Fixture f;
        f.form.Form_Load();
        const Form1Controls& c = f.form.controls();
        QCOMPARE(c.window.state, WindowShowState::Normal);
        QCOMPARE(c.window.width, 9600);
        QCOMPARE(c.window.height, 7200);
        QCOMPARE(c.nori.backColor, 0);
        QCOMPARE(c.picture1.backColor, 0);
        QCOMPARE(c.picture4.backColor, 0);
        QVERIFY(f.platform.settings.writes.isEmpty());
    }

    void restoredWindow_data()
    {
        QTest::addColumn<QString>("botan");
        QTest::addColumn<QString>("sizew");
        QTest::addColumn<QString>("sizeh");
        QTest::addColumn<QString>("col");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("color");
        QTest::newRow("stored values") << "0"
                                       << "12000"
                                       << "9000"
                                       << "11772145" << 0 << 12000 << 9000 << 11772145;
        QTest::newRow("narrow width raised") << "0"
                                             << "1200"
                                             << "7200"
                                             << "0" << 0 << 3000 << 7200 << 0;
        QTest::newRow("low height raised") << "0"
                                           << "9600"
                                           << "2999"
                                           << "0" << 0 << 9600 << 3000 << 0;
        QTest::newRow("exactly the minimum") << "0"
                                             << "3000"
                                             << "3000"
                                             << "0" << 0 << 3000 << 3000 << 0;
        QTest::newRow("maximised") << "2"
                                   << "9000"
                                   << "6000"
                                   << "255" << 2 << 9000 << 6000 << 255;
        QTest::newRow("empty values read as 0") << ""
                                                << ""
                                                << ""
                                                << "" << 0 << 3000 << 3000 << 0;
        QTest::newRow("garbage reads as 0") << "x"
                                            << "abc"
                                            << "-50"
                                            << "red" << 0 << 3000 << 3000 << 0;
        QTest::newRow("leading numbers") << "2 "
                                         << " 8000twips"
                                         << "6000.4"
                                         << "65280;" << 2 << 8000 << 6000 << 65280;
        QTest::newRow("unknown state handed on") << "7"
                                                 << "9600"
                                                 << "7200"
                                                 << "0" << 7 << 9600 << 7200 << 0;
    }
    void restoredWindow()
    {
        QFETCH(QString, botan);
        QFETCH(QString, sizew);
        QFETCH(QString, sizeh);
        QFETCH(QString, col);
        Fixture f;
        f.platform.settings.set("botan", botan);
        f.platform.settings.set("sizew", sizew);
        f.platform.settings.set("sizeh", sizeh);
        f.platform.settings.set("col", col);
        f.form.Form_Load();
        const Form1Controls& c = f.form.controls();
        QTEST(c.window.state, "state");
        QTEST(c.window.width, "width");
        QTEST(c.window.height, "height");
        QTEST(c.nori.backColor, "color");
        QTEST(c.picture1.backColor, "color");
        QTEST(c.picture4.backColor, "color");
    }

    void loadSetsUpTheControls()
    {
        Fixture f;
        f.form.controls().picture2.move(15, 30, 600, 900);
        f.form.controls().picture3.move(45, 60, 600, 900);
        f.form.Form_Load();
        const Form1Controls& c = f.form.controls();
        for (const char* control : {"StatusBar1", "Frame2", "Command2"})
            QCOMPARE(c.fontNames.value(QLatin1String(control)), QStringLiteral("ＭＳ Ｐゴシック"));
        QVERIFY(!c.menu(MenuItem::stretch).checked);
        QVERIFY(!c.menu(MenuItem::onePage).checked);
        QVERIFY(!c.menu(MenuItem::nextPage).enabled);
        QVERIFY(!c.menu(MenuItem::previousPage).enabled);
        for (const Surface* page : {&c.picture2, &c.picture3}) {
            QCOMPARE(page->left, 0);
            QCOMPARE(page->top, 0);
            QCOMPARE(page->width, 0);
            QCOMPARE(page->height, 0);
        }
        QVERIFY(!isGroupEnabled(c, CommandGroup::Placements));
        for (int index : {9, 10, 11, 12, 13})
            QVERIFY(!c.button(index).enabled);
        QCOMPARE(f.form.fields().scrollStep, 75);
        QCOMPARE(c.slider1.minimum, 0);
        QCOMPARE(c.slider1.maximum, 150);
        QCOMPARE(c.slider1.smallChange, 1);
        QCOMPARE(c.slider1.largeChange, 10);
        QCOMPARE(c.slider1.tickFrequency, 15);
        QCOMPARE(c.slider1.value, 75);
        QCOMPARE(c.label1, QStringLiteral("75"));
        QCOMPARE(c.window.caption, QStringLiteral("Ruvo"));
    }

    void loadReadsTheProcessAndTheRecordFile_data()
    {
        QTest::addColumn<bool>("atRoot");
        QTest::newRow("program folder") << false;
        QTest::newRow("program folder at the root") << true;
    }
    void loadReadsTheProcessAndTheRecordFile()
    {
        QFETCH(bool, atRoot);
        QTemporaryDir dir;
        Fixture f;
        f.platform.process.commandLineText = dir.path() + "/本 1";
        f.platform.process.folder = atRoot ? QStringLiteral("/") : dir.path() + "/";
        f.form.Form_Load();
        QCOMPARE(f.state.commandLine, dir.path() + "/本 1");
        QCOMPARE(f.state.programFolder, atRoot ? QString() : dir.path());
        // No record file: the default shelf of the program folder.
        QCOMPARE(f.state.shelfFolder, atRoot ? QStringLiteral("/data") : dir.path() + "/data");
    }

    void loadTakesTheShelfNamedInTheRecordFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.path() + "/shelf"));
        QFile shelf(dir.path() + "/shelf/Hondana.ruv");
        QVERIFY(shelf.open(QIODevice::WriteOnly));
        shelf.write("0\r\n");
        shelf.close();
        QFile record(dir.path() + "/defruv.ini");
        QVERIFY(record.open(QIODevice::WriteOnly));
        record.write((dir.path() + "/shelf\r\n").toLatin1());
        record.close();
        Fixture f;
        f.platform.process.folder = dir.path();
        f.form.Form_Load();
        QCOMPARE(f.state.shelfFolder, dir.path() + "/shelf");
    }

    void unload_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QStringList>("writes");
        const QString base = QStringLiteral("Dudado/startup/");
        QTest::newRow("normal") << int(WindowShowState::Normal)
                                << QStringList{base + "col=255", base + "sizew=10500", base + "sizeh=8400",
                                               base + "botan=0"};
        QTest::newRow("maximised keeps the normal size")
            << int(WindowShowState::Maximized) << QStringList{base + "col=255", base + "botan=2"};
        QTest::newRow("minimised stores only the colour")
            << int(WindowShowState::Minimized) << QStringList{base + "col=255"};
    }
    void unload()
    {
        QFETCH(int, state);
        QFETCH(QStringList, writes);
        Fixture f;
        f.platform.settings.set("sizew", "9000");
        f.platform.settings.set("sizeh", "6000");
        f.form.Form_Load();
        Form1Controls& c = f.form.controls();
        c.window.state = state;
        c.window.width = 10500;
        c.window.height = 8400;
        c.nori.backColor = 255;
        f.form.Form_Unload();
        QCOMPARE(f.platform.settings.writes, writes);
        QCOMPARE(f.platform.process.exitCount, 1);
        if (state != WindowShowState::Normal) {
            QCOMPARE(f.platform.settings.get("sizew"), QStringLiteral("9000"));
            QCOMPARE(f.platform.settings.get("sizeh"), QStringLiteral("6000"));
        }
    }

    void restartAfterMaximisedCloseOpensMaximised()
    {
        Fixture first;
        first.form.Form_Load();
        first.form.controls().window.state = WindowShowState::Maximized;
        first.form.Form_Unload();

        ViewerState state;
        Form2 browser(first.platform.platform());
        Form1 second(first.platform.platform(), state, browser);
        second.Form_Load();
        QCOMPARE(second.controls().window.state, WindowShowState::Maximized);
        QCOMPARE(second.controls().window.width, 9600);
    }

    void theWindowUnloadsOnce()
    {
        Fixture f;
        f.form.Form_Load();
        f.form.end_Click();
        f.form.Form_Unload();
        QCOMPARE(f.platform.process.exitCount, 1);
        QCOMPARE(f.platform.settings.writes.size(), 4);
    }

    void exitButtonUnloads()
    {
        Fixture f;
        f.form.Form_Load();
        f.form.Toolbar1_ButtonClick(MainToolbar::quit);
        QCOMPARE(f.platform.process.exitCount, 1);
        QVERIFY(f.form.isUnloaded());
        QCOMPARE(f.platform.settings.get("botan"), QStringLiteral("0"));
    }

    void afterSplash_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<bool>("told");
        QTest::newRow("no path") << "" << QStringList{} << false;
        QTest::newRow("a path with spaces, unchanged") << "%T/my book" << QStringList{"%T/my book"} << false;
        // Said by name, and nothing is opened.
        QTest::newRow("a path that is gone") << "%T/gone book" << QStringList{} << true;
    }
    void afterSplash()
    {
        QFETCH(QString, commandLine);
        QFETCH(QStringList, list);
        QFETCH(bool, told);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.path() + "/my book"));
        commandLine.replace("%T", dir.path());
        list.replaceInStrings("%T", dir.path());
        Fixture f;
        f.platform.process.commandLineText = commandLine;
        f.form.Form_Load();
        Form1Controls& c = f.form.controls();
        c.list1 = QStringList{"/stale/entry"};
        c.nori.width = 9000;
        c.picture1.left = 250;
        c.picture1.width = 12000;
        f.form.afterSplash();
        QCOMPARE(c.list1, list);
        // No page is on screen: there is no frame to place.
        QCOMPARE(c.picture1.left, 250);
        QCOMPARE(f.platform.messages.shown.size(), told ? 1 : 0);
        if (told) {
            QCOMPARE(f.platform.messages.shown.first().text, "ファイルが存在しません\r" + commandLine);
            QCOMPARE(f.platform.messages.shown.first().buttons, MessageButtons::Ok);
        }
    }

    // After the splash the first pages stand where the spread fit puts them in the viewing area
    // as it then is, as a turn to them would: small pages in the middle, large ones against the
    // right edge, never right-aligned for being the first.
    void theFirstPagesAreFittedAfterTheSplash_data()
    {
        QTest::addColumn<QSize>("pageSize");
        QTest::addColumn<bool>("onePage");
        QTest::newRow("a small spread") << QSize(100, 150) << false;
        QTest::newRow("a large spread") << QSize(500, 600) << false;
        QTest::newRow("one small page") << QSize(100, 150) << true;
    }
    void theFirstPagesAreFittedAfterTheSplash()
    {
        QFETCH(QSize, pageSize);
        QFETCH(bool, onePage);
        QTemporaryDir dir;
        for (const char* name : {"p1.jpg", "p2.jpg", "p3.jpg"}) {
            QFile file(dir.path() + '/' + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        Fixture f;
        f.platform.pictures.defaultSize = pageSize;
        f.platform.process.commandLineText = dir.path();
        f.form.Form_Load();
        Form1Controls& c = f.form.controls();
        setOnePage(f.form, onePage);
        // The window has shown at a size of its own meanwhile.
        c.window.scaleWidth = 11000;
        c.window.scaleHeight = 8500;
        f.form.Form_Resize();
        f.form.afterSplash();
        const int spreadWidth = pageSize.width() * 15 * (onePage ? 1 : 2);
        const int spreadHeight = pageSize.height() * 15;
        const FrameFit fit = fitSpread(QSizeF(pageSize * 15), onePage ? QSizeF(0, 0) : QSizeF(pageSize * 15),
                                       QSizeF(c.nori.width, c.nori.height));
        QCOMPARE(c.picture1.width, double(spreadWidth));
        QCOMPARE(c.picture1.height, double(spreadHeight));
        QCOMPARE(c.picture1.left, fit.left);
        QCOMPARE(c.picture1.top, fit.top);
        QCOMPARE(f.form.fields().scrollRange, fit.scrollRange);
        if (spreadWidth < c.nori.width)
            QVERIFY(c.picture1.left > 0 && c.picture1.left + c.picture1.width < c.nori.width);
        else
            QCOMPARE(c.picture1.left + c.picture1.width, c.nori.width);
    }

    // The window that opens draws the first pages before anything is prepared ahead; once it
    // has, the pages around them are, and a later turn prepares at once.
    void theWorkAheadWaitsForTheOpeningWindowsFirstDrawing_data()
    {
        QTest::addColumn<bool>("opening");
        QTest::newRow("a window opening") << true;
        QTest::newRow("a window on screen") << false;
    }
    void theWorkAheadWaitsForTheOpeningWindowsFirstDrawing()
    {
        QFETCH(bool, opening);
        QTemporaryDir dir;
        for (const char* name : {"p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg", "p5.jpg", "p6.jpg"}) {
            QFile file(dir.path() + '/' + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        Fixture f;
        f.platform.process.commandLineText = dir.path();
        f.form.Form_Load();
        if (opening)
            f.form.windowOpening();
        f.form.afterSplash();
        const QStringList around{dir.path() + "/p3.jpg", dir.path() + "/p4.jpg"};
        QCOMPARE(f.platform.pages.prefetched, opening ? QList<QStringList>() : QList<QStringList>{around});

        f.form.pagesDrawn();
        QCOMPARE(f.platform.pages.prefetched, QList<QStringList>{around});
        f.form.pagesDrawn();
        QCOMPARE(f.platform.pages.prefetched.size(), 1);
        f.form.MTUGI();
        QCOMPARE(f.platform.pages.prefetched.size(), 2);
        QVERIFY(f.platform.pages.prefetched.last() != around);
    }

    // Before the splash, the pages the command line will open are handed to the decoder to be
    // prepared: exactly the paths the window then asks for, and nothing of the window changes.
    void theCommandLineBookIsPreparedBeforeTheSplash_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QStringList>("prepared");
        QTest::newRow("a folder") << "%B" << QStringList{"%B/p1.jpg", "%B/p2.jpg"};
        QTest::newRow("a folder with a trailing separator") << "%B/" << QStringList{"%B/p1.jpg", "%B/p2.jpg"};
        QTest::newRow("an image in it") << "%B/p2.jpg" << QStringList{"%B/p2.jpg", "%B/p3.jpg"};
        QTest::newRow("its last image") << "%B/p3.jpg" << QStringList{"%B/p3.jpg"};
        QTest::newRow("a book of one page") << "%O" << QStringList{"%O/only.bmp"};
        QTest::newRow("a folder without pages") << "%E" << QStringList{};
        QTest::newRow("a file that is no page") << "%B/notes.txt" << QStringList{};
        QTest::newRow("a path that is gone") << "%B/gone" << QStringList{};
        QTest::newRow("no path") << "" << QStringList{};
    }
    void theCommandLineBookIsPreparedBeforeTheSplash()
    {
        QFETCH(QString, commandLine);
        QFETCH(QStringList, prepared);
        QTemporaryDir dir;
        const QString book = dir.path() + "/book";
        QVERIFY(QDir().mkpath(book) && QDir().mkpath(dir.path() + "/one") &&
                QDir().mkpath(dir.path() + "/empty"));
        for (const char* name : {"p1.jpg", "p2.jpg", "p3.jpg", "notes.txt"}) {
            QFile file(book + '/' + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QFile only(dir.path() + "/one/only.bmp");
        QVERIFY(only.open(QIODevice::WriteOnly));
        const auto resolve = [&](QString text) {
            return text.replace("%B", book)
                .replace("%O", dir.path() + "/one")
                .replace("%E", dir.path() + "/empty");
        };
        for (QString& path : prepared)
            path = resolve(path);

        Fixture f;
        f.platform.process.commandLineText = resolve(commandLine);
        const QString caption = f.form.controls().window.caption;
        f.form.prepareStart();
        QCOMPARE(f.platform.pages.prefetched,
                 prepared.isEmpty() ? QList<QStringList>() : QList<QStringList>{prepared});
        // The window laid out meanwhile, on a folder without pages, still wants them.
        f.form.prepareAhead();
        QCOMPARE(f.platform.pages.prefetched.last(), prepared);
        f.platform.pages.prefetched.removeLast();
        QVERIFY(f.platform.pictures.decoded.isEmpty());
        QCOMPARE(f.state.pageIndex, 0);
        QCOMPARE(f.form.controls().window.caption, caption);

        // The window asks for those very pages when the splash is over.
        f.form.Form_Load();
        f.form.afterSplash();
        QStringList asked;
        for (const PrefetchRequest& request : f.platform.pages.drawRequests)
            asked.append(request.page.path());
        QCOMPARE(asked, prepared);
    }
};

QTEST_GUILESS_MAIN(TestForm1Startup)
#include "tst_form1_startup.moc"

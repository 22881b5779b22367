#include "platform/application_process_service.h"
#include "support/view_modes.h"
#include "support/viewer_fixture.h"
#include "viewer/status_texts.h"

#include <QDir>
#include <QTest>
#include <QUrl>

using namespace ruvo;
using namespace ruvo::test;

class TestForm1Reading : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sevenPagesBothWaysInSpreads()
    {
        ViewerFixture f;
        f.open(f.makeBook(7));
        QCOMPARE(f.index(), 1);
        QCOMPARE(f.panel(3), QStringLiteral("[1] p1.jpg"));
        QCOMPARE(f.panel(2), QStringLiteral("[2] p2.jpg"));
        QCOMPARE(f.panel(1), QStringLiteral("2 / 7"));
        QVERIFY(f.nextEnabled());
        QVERIFY(!f.previousEnabled());

        const QList<int> forward = {3, 5, 6};
        for (int expected : forward) {
            f.form.NEXTP_Click();
            QCOMPARE(f.index(), expected);
        }
        QCOMPARE(f.panel(2), StatusText::lastPageAlone());
        QCOMPARE(f.panel(3), QStringLiteral("[7] p7.jpg"));
        QCOMPARE(f.form.fields().spreadShown, false);
        QVERIFY(!f.nextEnabled());
        QVERIFY(f.previousEnabled());

        const QList<int> backward = {5, 3, 1};
        for (int expected : backward) {
            f.form.PRVP_Click();
            QCOMPARE(f.index(), expected);
            QCOMPARE(f.form.fields().spreadShown, true);
        }
        QCOMPARE(f.panel(3), QStringLiteral("[1] p1.jpg"));
        QVERIFY(!f.previousEnabled());
        QVERIFY(f.platform.pointer.sets >= 3);
        QVERIFY(!f.platform.pointer.isBusy());
    }

    void sevenPagesOneAtATime()
    {
        ViewerFixture f;
        f.setOnePageMode(true);
        f.open(f.makeBook(7));
        QCOMPARE(f.index(), 0);
        QCOMPARE(f.panel(2), StatusText::oneScreenMode());
        for (int expected = 1; expected <= 6; ++expected) {
            f.form.NEXTP_Click();
            QCOMPARE(f.index(), expected);
            QCOMPARE(f.panel(3), QStringLiteral("[%1] p%1.jpg").arg(expected + 1));
        }
        QVERIFY(!f.nextEnabled());
        for (int expected = 5; expected >= 0; --expected) {
            f.form.PRVP_Click();
            QCOMPARE(f.index(), expected);
        }
        QVERIFY(!f.previousEnabled());
        f.form.PRVP_Click();
        QCOMPARE(f.index(), 0);
        QCOMPARE(f.panel(3), QStringLiteral("[1] p1.jpg"));
    }

    void spreadsReadRightToLeft()
    {
        ViewerFixture f;
        f.platform.pictures.sizes.insert("p1.jpg", QSize(300, 400));
        f.platform.pictures.sizes.insert("p2.jpg", QSize(200, 500));
        f.open(f.makeBook(3));
        const Form1Controls& c = f.form.controls();
        QCOMPARE(f.shownColor(c.picture2), f.colorOf("p1.jpg"));
        QCOMPARE(f.shownColor(c.picture3), f.colorOf("p2.jpg"));
        QCOMPARE(c.picture3.left, 0.0);
        QCOMPARE(c.picture2.left, 3000.0);
        QCOMPARE(c.picture1.width, 7500.0);
        QCOMPARE(c.picture1.height, 7500.0);
        QVERIFY(c.picture1.visible);
        QCOMPARE(f.state.shownPagePath, f.dir.path() + "/book/p1.jpg");
    }

    void thePagesAroundAreDecodedAhead()
    {
        ViewerFixture f;
        const QString book = f.makeBook(7);
        f.open(book);
        QCOMPARE(f.platform.pages.prefetched.last(), QStringList({book + "/p3.jpg", book + "/p4.jpg"}));
        f.form.NEXTP_Click();
        QCOMPARE(f.platform.pages.prefetched.last(),
                 QStringList({book + "/p5.jpg", book + "/p6.jpg", book + "/p1.jpg", book + "/p2.jpg"}));
        f.form.NEXTP_Click();
        f.form.NEXTP_Click();
        // From the last page alone, the turn back shows 5-6.
        QCOMPARE(f.platform.pages.prefetched.last(), QStringList({book + "/p5.jpg", book + "/p6.jpg"}));
        f.form.PRVP_Click();
        QCOMPARE(f.panel(3), QStringLiteral("[5] p5.jpg"));
        QCOMPARE(f.panel(2), QStringLiteral("[6] p6.jpg"));
        f.form.NEXTP_Click();
        f.form.ITtyo();
        f.form.PRVP_Click();
        QCOMPARE(f.index(), 5);
        QCOMPARE(f.platform.pages.prefetched.last(), QStringList({book + "/p7.jpg", book + "/p5.jpg"}));
    }

    void threePages()
    {
        ViewerFixture f;
        f.open(f.makeBook(3));
        QCOMPARE(f.index(), 1);
        QCOMPARE(f.panel(1), QStringLiteral("2 / 3"));
        QCOMPARE(f.form.fields().spreadShown, true);
        QCOMPARE(f.form.fields().endCheckArmed, false);

        f.form.PAGESOUSA();
        f.form.TEXCLS();
        f.form.RUVIHENS();
        f.form.RUVINEW1();
        QCOMPARE(f.panel(2), StatusText::lastPageAlone());
        QCOMPARE(f.form.fields().endCheckArmed, true);
        QCOMPARE(f.form.fields().spreadShown, false);
        f.form.GAZOUAWASE();
        f.form.BOTNHANTEI();
        QVERIFY(!f.nextEnabled());

        f.form.PRVP_Click();
        QCOMPARE(f.index(), 1);
        QCOMPARE(f.panel(3), QStringLiteral("[1] p1.jpg"));
        QCOMPARE(f.panel(2), QStringLiteral("[2] p2.jpg"));
    }

    void twoPages()
    {
        ViewerFixture f;
        const QString book = f.makeBook(2);
        f.open(book);
        QCOMPARE(f.index(), 1);
        QVERIFY(!f.nextEnabled());
        QVERIFY(f.previousEnabled());
        f.form.PRVP_Click();
        QCOMPARE(f.index(), 1);
        QCOMPARE(f.panel(3), QStringLiteral("[1] p1.jpg"));

        f.open(book + "/p2.jpg");
        QCOMPARE(f.index(), 1);
        QCOMPARE(f.panel(2), StatusText::lastPageAlone());
        QCOMPARE(f.panel(3), QStringLiteral("[2] p2.jpg"));
        f.form.PRVP_Click();
        QCOMPARE(f.index(), 1);
        QCOMPARE(f.panel(3), QStringLiteral("[1] p1.jpg"));
        QCOMPARE(f.panel(2), QStringLiteral("[2] p2.jpg"));
    }

    void bookOpenedAtAnOddSpread()
    {
        ViewerFixture f;
        f.open(f.makeBook(5) + "/p3.jpg");
        QCOMPARE(f.index(), 3);
        QCOMPARE(f.panel(3), QStringLiteral("[3] p3.jpg"));
        QCOMPARE(f.panel(2), QStringLiteral("[4] p4.jpg"));
        QVERIFY(f.previousEnabled());
        f.form.PRVP_Click();
        QCOMPARE(f.index(), 1);
        QCOMPARE(f.panel(3), QStringLiteral("[1] p1.jpg"));
    }

    void openingAFolderOrAnImage()
    {
        ViewerFixture f;
        const QString book = f.dir.path() + "/mixed";
        QDir().mkpath(book);
        for (const char* name : {"p001.jpg", "P002.JPG", "p003.png"})
            f.touch(book + "/" + name);
        // Held to the basic formats, the PNG is no page.
        f.form.menuClick(MenuItem::allFormats);
        f.open(book);
        QCOMPARE(f.browser.pages().names(), QStringList({"p001.jpg", "P002.JPG"}));
        QCOMPARE(f.panel(1), QStringLiteral("2 / 2"));
        QCOMPARE(f.form.controls().window.caption, "Ruvo - " + book);
        QCOMPARE(f.browser.savedFolder(), book + "/");

        f.open(book + "/P002.JPG");
        QCOMPARE(f.browser.pages().selectedIndex(), 1);
        QCOMPARE(f.index(), 1);
        QCOMPARE(f.panel(3), QStringLiteral("[2] P002.JPG"));
        QCOMPARE(f.panel(2), StatusText::lastPageAlone());
    }

    void aFileNamedInLowerCaseFindsItsEntry()
    {
        ViewerFixture f;
        f.platform.files.listings.insert(f.dir.path(), {"a.JPG", "b.jpg"});
        f.platform.files.existing = {f.dir.path() + "/a.JPG", f.dir.path() + "/b.jpg"};
        f.touch(f.dir.path() + "/B.JPG");
        f.setOnePageMode(true);
        f.open(f.dir.path() + "/B.JPG");
        QCOMPARE(f.index(), 1);
    }

    void whatIsNotABookChangesNothing()
    {
        ViewerFixture f;
        const QString book = f.makeBook(3);
        f.touch(book + "/notes.txt");
        f.open(book + "/p2.jpg");
        const QString caption = f.form.controls().window.caption;
        const QString status = f.panel(3);

        f.open(book + "/notes.txt");
        QCOMPARE(f.platform.modal.shownModeless, QStringList({"Form4"}));
        f.open(book + "/gone.jpg");
        QCOMPARE(f.platform.modal.shownModeless.size(), 1);
        f.browser.setVisible(true);
        f.open(book + "/notes.txt");
        QCOMPARE(f.platform.modal.shownModeless.size(), 1);
        QVERIFY(f.platform.modal.shown.isEmpty());

        QCOMPARE(f.form.controls().window.caption, caption);
        QCOMPARE(f.panel(3), status);
        QCOMPARE(f.index(), 2);
    }

    void everyFolderOpens()
    {
        ViewerFixture f;
        const QString book = f.makeBook(2);
        // Attributes other than "folder" alone (read-only, hidden) still mean a folder.
        f.platform.files.attributeOverrides.insert(book, FileAttribute::Directory | FileAttribute::ReadOnly);
        f.open(book);
        QCOMPARE(f.panel(1), QStringLiteral("2 / 2"));
        QVERIFY(f.platform.modal.shownModeless.isEmpty());
    }

    void anEmptyFolder()
    {
        ViewerFixture f;
        f.open(f.makeBook(3));
        f.open(f.makeBook(0, "empty"));
        QCOMPARE(f.panel(1), QStringLiteral("0 / 0"));
        QCOMPARE(f.index(), 0);
        QVERIFY(!f.nextEnabled());
        QVERIFY(!f.previousEnabled());
        QVERIFY(f.form.controls().picture2.picture.isNull());
        QVERIFY(f.form.controls().picture3.picture.isNull());
        QCOMPARE(f.form.controls().window.caption, "Ruvo - " + f.dir.path() + "/empty");
    }

    void aBookAtTheRoot()
    {
        ViewerFixture f;
        f.platform.files.listings.insert("/", {"b.jpg", "a.jpg"});
        f.platform.files.existing = {"/a.jpg", "/b.jpg"};
        f.open("/");
        QCOMPARE(f.browser.folder(), QStringLiteral("/"));
        QCOMPARE(f.state.shownPagePath, QStringLiteral("/a.jpg"));
        QCOMPARE(f.form.fields().pagePath, QStringLiteral("/b.jpg"));
        QCOMPARE(f.browser.savedFolder(), QStringLiteral("/"));

        f.open("/b.jpg");
        QCOMPARE(f.browser.folder(), QStringLiteral("/"));
        QCOMPARE(f.index(), 1);
    }

    void aPageDeletedAfterListing()
    {
        ViewerFixture f;
        const QString book = f.makeBook(3);
        f.open(book);
        QVERIFY(QFile::remove(book + "/p3.jpg"));
        f.platform.pictures.decoded.clear();
        f.form.NEXTP_Click();
        QCOMPARE(f.platform.messages.shown.size(), 1);
        QCOMPARE(f.platform.messages.shown.first().title, QStringLiteral("ファイルの存在確認"));
        QCOMPARE(f.platform.messages.shown.first().text, "ファイルが存在しません\r" + book + "/p3.jpg");
        // The previous path is shown once more.
        QCOMPARE(f.platform.pictures.decoded, QStringList({book + "/p2.jpg"}));
        QCOMPARE(f.index(), 2);
    }

    // A path from the command line or a drop may be relative to where the program started.
    void relativePathsOpenFromTheWorkingFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("index");
        QTest::newRow("folder") << "book" << 0;
        QTest::newRow("page") << "book/p2.jpg" << 1;
        QTest::newRow("dot segments") << "./book/../book/p3.jpg" << 2;
        QTest::newRow("trailing separator") << "book/" << 0;
    }
    void relativePathsOpenFromTheWorkingFolder()
    {
        QFETCH(QString, path);
        QFETCH(int, index);
        ViewerFixture f;
        const QString book = f.makeBook(3);
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(f.dir.path()));
        setOnePage(f.form, true);
        f.open(path);
        QDir::setCurrent(before);
        QCOMPARE(QDir::cleanPath(f.browser.folder()), QDir::cleanPath(book));
        QCOMPARE(f.index(), index);
        QCOMPARE(f.platform.messages.shown.size(), 0);
    }

    // "Open with" from a file manager: the program is started with the folder or
    // the image as a path or as a file URI.
    void openWithFromAFileManager_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("index");
        QTest::newRow("folder as a path") << "path"
                                          << "" << 0;
        QTest::newRow("image as a path") << "path"
                                         << "p2.jpg" << 1;
        QTest::newRow("folder as a file URI") << "uri"
                                              << "" << 0;
        QTest::newRow("image as a file URI") << "uri"
                                             << "p3.jpg" << 2;
        QTest::newRow("image as a relative path") << "relative"
                                                  << "p2.jpg" << 1;
    }
    void openWithFromAFileManager()
    {
        QFETCH(QString, form);
        QFETCH(QString, page);
        QFETCH(int, index);
        ViewerFixture f(false);
        const QString book = f.makeBook(3, QStringLiteral("漫画 第1巻"));
        const QString path = page.isEmpty() ? book : book + '/' + page;
        QString argument = path;
        if (form == "uri")
            argument = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
        else if (form == "relative")
            argument = QDir(f.dir.path()).relativeFilePath(path);
        if (form == "uri")
            QVERIFY(argument.startsWith("file:///") && argument.contains("%E6%BC%AB%E7%94%BB%20"));
        f.platform.process.commandLineText = ApplicationProcessService::commandLineOf({"ruvo", argument});
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(f.dir.path()));
        f.form.Form_Load();
        f.setOnePageMode(true);
        f.form.afterSplash();
        QDir::setCurrent(before);
        QCOMPARE(QDir::cleanPath(f.browser.folder()), book);
        QCOMPARE(f.index(), index);
        QCOMPARE(f.form.controls().window.caption, "Ruvo - " + f.browser.folder());
        QCOMPARE(f.platform.messages.shown.size(), 0);
    }

    void aWebAddressOnTheCommandLineOpensNothing()
    {
        ViewerFixture f(false);
        f.platform.process.commandLineText =
            ApplicationProcessService::commandLineOf({"ruvo", "https://example.com/book/p1.jpg"});
        f.form.Form_Load();
        const QString caption = f.form.controls().window.caption;
        f.form.afterSplash();
        QVERIFY(f.form.controls().list1.isEmpty());
        QCOMPARE(f.form.controls().window.caption, caption);
        QCOMPARE(f.platform.messages.shown.size(), 0);
        QCOMPARE(f.platform.modal.shownModeless.size(), 0);
    }

    void aMissingFirstPageIsReportedOnce()
    {
        ViewerFixture f;
        const QString book = f.makeBook(3);
        f.platform.files.listings.insert(book, {"a.jpg", "p1.jpg", "p2.jpg", "p3.jpg"});
        setOnePage(f.form, true);
        f.open(book);
        QCOMPARE(f.platform.messages.shown.size(), 1);
        QCOMPARE(f.platform.messages.shown.first().text, "ファイルが存在しません\r" + book + "/a.jpg");
        QVERIFY(!f.platform.pictures.decoded.contains(QString()));
        QCOMPARE(f.form.controls().picture2.picture, f.form.controls().picture5.picture);
    }

    void aDamagedSecondPage()
    {
        ViewerFixture f;
        f.platform.pictures.damaged.insert("p2.jpg");
        const QString book = f.makeBook(3);
        f.open(book);
        QCOMPARE(f.platform.messages.shown.size(), 1);
        QCOMPARE(f.platform.messages.shown.first().title, QStringLiteral("読み込み時のエラー"));
        QCOMPARE(f.platform.messages.shown.first().text, "画像ファイルが破損している可能性があります\r" +
                                                             book + "/p2.jpg" + "を表示できませんでした");
        const Form1Controls& c = f.form.controls();
        QCOMPARE(c.picture3.picture, c.picture5.picture);
        QCOMPARE(c.picture3.width, c.picture5.width);
        QCOMPARE(f.shownColor(c.picture2), f.colorOf("p1.jpg"));
        QCOMPARE(f.panel(3), QStringLiteral("[1] p1.jpg"));
        QCOMPARE(f.panel(2), QStringLiteral("[2] p2.jpg"));
        QVERIFY(f.nextEnabled());
    }

    void firstPagesAtStartUp_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("panel2");
        QTest::newRow("a spread") << 4 << 1 << "[2] p2.jpg";
        QTest::newRow("a single page") << 1 << 0 << StatusText::lastPageAlone();
    }
    void firstPagesAtStartUp()
    {
        QFETCH(int, pages);
        ViewerFixture f(false);
        f.platform.process.current = f.makeBook(pages);
        f.form.Form_Load();
        QTEST(f.index(), "index");
        QTEST(f.panel(2), "panel2");
        QCOMPARE(f.form.controls().window.caption, "Ruvo - " + f.platform.process.current);
        QCOMPARE(f.nextEnabled(), pages > 2);
        QVERIFY(!f.previousEnabled());
        QVERIFY(f.form.controls().picture1.visible);
    }

    void noPagesAtStartUp()
    {
        ViewerFixture f(false);
        f.platform.process.current = f.makeBook(0);
        f.form.Form_Load();
        QCOMPARE(f.form.controls().window.caption, QStringLiteral("Ruvo"));
        QVERIFY(!f.nextEnabled());
        QVERIFY(!f.previousEnabled());
        QVERIFY(f.platform.pictures.decoded.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestForm1Reading)
#include "tst_form1_reading.moc"

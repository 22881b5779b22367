#include "session/book_opener.h"
#include "support/viewer_fixture.h"
#include "viewer/status_texts.h"

#include <QTest>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

namespace {

// A window that shows books, recording what the browser asks of it.
class RecordingOpener : public BookOpener
{
public:
    void openChosenFolder(int firstPage, bool pageChosen) override
    {
        asked.append(QStringLiteral("folder %1").arg(firstPage) + (pageChosen ? u""_s : u" as a whole"_s));
    }
    void openChosenPage(int pageIndex) override { asked.append(QStringLiteral("page %1").arg(pageIndex)); }
    void dropFiles(const QStringList& paths) override { asked.append(u"drop "_s + paths.join(u',')); }
    void openPath(const QString& path) override { asked.append(u"path "_s + path); }
    QImage placeholderPicture() const override { return placeholder; }

    QStringList asked;
    QImage placeholder = QImage(3, 2, QImage::Format_RGB32);
};

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The browser needs no main window: it asks whatever opens books, through four calls.
    void theBrowserAsksOnlyItsBookOpener()
    {
        ViewerFixture f;
        const QString book = f.makeBook(3);
        Form2 browser(f.platform.platform());
        RecordingOpener opener;
        browser.setBookOpener(&opener);
        browser.Dir1_Change(book);
        browser.File1_Click(1);
        browser.Command1_Click();
        browser.File1_DblClick(2);
        browser.dropFiles({book + "/p1.jpg", book + "/p2.jpg"});
        QCOMPARE(opener.asked,
                 QStringList({"folder 1", "page 2", "drop " + book + "/p1.jpg," + book + "/p2.jpg"}));
        // A page that cannot be previewed shows the opener's placeholder.
        f.platform.pictures.damaged.insert(u"p3.jpg"_s);
        browser.Check1_Click(true);
        browser.File1_Click(2);
        QCOMPARE(browser.preview().size(), QSize(3, 2));
    }

    void fullPathsNeverDoubleTheSeparator()
    {
        ViewerFixture f;
        f.platform.files.listings.insert("/", {"a.jpg"});
        f.browser.setFolder("/");
        QCOMPARE(f.browser.pathOf(0), QStringLiteral("/a.jpg"));
        QCOMPARE(f.browser.folder(), QStringLiteral("/"));
        const QString book = f.makeBook(2);
        f.browser.setFolder(book + "/");
        QCOMPARE(f.browser.folder(), book);
        QCOMPARE(f.browser.pathOf(1), book + "/p2.jpg");
        f.browser.MEMOR();
        QCOMPARE(f.browser.savedFolder(), book + "/");
    }

    void countText()
    {
        ViewerFixture f;
        f.browser.setFolder(f.makeBook(12));
        QCOMPARE(f.browser.countText(), QStringLiteral("画像ﾌｧｲﾙ 12 個"));
        f.browser.setFolder(f.makeBook(0, "empty"));
        QCOMPARE(f.browser.countText(), QStringLiteral("画像ﾌｧｲﾙ 0 個"));
    }

    void okWithoutSelectionOpensTheFirstPage()
    {
        ViewerFixture f;
        const QString book = f.makeBook(5);
        f.browser.setVisible(true);
        f.browser.Dir1_Change(book);
        f.browser.Command1_Click();
        QVERIFY(!f.browser.isVisible());
        QCOMPARE(f.index(), 1);
        QCOMPARE(f.panel(3), QStringLiteral("[1] p1.jpg"));
        QCOMPARE(f.form.controls().window.caption, "Ruvo - " + book);
        QCOMPARE(f.browser.pages().selectedIndex(), 0);
        QCOMPARE(f.browser.savedFolder(), book + "/");
    }

    void okOpensAtTheSelectedPage()
    {
        ViewerFixture f;
        f.browser.Dir1_Change(f.makeBook(5));
        f.browser.File1_Click(2);
        f.browser.Command1_Click();
        QCOMPARE(f.index(), 3);
        QCOMPARE(f.panel(3), QStringLiteral("[3] p3.jpg"));
        QCOMPARE(f.form.fields().goingBack, false);
    }

    void okOnAnEmptyFolder()
    {
        ViewerFixture f;
        f.open(f.makeBook(3));
        f.browser.Dir1_Change(f.makeBook(0, "empty"));
        f.browser.Command1_Click();
        QCOMPARE(f.panel(1), QStringLiteral("0 / 0"));
        QCOMPARE(f.index(), 0);
        QVERIFY(!f.nextEnabled());
        QVERIFY(!f.previousEnabled());
        QVERIFY(f.form.controls().picture2.picture.isNull());
    }

    void cancelReturnsToTheOpenBook()
    {
        ViewerFixture f;
        const QString book = f.makeBook(4);
        f.open(book);
        f.browser.setVisible(true);
        f.browser.Dir1_Change(f.makeBook(7, "other"));
        f.browser.Dir1_Change(f.makeBook(0, "empty"));
        QCOMPARE(f.browser.pages().count(), 0);
        f.browser.Command2_Click();
        QVERIFY(!f.browser.isVisible());
        QCOMPARE(f.browser.folder(), book);
        QCOMPARE(f.browser.pages().count(), 4);
        // The main window pages on in the book it shows.
        f.form.NEXTP_Click();
        QCOMPARE(f.panel(3), QStringLiteral("[3] p3.jpg"));
    }

    void closingTheWindowCancels()
    {
        ViewerFixture f;
        const QString book = f.makeBook(2);
        f.open(book);
        f.browser.Dir1_Change(f.makeBook(3, "other"));
        f.browser.Form_Unload();
        QCOMPARE(f.browser.folder(), book);
    }

    void previewOnDoubleClickOnlyPreviews()
    {
        ViewerFixture f;
        f.open(f.makeBook(3));
        const QString other = f.makeBook(5, "other");
        f.browser.setVisible(true);
        f.browser.Dir1_Change(other);
        f.browser.Check1_Click(true);
        f.browser.File1_DblClick(3);
        QVERIFY(f.browser.isVisible());
        QCOMPARE(f.browser.previewShown, true);
        QCOMPARE(f.browser.preview().pixelColor(0, 0), f.colorOf("p4.jpg"));
        QCOMPARE(f.form.controls().window.caption.endsWith("/book"), true);

        f.browser.Image1_Click();
        QVERIFY(!f.browser.isVisible());
        QCOMPARE(f.index(), 4);
        QCOMPARE(f.panel(3), QStringLiteral("[4] p4.jpg"));
        QCOMPARE(f.form.controls().window.caption, "Ruvo - " + other);
    }

    void previewOffDoubleClickOpens()
    {
        ViewerFixture f;
        const QString book = f.makeBook(5);
        f.browser.setVisible(true);
        f.browser.Dir1_Change(book);
        f.browser.File1_DblClick(2);
        QVERIFY(!f.browser.isVisible());
        QVERIFY(f.browser.preview().isNull());
        QCOMPARE(f.index(), 3);
        QCOMPARE(f.form.controls().window.caption, "Ruvo - " + book);
    }

    void clickOnThePreviewBeforeAnyPreviewDoesNothing()
    {
        ViewerFixture f;
        f.browser.setVisible(true);
        f.browser.Dir1_Change(f.makeBook(3));
        f.browser.Check1_Click(true);
        f.browser.Image1_Click();
        QVERIFY(f.browser.isVisible());
        QVERIFY(f.platform.pictures.decoded.isEmpty());
        // A preview, then a folder change: the preview is gone and so is the click.
        f.browser.File1_Click(0);
        f.browser.Dir1_Change(f.makeBook(2, "other"));
        f.browser.Image1_Click();
        QVERIFY(f.browser.isVisible());
    }

    // Ticking the preview box previews the page already chosen; unticking drops it.
    void tickingThePreviewShowsTheChosenPage()
    {
        ViewerFixture f;
        f.browser.Dir1_Change(f.makeBook(3));
        f.browser.Check1_Click(true);
        QVERIFY(f.browser.preview().isNull());
        QVERIFY(!f.browser.previewShown);
        f.browser.Check1_Click(false);
        f.browser.File1_Click(1);
        QVERIFY(f.browser.preview().isNull());
        f.browser.Check1_Click(true);
        QVERIFY(!f.browser.preview().isNull());
        QVERIFY(f.browser.previewShown);
        QCOMPARE(f.platform.pictures.decoded.size(), 1);
        QVERIFY(f.platform.pictures.decoded.constLast().endsWith(u"p2.jpg"_s));
        f.browser.Check1_Click(false);
        QVERIFY(f.browser.preview().isNull());
        QVERIFY(!f.browser.previewShown);
    }

    void aDamagedPreviewShowsTheBlankPicture()
    {
        ViewerFixture f;
        f.platform.pictures.damaged.insert("p2.jpg");
        f.browser.Dir1_Change(f.makeBook(3));
        f.browser.Check1_Click(true);
        f.browser.File1_Click(1);
        QCOMPARE(f.platform.messages.shown.size(), 1);
        QCOMPARE(f.platform.messages.shown.first().text,
                 QStringLiteral("画像ファイルが破損している可能性があります\rp2.jpgを表示できませんでした"));
        QCOMPARE(f.browser.preview(), f.form.controls().picture5.picture);
        QVERIFY(f.browser.okEnabled());
        QCOMPARE(f.browser.previewShown, true);
    }

    void aVanishedFileDisablesOk()
    {
        ViewerFixture f;
        const QString book = f.makeBook(3);
        f.browser.Dir1_Change(book);
        QVERIFY(QFile::remove(book + "/p2.jpg"));
        f.browser.File1_Click(1);
        QVERIFY(!f.browser.okEnabled());
        QCOMPARE(f.platform.messages.shown.first().text, "ファイルが存在しません\r" + book + "/p2.jpg");
        f.browser.File1_Click(0);
        QVERIFY(f.browser.okEnabled());
    }

    void aDriveThatCannotBeReadIsRefused()
    {
        ViewerFixture f;
        const QString book = f.makeBook(2);
        f.browser.Dir1_Change(book);
        QVERIFY(!f.browser.setDrive("/no/such/volume"));
        QCOMPARE(f.platform.messages.shown.first().title, QStringLiteral("デバイスの呼び出し"));
        QCOMPARE(f.platform.messages.shown.first().text, QStringLiteral("デバイスが装備されていません"));
        QCOMPARE(f.browser.folder(), book);
        QVERIFY(f.browser.drives().contains("/"));
    }

    void theShellButtonShowsTheFolder()
    {
        ViewerFixture f;
        const QString book = f.makeBook(1);
        f.browser.Dir1_Change(book);
        f.browser.Command3_Click();
        QCOMPARE(f.platform.shell.foldersShown, QStringList{book});
    }

    void dropsOpenTheFirstPathInDropOrder()
    {
        ViewerFixture f;
        const QString book = f.makeBook(5);
        const QString other = f.makeBook(3, "other");
        f.form.dropFiles({book + "/p4.jpg", book + "/p1.jpg", book + "/p2.jpg"});
        QCOMPARE(f.form.controls().list1.size(), 3);
        QCOMPARE(f.index(), 4);
        QCOMPARE(f.panel(3), QStringLiteral("[4] p4.jpg"));

        f.form.dropFiles({other, book + "/p1.jpg"});
        QCOMPARE(f.browser.folder(), other);
        f.form.dropFiles({book + "/p1.jpg", other});
        QCOMPARE(f.browser.folder(), book);
        QCOMPARE(f.panel(3), QStringLiteral("[1] p1.jpg"));

        // A drop without files (text) changes nothing.
        f.form.dropFiles({});
        QCOMPARE(f.browser.folder(), book);
        QCOMPARE(f.form.controls().list1.size(), 2);
    }

    void dropsOnTheBrowserOpenToo()
    {
        ViewerFixture f;
        const QString book = f.makeBook(3);
        f.touch(book + "/notes.txt");
        f.browser.setVisible(true);
        f.browser.dropFiles({book + "/notes.txt"});
        QVERIFY(f.platform.modal.shownModeless.isEmpty());
        f.browser.dropFiles({book + "/p3.jpg"});
        QCOMPARE(f.browser.folder(), book);
        QCOMPARE(f.index(), 2);
    }
};

QTEST_GUILESS_MAIN(TestForm2)
#include "tst_form2.moc"

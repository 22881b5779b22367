#include "support/viewer_fixture.h"
#include "viewer/empty_area_text.h"
#include "viewer/status_texts.h"

#include <QTest>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

// What the viewing area says while it shows no page of a book.
class TestEmptyAreaText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theTexts()
    {
        QCOMPARE(EmptyAreaText::noBook(),
                 u"フォルダ・画像・アーカイブ・PDFをここにドロップしてください。\n"
                 u"右クリックのメニューの「ファイルを開く」か「本棚を開く」からも開けます。"_s);
        QCOMPARE(EmptyAreaText::noPages(u"/home/me/空"_s),
                 u"「/home/me/空」には開けるページがありません。\n\n"_s + EmptyAreaText::noBook());
    }

    // The folder the file browser starts in is no book on screen, pages or none.
    void startedWithoutABookItSaysHowToOpenOne()
    {
        ViewerFixture f;
        f.browser.setFolder(f.makeBook(2));
        f.form.afterSplash();
        QCOMPARE(f.form.controls().emptyAreaText, EmptyAreaText::noBook());
    }

    void aBookOnTheCommandLineLeavesItSilent()
    {
        ViewerFixture f(false);
        f.platform.process.commandLineText = f.makeBook(3);
        f.form.Form_Load();
        f.form.afterSplash();
        QCOMPARE(f.panel(1), u"2 / 3"_s);
        QVERIFY(f.form.controls().emptyAreaText.isEmpty());
    }

    // A folder of no pages is named; the status bar says what it always said.
    void aFolderOfNoPagesIsNamedUntilABookIsShown()
    {
        ViewerFixture f;
        f.form.afterSplash();
        const QString empty = f.makeBook(0, u"empty"_s);
        f.open(empty);
        QCOMPARE(f.form.controls().emptyAreaText, EmptyAreaText::noPages(empty));
        QCOMPARE(f.panel(1), StatusText::noPages());

        f.open(f.makeBook(2));
        QVERIFY(f.form.controls().emptyAreaText.isEmpty());
        f.form.NEXTP_Click();
        QVERIFY(f.form.controls().emptyAreaText.isEmpty());

        f.open(empty);
        QCOMPARE(f.form.controls().emptyAreaText, EmptyAreaText::noPages(empty));
    }
};

QTEST_GUILESS_MAIN(TestEmptyAreaText)
#include "tst_empty_area_text.moc"

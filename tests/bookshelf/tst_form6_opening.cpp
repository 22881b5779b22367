#include "session/user_messages.h"
#include "shelf_fixture.h"
#include "support/file_bytes.h"
#include "support/pdf_fixtures.h"
#include "support/unreadable_entry.h"

#include <QTest>

#include <optional>

#include <sys/stat.h>

using namespace ruvo;
using namespace ruvo::test;

namespace {
const QString openingTitle = QStringLiteral("本棚からのパスの呼び出し");
}

class TestForm6Opening : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void openingShowsTheRegisteredPage()
    {
        ShelfFixture f;
        QList<ShelfEntry> entries = f.makeShelf(2);
        const QString book = f.viewer.makeBook(3, "three");
        entries[1].bookPath = book + "/p2.jpg";
        writeShelfFile(f.platform().files, f.shelf, entries);
        Form6& form = f.open();
        form.iconMouseDown(1, Qt::LeftButton);
        form.Image1_DblClick(1);
        QVERIFY(f.messages().shown.isEmpty());
        QCOMPARE(f.closeRequests->count(), 1);
        QVERIFY(form.isUnloaded());
        // The main window gets the page file, not its folder, and opens the book there.
        QCOMPARE(f.viewer.form.controls().list1, QStringList{book + "/p2.jpg"});
        QCOMPARE(f.viewer.state.shownPagePath, book + "/p2.jpg");
        QCOMPARE(f.viewer.browser.folder(), book);
    }

    // A page of a PDF is kept as the PDF's path and its number, and opens the PDF there.
    void openingShowsTheRegisteredPageOfAPdf()
    {
        ShelfFixture f;
        QList<ShelfEntry> entries = f.makeShelf(2);
        const QString pdf = f.viewer.dir.path() + QStringLiteral("/Vol05.pdf");
        QVERIFY(putFileBytes(
            pdf, picturePdf(
                     {{Qt::red, QSizeF(30, 20)}, {Qt::green, QSizeF(30, 20)}, {Qt::blue, QSizeF(30, 20)}})));
        entries[1].bookPath = pdf + "/2";
        writeShelfFile(f.platform().files, f.shelf, entries);
        Form6& form = f.open();
        form.iconMouseDown(1, Qt::LeftButton);
        form.Image1_DblClick(1);
        QVERIFY(f.messages().shown.isEmpty());
        QVERIFY(form.isUnloaded());
        QCOMPARE(f.viewer.form.controls().list1, QStringList{pdf + "/2"});
        QCOMPARE(f.viewer.state.shownPagePath, pdf + "/2");
        QCOMPARE(f.viewer.browser.folder(), pdf);
        QCOMPARE(f.viewer.browser.pages().names(), QStringList({"1", "2", "3"}));
    }

    void missingPageShowsNotFoundAndStaysOpen_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("moved page") << "%D/gone/p1.jpg";
        QTest::newRow("no such drive") << "/media/nothing-mounted/book/p1.jpg";
        QTest::newRow("a folder, not a page") << "%D/book1";
    }
    void missingPageShowsNotFoundAndStaysOpen()
    {
        QFETCH(QString, path);
        ShelfFixture f;
        QList<ShelfEntry> entries = f.makeShelf(2);
        entries[0].bookPath = path.replace("%D", f.viewer.dir.path());
        writeShelfFile(f.platform().files, f.shelf, entries);
        Form6& form = f.open();
        const QString shownBefore = f.viewer.state.shownPagePath;
        form.iconMouseDown(0, Qt::LeftButton);
        form.ENTA();
        QCOMPARE(f.messages().shown.size(), 1);
        const FakeMessageBoxes::Shown& shown = f.messages().shown.at(0);
        QCOMPARE(shown.title, openingTitle);
        QCOMPARE(shown.text, QStringLiteral("メディアまたはフォルダまたはファイルが見つかりませんでした") +
                                 QChar(13) + "ボリュームラベル: VOL1" + QChar(13) + "パス: " + path);
        QCOMPARE(shown.buttons, MessageButtons::Ok);
        QCOMPARE(f.closeRequests->count(), 0);
        QVERIFY(!form.isUnloaded());
        QVERIFY(form.isSelected());
        QCOMPARE(form.selectedIndex(), 0);
        QCOMPARE(f.viewer.state.shownPagePath, shownBefore);
    }

    // An entry that is there but cannot be read is no missing book: the shelf hands it on,
    // and the main window says why it cannot be opened, keeping the page it showed.
    void anEntryThatCannotBeReadIsToldWhy_data()
    {
        QTest::addColumn<bool>("fifo");
        QTest::addColumn<BookFailure>("failure");
        QTest::newRow("page in an unreadable folder") << false << BookFailure::NoPermission;
        QTest::newRow("fifo") << true << BookFailure::NotFileOrFolder;
    }
    void anEntryThatCannotBeReadIsToldWhy()
    {
        QFETCH(bool, fifo);
        QFETCH(BookFailure, failure);
        ShelfFixture f;
        QList<ShelfEntry> entries = f.makeShelf(2);
        const QString pipe = f.viewer.dir.path() + "/pipe";
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
        if (fifo)
            entries[0].bookPath = pipe;
        writeShelfFile(f.platform().files, f.shelf, entries);
        f.viewer.form.openPath(entries.at(1).bookPath);
        const QString shownBefore = f.viewer.state.shownPagePath;
        QCOMPARE(shownBefore, entries.at(1).bookPath);
        Form6& form = f.open();
        form.iconMouseDown(0, Qt::LeftButton);
        {
            std::optional<UnreadableEntry> unreadable;
            if (!fifo) {
                unreadable.emplace(QFileInfo(entries.at(0).bookPath).path());
                QVERIFY(unreadable->refusesReading());
            }
            form.ENTA();
        }
        QCOMPARE(f.messages().shown.size(), 1);
        QCOMPARE(f.messages().shown.at(0).text, Messages::refusedBook(entries.at(0).bookPath, failure).text);
        QVERIFY(f.messages().shown.at(0).text.contains(entries.at(0).bookPath));
        QCOMPARE(f.closeRequests->count(), 1);
        QCOMPARE(f.viewer.state.shownPagePath, shownBefore);
    }

    // The window shows the icon double-clicked as selected before the message
    // about its book comes up.
    void theSelectionShowsBeforeTheMessage()
    {
        ShelfFixture f;
        QList<ShelfEntry> entries = f.makeShelf(2);
        entries[1].bookPath = f.viewer.dir.path() + "/gone/p1.jpg";
        writeShelfFile(f.platform().files, f.shelf, entries);
        Form6& form = f.open();
        form.iconMouseDown(0, Qt::LeftButton);
        QSignalSpy redraws(&form, &Form6::changed);
        int redrawsBeforeMessage = -1;
        int selectedBeforeMessage = -1;
        f.messages().whileShown = [&] {
            redrawsBeforeMessage = int(redraws.count());
            selectedBeforeMessage = form.selectedIndex();
        };
        form.Image1_DblClick(1);
        QCOMPARE(f.messages().shown.size(), 1);
        QCOMPARE(selectedBeforeMessage, 1);
        QCOMPARE(redrawsBeforeMessage, 1);
        // Nothing changed after the message, so there is nothing more to draw.
        QCOMPARE(redraws.count(), 1);
    }

    void entryWithoutAPathShowsNoEntry()
    {
        ShelfFixture f;
        QList<ShelfEntry> entries = f.makeShelf(1);
        entries[0].bookPath.clear();
        writeShelfFile(f.platform().files, f.shelf, entries);
        Form6& form = f.open();
        form.Image1_DblClick(0);
        QCOMPARE(f.messages().shown.size(), 1);
        QCOMPARE(f.messages().shown.at(0).title, openingTitle);
        QCOMPARE(f.messages().shown.at(0).text, QStringLiteral("新規登録なし") + QChar(13) +
                                                    QStringLiteral("「本棚に登録」から新規登録可能"));
        QCOMPARE(f.closeRequests->count(), 0);
    }

    void saveQuestionComesBeforeTheBookShows()
    {
        ShelfFixture f;
        const QList<ShelfEntry> entries = f.makeShelf(3);
        Form6& form = f.open();
        int questionsWhenClosing = -1;
        QString shownWhenClosing;
        QObject::connect(&form, &Form6::closeRequested, &form, [&] {
            questionsWhenClosing = int(f.messages().shown.size());
            shownWhenClosing = f.viewer.state.shownPagePath;
        });
        form.iconMouseDown(0, Qt::LeftButton);
        form.SAKJYO();
        form.iconMouseDown(1, Qt::LeftButton);
        f.messages().answers = {MessageAnswer::Yes};
        form.ENTA();
        QCOMPARE(questionsWhenClosing, 1);
        QVERIFY(shownWhenClosing != entries.at(2).bookPath);
        QCOMPARE(f.viewer.state.shownPagePath, entries.at(2).bookPath);
        QCOMPARE(readShelfFile(f.platform().files, f.shelf).entries.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestForm6Opening)
#include "tst_form6_opening.moc"

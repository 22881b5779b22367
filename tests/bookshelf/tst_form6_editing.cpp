#include "bookshelf/bookshelf_texts.h"
#include "bookshelf/title_sort.h"
#include "commands/control_names.h"
#include "commands/key_map.h"
#include "shelf_fixture.h"
#include "support/full_file_system.h"

#include <QSignalSpy>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

namespace {

// File services whose removal of some files fails.
class FailingRemovals : public ScriptedFileServices
{
public:
    bool removeFile(const QString& path) override
    {
        removed.append(path);
        if (failing.contains(path))
            return false;
        return ScriptedFileServices::removeFile(path);
    }
    QSet<QString> failing;
    QStringList removed;
};

const QString saveTitle = QStringLiteral("本棚を閉じる");

} // namespace

class TestForm6Editing : public QObject
{
    Q_OBJECT

private:
    static void select(Form6& form, int index) { form.iconMouseDown(index, Qt::LeftButton); }
    static void rename(Form6& form, int index, const QString& text)
    {
        select(form, index);
        form.DAIMEY();
        form.Text1_Change(text);
        form.Text1_KeyDown(KeyCode::Enter);
    }

private Q_SLOTS:
    void deletingTheMiddleOfThree()
    {
        ShelfFixture f;
        const QList<ShelfEntry> entries = f.makeShelf(3);
        Form6& form = f.open();
        const QRect secondPlace = form.controls().icons.at(1).image;
        select(form, 1);
        form.SAKJYO();
        const Form6Controls& controls = form.controls();
        QCOMPARE(form.entries(), QList<ShelfEntry>({entries.at(0), entries.at(2)}));
        QCOMPARE(controls.icons.at(1).caption, entries.at(2).title);
        QCOMPARE(controls.icons.at(1).toolTip, controls.icons.at(2).toolTip);
        QCOMPARE(f.iconColor(1), ShelfFixture::colorOf("2ruv.bmp"));
        QCOMPARE(controls.icons.at(1).image, secondPlace);
        QVERIFY(controls.icons.at(1).visible);
        QVERIFY(!controls.icons.at(2).visible);
        QCOMPARE(controls.panel(1), QStringLiteral("登録本数 2 冊"));
        QCOMPARE(form.pendingDeletions(), QStringList{"1ruv.bmp"});
        QVERIFY(!form.isSelected());
        QVERIFY(!controls.button(11).enabled);
        // Nothing is touched before saving.
        QVERIFY(f.thumbnailExists("1ruv.bmp"));
    }

    void deletingTheOnlyBookAsksOnClosing()
    {
        ShelfFixture f;
        f.makeShelf(1);
        Form6& form = f.open();
        select(form, 0);
        form.Toolbar1_ButtonClick(ShelfToolbarKey::remove);
        QCOMPARE(form.controls().panel(1), QStringLiteral("登録本数 0 冊"));
        QVERIFY(!form.controls().icons.at(0).visible);
        f.messages().answers = {MessageAnswer::No};
        form.Form_Unload();
        QCOMPARE(f.messages().shown.size(), 1);
        QCOMPARE(f.messages().shown.at(0).title, saveTitle);
        QCOMPARE(f.messages().shown.at(0).text, QStringLiteral("本棚の変更点を保存しますか？"));
        QCOMPARE(f.messages().shown.at(0).buttons, MessageButtons::YesNo);
    }

    void savingRemovesTheQueuedThumbnails()
    {
        ShelfFixture f;
        const QList<ShelfEntry> entries = f.makeShelf(4);
        Form6& form = f.open();
        select(form, 3);
        form.SAKJYO();
        select(form, 0);
        form.menuClick(ShelfMenuItem::remove);
        QCOMPARE(form.pendingDeletions(), QStringList({"3ruv.bmp", "0ruv.bmp"}));
        f.messages().answers = {MessageAnswer::Yes};
        form.Toolbar1_ButtonClick(ShelfToolbarKey::back);
        QCOMPARE(f.closeRequests->count(), 1);
        QVERIFY(!f.thumbnailExists("3ruv.bmp"));
        QVERIFY(!f.thumbnailExists("0ruv.bmp"));
        QVERIFY(f.thumbnailExists("1ruv.bmp"));
        QCOMPARE(readShelfFile(f.platform().files, f.shelf).entries,
                 QList<ShelfEntry>({entries.at(1), entries.at(2)}));
        QVERIFY(f.shelfBytes().startsWith(" 2 \r\n"));
        // The freed number is the next one handed out.
        QCOMPARE(nextThumbnailName(f.platform().files, f.shelf), QStringLiteral("0ruv.bmp"));
    }

    void closingWithoutSavingKeepsEverything()
    {
        ShelfFixture f;
        f.makeShelf(3);
        const QByteArray before = f.shelfBytes();
        Form6& form = f.open();
        select(form, 0);
        form.SAKJYO();
        select(form, 0);
        form.SAKJYO();
        f.messages().answers = {MessageAnswer::No};
        form.OWAR();
        QCOMPARE(f.messageCount(saveTitle), 1);
        QCOMPARE(f.shelfBytes(), before);
        for (const char* name : {"0ruv.bmp", "1ruv.bmp", "2ruv.bmp"})
            QVERIFY(f.thumbnailExists(name));
    }

    void failedRecordWriteKeepsTheThumbnails()
    {
        ShelfFixture f;
        f.makeShelf(2);
        const QByteArray before = f.shelfBytes();
        Form6& form = f.open();
        select(form, 0);
        form.SAKJYO();
        f.platform().files.failingWrites.insert(f.shelf + "/Hondana.ruv");
        f.messages().answers = {MessageAnswer::Yes};
        form.Form_Unload();
        QCOMPARE(f.messages().shown.size(), 2);
        QCOMPARE(f.messages().shown.at(1).title, QStringLiteral("記録ファイル書き込みエラー"));
        QCOMPARE(f.messages().shown.at(1).text,
                 QStringLiteral("記録ファイルが読み取り専用になっているか存在しない可能性があります") +
                     QChar(13) + "記録ファイル: " + f.shelf + "/Hondana.ruv");
        QVERIFY(f.thumbnailExists("0ruv.bmp"));
        QCOMPARE(f.shelfBytes(), before);
    }

    void savingOnAReallyFullDiskKeepsTheShelfAndEveryThumbnail()
    {
        FullFileSystem disk(512);
        if (!disk.isMounted())
            QSKIP("a tmpfs cannot be mounted here");
        ShelfFixture f;
        f.shelf = disk.path();
        f.makeShelf(2);
        const QByteArray before = f.shelfBytes();
        Form6& form = f.open();
        select(form, 0);
        form.SAKJYO();
        QVERIFY(disk.fillLeaving(0));
        f.messages().answers = {MessageAnswer::Yes};
        form.Form_Unload();
        QCOMPARE(f.messageCount(QStringLiteral("記録ファイル書き込みエラー")), 1);
        QCOMPARE(f.shelfBytes(), before);
        QVERIFY(f.thumbnailExists("0ruv.bmp"));
        QVERIFY(f.thumbnailExists("1ruv.bmp"));
    }

    void failedDeletionNamesItsFileAndStops()
    {
        ShelfFixture f;
        FailingRemovals files;
        f.files = &files;
        f.makeShelf(4);
        Form6& form = f.open();
        for (int i = 0; i < 3; ++i) {
            select(form, 0);
            form.SAKJYO();
        }
        files.failing.insert(f.shelf + "/1ruv.bmp");
        form.HOZON();
        QCOMPARE(f.messages().shown.size(), 1);
        QCOMPARE(f.messages().shown.at(0).title, QStringLiteral("サムネイルアイコン画像削除のエラー"));
        QVERIFY(f.messages().shown.at(0).text.endsWith("削除対象ファイル: " + f.shelf + "/1ruv.bmp"));
        QVERIFY(!f.thumbnailExists("0ruv.bmp"));
        QVERIFY(f.thumbnailExists("2ruv.bmp"));
        QCOMPARE(form.pendingDeletions(), QStringList({"1ruv.bmp", "2ruv.bmp"}));
        QCOMPARE(readShelfFile(files, f.shelf).entries.size(), 1);
    }

    void thumbnailsOutsideTheShelfOrStillInUseAreKept()
    {
        ShelfFixture f;
        QList<ShelfEntry> entries = f.makeShelf(4);
        const QString outside = f.viewer.dir.path() + "/outside.bmp";
        ViewerFixture::touch(outside);
        entries[0].thumbnailFile = "../outside.bmp";
        entries[1].thumbnailFile = "";
        entries[3].thumbnailFile = "2ruv.bmp"; // shared with the third book
        writeShelfFile(f.platform().files, f.shelf, entries);
        Form6& form = f.open();
        for (int index : {3, 1, 0}) {
            select(form, index);
            form.SAKJYO();
        }
        f.messages().answers = {MessageAnswer::Yes};
        form.Form_Unload();
        QCOMPARE(f.messages().shown.size(), 1);
        QVERIFY(QFile::exists(outside));
        QVERIFY(f.thumbnailExists("2ruv.bmp"));
        QCOMPARE(readShelfFile(f.platform().files, f.shelf).entries, QList<ShelfEntry>{entries.at(2)});
    }

    void renamingToTheSameTextLeavesTheShelfClean()
    {
        ShelfFixture f;
        f.makeShelf(2);
        Form6& form = f.open();
        rename(form, 1, "Book 2");
        QCOMPARE(form.shelfDirty(), 0);
        QVERIFY(!form.controls().text1.visible);
        form.Form_Unload();
        QVERIFY(f.messages().shown.isEmpty());
    }

    void renamingToANewTitle()
    {
        ShelfFixture f;
        const QList<ShelfEntry> entries = f.makeShelf(2);
        Form6& form = f.open();
        select(form, 1);
        form.Toolbar1_ButtonClick(ShelfToolbarKey::rename);
        const Form6Controls& controls = form.controls();
        QVERIFY(controls.text1.visible);
        QCOMPARE(controls.text1.geometry, QRect(controls.icons.at(1).label.topLeft(), QSize(137, 18)));
        QCOMPARE(controls.text1Text, QStringLiteral("Book 2"));
        form.Text1_Change("  新しい, \"題名\"  ");
        form.Text1_KeyDown(KeyCode::Enter);
        QCOMPARE(form.shelfDirty(), 1);
        QCOMPARE(controls.icons.at(1).caption, QStringLiteral("  新しい, \"題名\"  "));
        // The tooltip and the status bar keep the old title until the icons are rebuilt.
        QCOMPARE(controls.icons.at(1).toolTip, BookshelfTexts::entryToolTip(entries.at(1)));
        f.messages().answers = {MessageAnswer::Yes};
        form.Form_Unload();
        QCOMPARE(f.messageCount(saveTitle), 1);
        QCOMPARE(readShelfFile(f.platform().files, f.shelf).entries.at(1).title,
                 QStringLiteral("  新しい, \"題名\"  "));
    }

    void unfinishedRenameIsDropped()
    {
        ShelfFixture f;
        f.makeShelf(3);
        Form6& form = f.open();
        select(form, 0);
        form.DAIMEY();
        form.Text1_Change("changed");
        form.Form_KeyDown(KeyCode::Right);
        QVERIFY(!form.controls().text1.visible);
        form.Text1_KeyDown(KeyCode::Enter);
        QCOMPARE(f.titles(), QStringList({"Book 1", "Book 2", "Book 3"}));
        QCOMPARE(form.shelfDirty(), 0);
        // Only Enter ends a rename; an empty title is a title.
        select(form, 2);
        form.DAIMEY();
        form.Text1_Change("");
        form.Text1_KeyDown(KeyCode::Space);
        QVERIFY(form.controls().text1.visible);
        form.Text1_KeyDown(KeyCode::Enter);
        QCOMPARE(f.titles().at(2), QString());
    }

    void sortingAlternatesAndRebuildsTheIcons()
    {
        ShelfFixture f;
        f.makeShelf(QStringList{"b", "c", "a"});
        Form6& form = f.open();
        select(form, 0);
        form.Toolbar1_ButtonClick(ShelfToolbarKey::sort);
        QVERIFY(!form.isSelected());
        QCOMPARE(form.shelfDirty(), 1);
        QCOMPARE(form.sortDescending(), 1);
        QCOMPARE(f.titles(), QStringList({"a", "b", "c"}));
        QCOMPARE(form.controls().icons.at(0).caption, QStringLiteral("a"));
        QCOMPARE(f.iconColor(0), ShelfFixture::colorOf("2ruv.bmp"));
        QCOMPARE(form.controls().icons.at(0).toolTip, BookshelfTexts::entryToolTip(form.entries().at(0)));
        form.menuClick(ShelfMenuItem::sort);
        QCOMPARE(form.sortDescending(), 0);
        QCOMPARE(f.titles(), QStringList({"c", "b", "a"}));
        form.NARABE();
        QCOMPARE(f.titles(), QStringList({"a", "b", "c"}));
    }

    void equalTitlesKeepTheOrderOfTheirPositions_data()
    {
        QTest::addColumn<NameOrder>("nameOrder");
        QTest::addColumn<QStringList>("positions");
        // In character order equal titles go by the text of their positions: 1, 10, 11, 12, 2, ...
        QTest::newRow("characters") << NameOrder::Characters
                                    << QStringList{"0ruv.bmp", "9ruv.bmp", "10ruv.bmp", "11ruv.bmp",
                                                   "1ruv.bmp", "2ruv.bmp", "3ruv.bmp",  "5ruv.bmp",
                                                   "6ruv.bmp", "8ruv.bmp"};
        QTest::newRow("numbers") << NameOrder::Numbers
                                 << QStringList{"0ruv.bmp", "1ruv.bmp", "2ruv.bmp", "3ruv.bmp",  "5ruv.bmp",
                                                "6ruv.bmp", "8ruv.bmp", "9ruv.bmp", "10ruv.bmp", "11ruv.bmp"};
    }
    void equalTitlesKeepTheOrderOfTheirPositions()
    {
        QFETCH(NameOrder, nameOrder);
        QFETCH(QStringList, positions);
        ShelfFixture f;
        QStringList titles(12, QStringLiteral("same"));
        titles[4] = "abc";
        titles[7] = "abcd";
        f.makeShelf(titles);
        f.viewer.platform.books.setFolderOrder(nameOrder);
        Form6& form = f.open();
        form.NARABE();
        // "abcd" meets the marker's V of "abc".
        QCOMPARE(form.entries().at(0).title, QStringLiteral("abcd"));
        QCOMPARE(form.entries().at(1).title, QStringLiteral("abc"));
        QStringList order;
        for (const ShelfEntry& entry : form.entries().mid(2))
            order.append(entry.thumbnailFile);
        QCOMPARE(order, positions);
    }

    void sortingTwiceReverses()
    {
        ShelfFixture f;
        f.makeShelf(QStringList{"b", "a", "Ｃ", "a", "d", "本"});
        Form6& form = f.open();
        form.NARABE();
        QList<ShelfEntry> ascending = form.entries();
        QCOMPARE(ascending.at(0).thumbnailFile, QStringLiteral("1ruv.bmp"));
        QCOMPARE(ascending.at(1).thumbnailFile, QStringLiteral("3ruv.bmp"));
        form.NARABE();
        std::reverse(ascending.begin(), ascending.end());
        QCOMPARE(form.entries(), ascending);
    }

    void sortingOneBookChangesNothing()
    {
        ShelfFixture f;
        f.makeShelf(1);
        Form6& form = f.open();
        form.NARABE();
        QCOMPARE(form.shelfDirty(), 0);
        QCOMPARE(form.sortDescending(), 0);
        form.Form_Unload();
        QVERIFY(f.messages().shown.isEmpty());
    }

    void sortingKeepsEveryEntryWhateverTheTitles()
    {
        ShelfFixture f;
        const QString marker = sortKeyMarker();
        const QList<ShelfEntry> entries =
            f.makeShelf(QStringList{marker + "1", "x" + marker + "2", marker, "", marker + "1"});
        Form6& form = f.open();
        for (int round = 0; round < 3; ++round) {
            form.NARABE();
            QList<ShelfEntry> sorted = form.entries();
            QList<ShelfEntry> expected = entries;
            const auto byThumbnail = [](const ShelfEntry& a, const ShelfEntry& b) {
                return a.thumbnailFile < b.thumbnailFile;
            };
            std::sort(sorted.begin(), sorted.end(), byThumbnail);
            std::sort(expected.begin(), expected.end(), byThumbnail);
            QCOMPARE(sorted, expected);
        }
    }

    void otherShelfIsRefusedOnAReadOnlyRecordFile_data()
    {
        QTest::addColumn<int>("attributes");
        QTest::addColumn<bool>("refused");
        QTest::newRow("read-only") << 1 << true;
        QTest::newRow("read-only, hidden") << 3 << true;
        QTest::newRow("read-only, archive") << 33 << true;
        QTest::newRow("read-only, system") << 5 << false;
        QTest::newRow("writable") << 0 << false;
    }
    void otherShelfIsRefusedOnAReadOnlyRecordFile()
    {
        QFETCH(int, attributes);
        QFETCH(bool, refused);
        ShelfFixture f;
        f.makeShelf(1);
        f.platform().files.attributeOverrides.insert(f.program + "/defruv.ini", attributes);
        Form6& form = f.open();
        form.Toolbar1_ButtonClick(ShelfToolbarKey::otherShelf);
        QCOMPARE(f.platform().modal.shown.contains("Form10"), !refused);
        QCOMPARE(f.messageCount(QStringLiteral("記録ファイル属性の確認")), refused ? 1 : 0);
        QVERIFY(!form.isUnloaded());
        QVERIFY(!form.reopenRequested());
    }

    void choosingAnotherShelfClosesAndReopens()
    {
        ShelfFixture f;
        f.makeShelf(2);
        const QString other = f.viewer.dir.path() + "/other";
        QDir().mkpath(other);
        f.platform().modal.interactions.insert("Form10", [&f, other] { f.viewer.state.shelfFolder = other; });
        Form6& form = f.open();
        select(form, 0);
        form.SAKJYO();
        f.messages().answers = {MessageAnswer::Yes};
        form.SINKISAKUSEI();
        QVERIFY(form.reopenRequested());
        QCOMPARE(f.closeRequests->count(), 1);
        // The old shelf was offered for saving, and saved where it was read.
        QCOMPARE(f.messageCount(saveTitle), 1);
        QCOMPARE(readShelfFile(f.platform().files, f.shelf).entries.size(), 1);
        QVERIFY(!QFile::exists(other + "/Hondana.ruv"));
    }

    void cancellingTheChooserKeepsTheWindow()
    {
        ShelfFixture f;
        f.makeShelf(2);
        Form6& form = f.open();
        form.SINKISAKUSEI();
        QCOMPARE(f.platform().modal.shown, QStringList{"Form10"});
        QVERIFY(!form.reopenRequested());
        QCOMPARE(f.closeRequests->count(), 0);
        QVERIFY(!form.isUnloaded());
    }

    void unloadingRunsOnce()
    {
        ShelfFixture f;
        f.makeShelf(2);
        Form6& form = f.open();
        select(form, 0);
        form.SAKJYO();
        form.OWAR();
        form.Form_Unload();
        QCOMPARE(f.messageCount(saveTitle), 1);
        QCOMPARE(f.closeRequests->count(), 1);
    }

    // However many operations one event runs, the window redraws once.
    void oneEventOneRedraw()
    {
        ShelfFixture f;
        f.makeShelf(QStringList{"b", "c", "a"});
        Form6& form = f.open();
        QSignalSpy redraws(&form, &Form6::changed);
        form.menuClick(ShelfMenuItem::sort);
        QCOMPARE(redraws.count(), 1);
        select(form, 0);
        redraws.clear();
        form.Toolbar1_ButtonClick(ShelfToolbarKey::rename);
        QCOMPARE(redraws.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestForm6Editing)
#include "tst_form6_editing.moc"

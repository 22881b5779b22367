#include "browse/browse_messages.h"
#include "browse/form10.h"
#include "browse/form11.h"
#include "support/full_file_system.h"
#include "support/test_platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A program folder whose record file names an old shelf, and a chooser
// opened on a folder of its own.
struct Chooser
{
    QTemporaryDir dir;
    TestPlatform platform;
    ViewerState state;
    Form10 form{platform.platform(), state};
    QString program = dir.path() + u"/program"_s;
    QString oldShelf = program + u"/data"_s;
    QString record = program + u"/defruv.ini"_s;
    QByteArray oldRecord;

    Chooser()
    {
        QDir().mkpath(oldShelf);
        writeBytes(oldShelf + u"/Hondana.ruv"_s, "0\r\n");
        oldRecord = (oldShelf + u"\r\n"_s).toUtf8();
        writeBytes(record, oldRecord);
        state.programFolder = program;
        state.shelfFolder = oldShelf;
        form.Form_Load(dir.path());
    }

    QString makeFolder(const QString& name)
    {
        const QString path = dir.path() + u'/' + name;
        QDir().mkpath(path);
        return path;
    }

    // The old shelf is still the current one, in memory and on disk.
    bool keptOldShelf() const { return state.shelfFolder == oldShelf && readBytes(record) == oldRecord; }
};

} // namespace

class TestFolderChooser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensOnTheStartFolderWithItsTexts()
    {
        Chooser chooser;
        QCOMPARE(chooser.form.folder(), chooser.dir.path());
        QVERIFY(chooser.form.files().isEmpty());
        QCOMPARE(chooser.form.label2(),
                 u"指定のフォルダに本棚データファイルが\r存在しない場合、新規に作成します"_s);
        QCOMPARE(Form10::label3(), u"本棚データファイル\u3000(Hondana.ruv)"_s);
        QCOMPARE(chooser.form.fontNames().value(u"Command3"_s), u"ＭＳ Ｐゴシック"_s);
        QVERIFY(chooser.form.drives().contains(chooser.form.drive()));
    }

    void fileListShowsOnlyTheShelfFile()
    {
        Chooser chooser;
        const QString folder = chooser.makeFolder(u"棚"_s);
        writeBytes(folder + u"/hondana.ruv"_s, "0\r\n");
        writeBytes(folder + u"/0ruv.bmp"_s, "BM");
        chooser.form.Dir1_Change(folder);
        QVERIFY(chooser.form.files().isEmpty());
        writeBytes(folder + u"/Hondana.ruv"_s, "0\r\n");
        chooser.form.Dir1_Change(folder + u'/');
        QCOMPARE(chooser.form.folder(), folder);
        QCOMPARE(chooser.form.files(), QStringList{u"Hondana.ruv"_s});
    }

    void okOnAShelfSwitchesWithoutAskingOrWriting()
    {
        Chooser chooser;
        const QString folder = chooser.makeFolder(u"other shelf"_s);
        const QByteArray shelf = " 1 \r\nLABEL\r\n/books/a/001.jpg\r\nA\r\n0ruv.bmp\r\n";
        writeBytes(folder + u"/Hondana.ruv"_s, shelf);
        chooser.form.Dir1_Change(folder);
        chooser.form.Command1_Click();
        QVERIFY(chooser.platform.messages.shown.isEmpty());
        QCOMPARE(readBytes(folder + u"/Hondana.ruv"_s), shelf);
        QCOMPARE(readBytes(chooser.record), (folder + u"\r\n"_s).toUtf8());
        QCOMPARE(chooser.state.shelfFolder, folder);
        QVERIFY(!chooser.form.isOpen());
    }

    void doubleClickOnTheFileActsAsOk()
    {
        Chooser chooser;
        const QString folder = chooser.makeFolder(u"shelf"_s);
        writeBytes(folder + u"/Hondana.ruv"_s, "0\r\n");
        chooser.form.Dir1_Change(folder);
        chooser.form.File1_DblClick();
        QCOMPARE(chooser.state.shelfFolder, folder);
        QVERIFY(!chooser.form.isOpen());
    }

    void okOnADriveRootKeepsTheRoot()
    {
        Chooser chooser;
        // The root's listing is scripted, so nothing is written there.
        chooser.platform.files.listings.insert(u"/"_s, {u"Hondana.ruv"_s, u"notes.txt"_s});
        chooser.platform.files.failingWrites.insert(u"/Hondana.ruv"_s);
        chooser.form.Dir1_Change(u"/"_s);
        QCOMPARE(chooser.form.folder(), u"/"_s);
        QCOMPARE(chooser.form.files(), QStringList{u"Hondana.ruv"_s});
        chooser.form.Command1_Click();
        QVERIFY(chooser.platform.messages.shown.isEmpty());
        QCOMPARE(readBytes(chooser.record), QByteArray("/\r\n"));
        QCOMPARE(chooser.state.shelfFolder, u"/"_s);
    }

    void aDriveThatCannotBeReadKeepsTheFolder()
    {
        Chooser chooser;
        const QString folder = chooser.form.folder();
        QVERIFY(!chooser.form.Drive1_Change(chooser.dir.path() + u"/no medium"_s));
        QCOMPARE(chooser.platform.messages.shown.size(), 1);
        QCOMPARE(chooser.platform.messages.shown[0].title, BrowseMessages::noMedium().title);
        QCOMPARE(chooser.platform.messages.shown[0].text, u"デバイスが装備されていません"_s);
        QCOMPARE(chooser.form.folder(), folder);

        const QString drive = chooser.makeFolder(u"drive"_s);
        QVERIFY(chooser.form.Drive1_Change(drive));
        QCOMPARE(chooser.form.drive(), drive);
        QCOMPARE(chooser.form.folder(), drive);
        QCOMPARE(chooser.platform.messages.shown.size(), 1);
    }

    void answeringNoChangesNothing()
    {
        Chooser chooser;
        const QString folder = chooser.makeFolder(u"empty"_s);
        chooser.form.Dir1_Change(folder);
        chooser.platform.messages.answers = {MessageAnswer::No};
        chooser.form.Command1_Click();
        QCOMPARE(chooser.platform.messages.shown.size(), 1);
        const auto& question = chooser.platform.messages.shown[0];
        QCOMPARE(question.title, u"新規の本棚データ格納フォルダ登録"_s);
        QCOMPARE(question.text,
                 u"指定のフォルダに本棚データファイルがありませんでした\r"
                 u"現在指定のフォルダに新規の本棚データを作成し格納フォルダとして設定しますか？\r"_s +
                     folder);
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        QVERIFY(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
        QVERIFY(chooser.keptOldShelf());
        QVERIFY(chooser.form.isOpen());
    }

    void answeringYesStartsAnEmptyShelf()
    {
        Chooser chooser;
        const QString folder = chooser.makeFolder(u"new shelf"_s);
        chooser.form.Dir1_Change(folder);
        chooser.form.Command1_Click();
        QCOMPARE(chooser.platform.messages.shown.size(), 1);
        QCOMPARE(readBytes(folder + u"/Hondana.ruv"_s), QByteArray("0\r\n"));
        QCOMPARE(readBytes(chooser.record), (folder + u"\r\n"_s).toUtf8());
        QCOMPARE(chooser.state.shelfFolder, folder);
        QVERIFY(!chooser.form.isOpen());
    }

    void aShelfFileWrittenSinceTheListingIsNeverReplaced()
    {
        Chooser chooser;
        const QString folder = chooser.makeFolder(u"late"_s);
        chooser.form.Dir1_Change(folder);
        QVERIFY(chooser.form.files().isEmpty());
        const QByteArray shelf = " 1 \r\n\r\n/books/b/01.gif\r\nB\r\n0ruv.bmp\r\n";
        writeBytes(folder + u"/Hondana.ruv"_s, shelf);
        chooser.form.Command1_Click();
        QVERIFY(chooser.platform.messages.shown.isEmpty());
        QCOMPARE(readBytes(folder + u"/Hondana.ruv"_s), shelf);
        QCOMPARE(chooser.state.shelfFolder, folder);
    }

    void aFailedWriteKeepsTheOldShelf_data()
    {
        QTest::addColumn<bool>("shelfFileFails");
        QTest::newRow("Hondana.ruv") << true;
        QTest::newRow("defruv.ini") << false;
    }
    void aFailedWriteKeepsTheOldShelf()
    {
        QFETCH(bool, shelfFileFails);
        Chooser chooser;
        const QString folder = chooser.makeFolder(u"unwritable"_s);
        chooser.platform.files.failingWrites.insert(shelfFileFails ? folder + u"/Hondana.ruv"_s
                                                                   : chooser.record);
        chooser.form.Dir1_Change(folder);
        chooser.form.Command1_Click();
        QCOMPARE(chooser.platform.messages.shown.size(), 2);
        const auto& report = chooser.platform.messages.shown[1];
        QCOMPARE(report.title, u"本棚データ書き込みエラー"_s);
        QCOMPARE(report.text, u"指定のフォルダに新規の本棚データファイルを作成できませんでした\r"_s + folder);
        QCOMPARE(report.buttons, MessageButtons::Ok);
        QVERIFY(chooser.keptOldShelf());
        QVERIFY(chooser.form.isOpen());
        QCOMPARE(QFile::exists(folder + u"/Hondana.ruv"_s), !shelfFileFails);
    }

    void aNewShelfOnAReallyFullDiskKeepsTheOldShelf()
    {
        FullFileSystem disk(64);
        if (!disk.isMounted())
            QSKIP("a tmpfs cannot be mounted here");
        QVERIFY(disk.fillLeaving(0));
        Chooser chooser;
        chooser.platform.messages.answers = {MessageAnswer::Yes};
        chooser.form.Dir1_Change(disk.path());
        chooser.form.Command1_Click();
        QCOMPARE(chooser.platform.messages.shown.size(), 2);
        QCOMPARE(chooser.platform.messages.shown[1].title, u"本棚データ書き込みエラー"_s);
        QVERIFY(chooser.keptOldShelf());
        QVERIFY(chooser.form.isOpen());
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u".filler"_s});
    }

    void cancelChangesNothing()
    {
        Chooser chooser;
        chooser.form.Dir1_Change(chooser.makeFolder(u"elsewhere"_s));
        chooser.form.Command2_Click();
        QVERIFY(!chooser.form.isOpen());
        QVERIFY(chooser.keptOldShelf());
        QVERIFY(chooser.platform.messages.shown.isEmpty());
    }

    void newFolderIsMadeAlikeByOkAndByEnter_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("OK button") << false;
        QTest::newRow("Enter key") << true;
    }
    void newFolderIsMadeAlikeByOkAndByEnter()
    {
        QFETCH(bool, byEnter);
        Chooser chooser;
        const QString parent = chooser.makeFolder(u"parent"_s);
        chooser.form.Dir1_Change(parent);
        bool closed = false;
        chooser.platform.modal.interactions.insert(u"Form11"_s, [&] {
            Form11 window(chooser.platform.platform(), chooser.form);
            window.Form_Load();
            QVERIFY(window.text1().isEmpty());
            window.setText1(u"新しい本棚"_s);
            window.Text1_KeyPress('a');
            QVERIFY(window.isOpen());
            if (byEnter)
                window.Text1_KeyPress(13);
            else
                window.Command1_Click();
            closed = !window.isOpen();
        });
        chooser.form.Command3_Click();
        QCOMPARE(chooser.platform.modal.shown, QStringList{u"Form11"_s});
        QVERIFY(closed);
        QVERIFY(chooser.platform.messages.shown.isEmpty());
        QVERIFY(QFileInfo(parent + u"/新しい本棚"_s).isDir());
        QCOMPARE(chooser.form.folder(), parent + u"/新しい本棚"_s);
        QVERIFY(chooser.form.files().isEmpty());
        QVERIFY(chooser.form.isOpen());
    }

    void newFolderThatCannotBeMadeKeepsTheWindowOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("existing name") << u"taken"_s;
        QTest::newRow("empty name") << QString();
        QTest::newRow("path outside the folder") << u"../escaped"_s;
        QTest::newRow("nested path") << u"taken/inner"_s;
    }
    void newFolderThatCannotBeMadeKeepsTheWindowOpen()
    {
        QFETCH(QString, name);
        Chooser chooser;
        const QString parent = chooser.makeFolder(u"parent"_s);
        chooser.makeFolder(u"parent/taken"_s);
        chooser.form.Dir1_Change(parent);
        Form11 window(chooser.platform.platform(), chooser.form);
        window.Form_Load();
        window.setText1(name);
        window.Text1_KeyPress(13);
        QCOMPARE(chooser.platform.messages.shown.size(), 1);
        QCOMPARE(chooser.platform.messages.shown[0].title, u"新規フォルダ作成エラー"_s);
        QCOMPARE(chooser.platform.messages.shown[0].text,
                 u"新規フォルダ作成ができませんでした\r"
                 u"指定メディアが書き込み禁止になっている、または既に存在している可能性があります"_s);
        QVERIFY(window.isOpen());
        QCOMPARE(window.text1(), name);
        QCOMPARE(chooser.form.folder(), parent);
        QVERIFY(!QFileInfo::exists(chooser.dir.path() + u"/escaped"_s));
        QVERIFY(!QFileInfo::exists(parent + u"/taken/inner"_s));
    }

    void cancellingTheNewFolderWindowMakesNothing()
    {
        Chooser chooser;
        const QString parent = chooser.makeFolder(u"parent"_s);
        chooser.form.Dir1_Change(parent);
        Form11 window(chooser.platform.platform(), chooser.form);
        window.setText1(u"unused"_s);
        window.Command2_Click();
        QVERIFY(!window.isOpen());
        QVERIFY(!QFileInfo::exists(parent + u"/unused"_s));
        QCOMPARE(chooser.form.folder(), parent);
    }
};

QTEST_GUILESS_MAIN(TestFolderChooser)
#include "tst_folder_chooser.moc"

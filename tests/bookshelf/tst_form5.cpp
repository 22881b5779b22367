#include "bookshelf/form5.h"
#include "bookshelf/register_layout.h"
#include "bookshelf/shelf_file.h"
#include "bookshelf/shelf_messages.h"
#include "bookshelf/thumbnail_bitmap.h"
#include "bookshelf/thumbnail_sampling.h"
#include "platform/code_page.h"
#include "session/viewer_state.h"
#include "support/archive_fixtures.h"
#include "support/full_file_system.h"
#include "support/pdf_fixtures.h"
#include "support/test_platform.h"

#include <QDir>
#include <QFile>
#include <QImage>
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

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The main window shows page 003.jpg of a book; the shelf is a folder of its own.
struct Register
{
    QTemporaryDir dir;
    TestPlatform platform;
    ViewerState state;
    QString shelf = dir.path() + u"/shelf"_s;
    QString page = dir.path() + u"/book/003.jpg"_s;

    Register()
    {
        QDir().mkpath(dir.path() + u"/book"_s);
        writeBytes(page, QByteArray());
        QDir().mkpath(dir.path() + u"/program"_s);
        state.programFolder = dir.path() + u"/program"_s;
        state.shelfFolder = shelf;
        state.shownPagePath = page;
        state.shownVolumeLabel = u"COMICS"_s;
    }

    // A shelf of this many books, each with its thumbnail.
    void makeShelf(int books)
    {
        QDir().mkpath(shelf);
        QList<ShelfEntry> entries;
        for (int i = 0; i < books; ++i) {
            const QString thumbnail = QString::number(i) + u"ruv.bmp"_s;
            entries.append({u"VOL"_s, u"/books/%1/01.jpg"_s.arg(i), u"Book %1"_s.arg(i), thumbnail});
            writeBytes(shelf + u'/' + thumbnail, "BM");
        }
        QVERIFY(writeShelfFile(platform.files, shelf, entries));
    }

    QString shelfFile() const { return shelf + u"/Hondana.ruv"_s; }
};

} // namespace

class TestForm5 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensWithThePageOnScreen()
    {
        Register reg;
        reg.makeShelf(0);
        reg.platform.pictures.sizes.insert(u"003.jpg"_s, QSize(640, 480));
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        QCOMPARE(form.text1(), u"COMICS"_s);
        QCOMPARE(form.text3(), reg.page);
        QCOMPARE(form.text2(), u"003.jpg"_s);
        QCOMPARE(form.image1().size(), QSize(640, 480));
        QCOMPARE(form.label3(), reg.shelf);
        QCOMPARE(form.fontNames().value(u"Label4"_s), u"ＭＳ Ｐゴシック"_s);
        QCOMPARE(form.fontNames().value(u"Text2"_s), u"ＭＳ Ｐゴシック"_s);
        QVERIFY(!form.fontNames().contains(u"Image1"_s));
    }

    // A page of a folder proposes its file's name; a page inside an archive, the archive's
    // name as a reader calls the book, whatever member is on screen.
    void theTitleProposedForThePageOnScreen_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::newRow("a page of a folder") << "book/003.jpg"
                                            << "003.jpg";
        QTest::newRow("a folder named as an archive is") << "Vol09.cbz/p001.jpg"
                                                         << "p001.jpg";
        QTest::newRow("a page of a cbz") << "x/Vol01.cbz/p005.jpg"
                                         << "Vol01";
        QTest::newRow("a page deeper in it") << "x/Vol01.cbz/sub/p006.jpg"
                                             << "Vol01";
        QTest::newRow("a page of a compressed tar") << "x/Vol 2.tar.gz/p1.png"
                                                    << "Vol 2";
        QTest::newRow("an archive named as none is") << "x/Book.dat/p1.png"
                                                     << "Book.dat";
        QTest::newRow("a page the archive no longer holds") << "x/Vol01.cbz/p999.jpg"
                                                            << "Vol01";
        QTest::newRow("a page of a PDF") << "x/Vol03.pdf/2"
                                         << "Vol03";
        QTest::newRow("a PDF named as none is") << "x/scan.bin/1"
                                                << "scan.bin";
    }
    void theTitleProposedForThePageOnScreen()
    {
        QFETCH(QString, page);
        Register reg;
        reg.makeShelf(0);
        const QString x = reg.dir.path() + u"/x"_s;
        QVERIFY(QDir().mkpath(x) && QDir().mkpath(reg.dir.path() + u"/Vol09.cbz"_s));
        QVERIFY(writeBytes(reg.dir.path() + u"/Vol09.cbz/p001.jpg"_s, pagePicture(Qt::red, "JPEG")));
        QVERIFY(
            writeBytes(x + u"/Vol01.cbz"_s, storedZip({{"p005.jpg", pagePicture(Qt::red, "JPEG")},
                                                       {"sub/p006.jpg", pagePicture(Qt::blue, "JPEG")}})));
        QVERIFY(writeBytes(x + u"/Vol 2.tar.gz"_s,
                           writtenArchive("ustar", {{"p1.png", pagePicture(Qt::red)}}, "gzip")));
        QVERIFY(writeBytes(x + u"/Book.dat"_s, storedZip({{"p1.png", pagePicture(Qt::red)}})));
        const QByteArray pdf = picturePdf({{Qt::red, QSizeF(30, 20)}, {Qt::blue, QSizeF(30, 20)}});
        QVERIFY(writeBytes(x + u"/Vol03.pdf"_s, pdf) && writeBytes(x + u"/scan.bin"_s, pdf));
        reg.state.shownPagePath = reg.dir.path() + u'/' + page;
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        QTEST(form.text2(), "title");
        QCOMPARE(form.text3(), reg.state.shownPagePath);
    }

    void aPageThatIsGoneProposesNoTitle()
    {
        Register reg;
        reg.makeShelf(0);
        QFile::remove(reg.page);
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        QVERIFY(form.text2().isEmpty());
    }

    void theBookNumberAndTheLimit_data()
    {
        QTest::addColumn<int>("books");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("accepts");
        QTest::newRow("empty shelf") << 0 << u"1"_s << true;
        QTest::newRow("427 books") << 427 << u"428"_s << true;
        QTest::newRow("428 books") << 428 << u"429"_s << false;
        QTest::newRow("430 books") << 430 << u"431"_s << false;
    }
    void theBookNumberAndTheLimit()
    {
        QFETCH(int, books);
        QFETCH(QString, number);
        QFETCH(bool, accepts);
        Register reg;
        reg.makeShelf(books);
        const QByteArray before = readBytes(reg.shelfFile());
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        QCOMPARE(form.entryCount(), books);
        QCOMPARE(form.label9(), number);
        QCOMPARE(form.command1Enabled(), accepts);
        if (accepts) {
            QCOMPARE(form.label4(), u"現在指定のﾊﾟｽと縮小画像をｻﾑﾈｲﾙｼｮｰﾄｶｯﾄとして登録します\r"
                                    u"以後「本棚」から現在登録時のﾒｲﾝｳｲﾝﾄﾞｳの表示ﾊﾟｽを再現します\r"
                                    u"各本棚データ１棚につき本登録上限は428冊です"_s);
            QCOMPARE(form.label9Color(), QColor(255, 255, 0));
            QCOMPARE(form.label4Color(), QColor(Qt::black));
        } else {
            QCOMPARE(form.label4(), u"登録上限の428冊を越えました\r"
                                    u"本棚を開くフォームから新規に本棚データフォルダを指定してください"_s);
            QCOMPARE(form.label9Color(), QColor(192, 0, 0));
            QCOMPARE(form.label4Color(), QColor(192, 0, 0));
        }
        form.Command1_Click();
        QVERIFY(reg.platform.messages.shown.isEmpty());
        const ShelfReading after = readShelfFile(reg.platform.files, reg.shelf);
        QCOMPARE(after.entries.size(), accepts ? books + 1 : books);
        QCOMPARE(readBytes(reg.shelfFile()).startsWith(' ' + QByteArray::number(books + 1) + ' '), accepts);
        QCOMPARE(readBytes(reg.shelfFile()) == before, !accepts);
        QCOMPARE(form.isOpen(), !accepts);
    }

    void firstRegistrationOfAnEmptyShelf()
    {
        Register reg;
        QDir().mkpath(reg.shelf);
        writeBytes(reg.shelfFile(), "0\r\n");
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        QCOMPARE(form.entryCount(), 0);
        form.setText2(u" 題名, \"引用\" "_s);
        form.Command1_Click();
        QVERIFY(reg.platform.messages.shown.isEmpty());
        QCOMPARE(readBytes(reg.shelfFile()), encodeCodePageText(u" 1 \r\nCOMICS\r\n"_s + reg.page +
                                                                u"\r\n 題名, \"引用\" \r\n0ruv.bmp\r\n"_s));
        const ShelfReading reading = readShelfFile(reg.platform.files, reg.shelf);
        QCOMPARE(reading.entries.size(), 1);
        QCOMPARE(reading.entries[0],
                 (ShelfEntry{u"COMICS"_s, reg.page, u" 題名, \"引用\" "_s, u"0ruv.bmp"_s}));
        // The thumbnail is the sampled page, saved as a bitmap.
        QCOMPARE(readBytes(reg.shelf + u"/0ruv.bmp"_s).left(2), QByteArray("BM"));
        const QImage saved(reg.shelf + u"/0ruv.bmp"_s, "BMP");
        QCOMPARE(saved.size(), QSize(thumbnailWidth, thumbnailHeight));
        QCOMPARE(saved.pixel(50, 60), FakePictureDecoder::colorOf(u"003.jpg"_s).rgb());
        QCOMPARE(saved.pixel(50, 60), form.picture1().pixel(50, 60));
        // The notice, then the window closes.
        QCOMPARE(reg.platform.modal.shown, QStringList{u"Form7"_s});
        QCOMPARE(form.noticeTitle(), u" 題名, \"引用\" "_s);
        QVERIFY(!form.isOpen());
    }

    // The thumbnail saved keeps the page's shape unless the viewer's switch says to fill
    // the box with sampled points.
    void theThumbnailFollowsTheShapeSwitch_data()
    {
        QTest::addColumn<bool>("keepShape");
        QTest::newRow("keeps the shape") << true;
        QTest::newRow("fills the box") << false;
    }
    void theThumbnailFollowsTheShapeSwitch()
    {
        QFETCH(bool, keepShape);
        Register reg;
        reg.makeShelf(0);
        reg.platform.settings.values.insert(
            FakeSettings::path(u"ruvo"_s, u"shelf"_s, u"keepThumbnailShape"_s), keepShape ? u"1"_s : u"0"_s);
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        form.Command1_Click();
        const QImage saved(reg.shelf + u"/0ruv.bmp"_s, "BMP");
        const QImage page = reg.platform.pictures.decode(reg.page).image;
        QCOMPARE(page.size(), QSize(100, 150));
        const QImage expected = keepShape ? averagedThumbnail(page) : pointSampledThumbnail(page);
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), expected);
        // A page narrower than the box leaves white beside it only when it keeps its shape.
        QCOMPARE(saved.pixel(2, 60) == qRgb(255, 255, 255), keepShape);
    }

    void anEmptyTitleIsStoredAsUntitled()
    {
        Register reg;
        reg.makeShelf(1);
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        form.setText2(QString());
        form.Command1_Click();
        QCOMPARE(form.text2(), u"題名なし"_s);
        QCOMPARE(form.noticeTitle(), u"題名なし"_s);
        const ShelfReading reading = readShelfFile(reg.platform.files, reg.shelf);
        QCOMPARE(reading.entries.size(), 2);
        QCOMPARE(reading.entries[1].title, u"題名なし"_s);
        QCOMPARE(reading.entries[1].thumbnailFile, u"1ruv.bmp"_s);
    }

    void aFailedWriteRestoresTheTableSoOkStoresOnce()
    {
        Register reg;
        reg.makeShelf(2);
        const QByteArray before = readBytes(reg.shelfFile());
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        const QList<ShelfEntry> table = form.entries();
        reg.platform.files.failingWrites.insert(reg.shelfFile());

        form.Command1_Click();
        QCOMPARE(reg.platform.messages.shown.size(), 1);
        const UserMessage expected = ShelfMessages::registerWriteFailed(reg.shelf);
        QCOMPARE(reg.platform.messages.shown[0].title, u"記録ファイル書き込みエラー"_s);
        QCOMPARE(reg.platform.messages.shown[0].text, expected.text);
        QVERIFY(reg.platform.messages.shown[0].text.endsWith(u"記録ファイル: "_s + reg.shelfFile()));
        QCOMPARE(form.entryCount(), 2);
        QCOMPARE(form.entries(), table);
        QCOMPARE(readBytes(reg.shelfFile()), before);
        QCOMPARE(filesIn(reg.shelf), (QStringList{u"0ruv.bmp"_s, u"1ruv.bmp"_s, u"Hondana.ruv"_s}));
        QVERIFY(form.isOpen());
        QVERIFY(reg.platform.modal.shown.isEmpty());

        form.Command1_Click();
        QCOMPARE(reg.platform.messages.shown.size(), 2);
        reg.platform.files.failingWrites.clear();
        form.Command1_Click();
        QCOMPARE(reg.platform.messages.shown.size(), 2);
        const ShelfReading reading = readShelfFile(reg.platform.files, reg.shelf);
        QCOMPARE(reading.entries.size(), 3);
        QCOMPARE(reading.entries.mid(0, 2), table);
        QCOMPARE(reading.entries[2].bookPath, reg.page);
        QCOMPARE(reading.entries[2].thumbnailFile, u"2ruv.bmp"_s);
        QCOMPARE(filesIn(reg.shelf),
                 (QStringList{u"0ruv.bmp"_s, u"1ruv.bmp"_s, u"2ruv.bmp"_s, u"Hondana.ruv"_s}));
        QVERIFY(!form.isOpen());
    }

    void aThumbnailThatCannotBeSavedChangesNothing()
    {
        Register reg;
        reg.makeShelf(0);
        // A stale link under the next thumbnail's name is passed over (the hostile shelf
        // tests show it); here the thumbnail's own write fails.
        reg.platform.files.failingWrites.insert(reg.shelf + u"/0ruv.bmp"_s);
        const QByteArray before = readBytes(reg.shelfFile());
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        form.Command1_Click();
        QCOMPARE(reg.platform.messages.shown.size(), 1);
        QCOMPARE(reg.platform.messages.shown[0].title, u"記録ファイル書き込みエラー"_s);
        QCOMPARE(readBytes(reg.shelfFile()), before);
        QCOMPARE(form.entryCount(), 0);
        QVERIFY(!QFileInfo::exists(reg.shelf + u"/0ruv.bmp"_s));
        QVERIFY(form.isOpen());
    }

    void aFullDiskRegistersNothingAndSaysSo_data()
    {
        QTest::addColumn<bool>("roomForTheThumbnail");
        QTest::newRow("no room at all") << false;
        QTest::newRow("room for the thumbnail, not for the shelf file") << true;
    }

    void aFullDiskRegistersNothingAndSaysSo()
    {
        QFETCH(bool, roomForTheThumbnail);
        FullFileSystem disk(512);
        if (!disk.isMounted())
            QSKIP("a tmpfs cannot be mounted here");
        Register reg;
        reg.shelf = reg.state.shelfFolder = disk.path();
        reg.makeShelf(2);
        const QByteArray before = readBytes(reg.shelfFile());
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        const std::optional<QByteArray> bitmap =
            thumbnailBitmap(pointSampledThumbnail(QImage(40, 50, QImage::Format_RGB32)));
        QVERIFY(bitmap);
        const qint64 page = 4096;
        QVERIFY(disk.fillLeaving(roomForTheThumbnail ? (bitmap->size() + page - 1) / page * page : 0));

        form.Command1_Click();
        QCOMPARE(reg.platform.messages.shown.size(), 1);
        QCOMPARE(reg.platform.messages.shown[0].title, u"記録ファイル書き込みエラー"_s);
        QVERIFY(reg.platform.modal.shown.isEmpty());
        QCOMPARE(readBytes(reg.shelfFile()), before);
        QCOMPARE(QDir(reg.shelf).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{u".filler"_s, u"0ruv.bmp"_s, u"1ruv.bmp"_s, u"Hondana.ruv"_s}));
        QVERIFY(form.isOpen());
    }

    void theMissingDefaultShelfIsMadeOnRegistering()
    {
        Register reg;
        reg.state.shelfFolder = reg.state.programFolder + u"/data"_s;
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        QCOMPARE(form.label9(), u"1"_s);
        QVERIFY(form.command1Enabled());
        QVERIFY(!QFileInfo::exists(reg.state.shelfFolder));
        form.Command1_Click();
        QVERIFY(reg.platform.messages.shown.isEmpty());
        QVERIFY(readBytes(reg.state.shelfFolder + u"/Hondana.ruv"_s).startsWith(" 1 \r\n"));
        QVERIFY(QFileInfo::exists(reg.state.shelfFolder + u"/0ruv.bmp"_s));
    }

    void anotherMissingShelfIsReportedNotMade()
    {
        Register reg;
        reg.state.shelfFolder = reg.dir.path() + u"/unplugged/shelf"_s;
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        form.Command1_Click();
        QCOMPARE(reg.platform.messages.shown.size(), 1);
        QVERIFY(!QFileInfo::exists(reg.dir.path() + u"/unplugged"_s));
        QVERIFY(form.isOpen());
    }

    // A folder in the shelf file's place is told at opening; registering asks, and even a Yes
    // stops at the copy that cannot be made of it.
    void aShelfFileThatCannotBeReadIsNeverReplaced_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("no") << MessageAnswer::No
                            << QStringList{u"本棚データファイルの確認"_s, u"本棚データファイルの書き換え"_s};
        QTest::newRow("yes") << MessageAnswer::Yes
                             << QStringList{u"本棚データファイルの確認"_s, u"本棚データファイルの書き換え"_s,
                                            u"記録ファイル書き込みエラー"_s};
    }
    void aShelfFileThatCannotBeReadIsNeverReplaced()
    {
        QFETCH(MessageAnswer, answer);
        QFETCH(QStringList, titles);
        Register reg;
        QDir().mkpath(reg.shelfFile());
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        reg.platform.messages.answers = {answer};
        form.Command1_Click();
        QStringList shown;
        for (const FakeMessageBoxes::Shown& message : reg.platform.messages.shown)
            shown.append(message.title);
        QCOMPARE(shown, titles);
        QVERIFY(reg.platform.messages.shown.at(0).text.contains(reg.shelfFile()));
        QCOMPARE(reg.platform.messages.shown.at(1).buttons, MessageButtons::YesNoDefaultNo);
        QVERIFY(form.isOpen());
        QVERIFY(QFileInfo(reg.shelfFile()).isDir());
        QCOMPARE(filesIn(reg.shelf), QStringList{u"Hondana.ruv"_s});
    }

    void cancelWritesNothing()
    {
        Register reg;
        reg.makeShelf(3);
        const QByteArray before = readBytes(reg.shelfFile());
        const QStringList files = filesIn(reg.shelf);
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        form.setText2(u"unused"_s);
        form.Command2_Click();
        QVERIFY(!form.isOpen());
        QCOMPARE(readBytes(reg.shelfFile()), before);
        QCOMPARE(filesIn(reg.shelf), files);
    }

    void aPageThatCannotBeDecodedShowsThePlaceholder()
    {
        Register reg;
        reg.makeShelf(0);
        reg.platform.pictures.damaged.insert(u"003.jpg"_s);
        Form5 form(reg.platform.platform(), reg.state);
        form.Form_Load();
        QVERIFY(!form.image1().isNull());
        QVERIFY(reg.platform.messages.shown.isEmpty());
    }

    void layoutStandsInTwips()
    {
        QCOMPARE(RegisterLayout::clientWidth, 5895);
        QCOMPARE(RegisterLayout::clientHeight, 5175);
        const RegisterControl& text2 = RegisterLayout::control(u"Text2"_s);
        QCOMPARE(QRect(text2.left, text2.top, text2.width, text2.height), QRect(2040, 960, 2055, 375));
        const RegisterControl& label4 = RegisterLayout::control(u"Label4"_s);
        QCOMPARE(label4.parent, u"Picture3"_s);
        QCOMPARE(QRect(label4.left, label4.top, label4.width, label4.height), QRect(120, 1440, 5415, 615));
        const RegisterControl& thumbnail = RegisterLayout::control(u"Picture1"_s);
        QCOMPARE(QSize(thumbnail.width, thumbnail.height), QSize(thumbnailWidth * 15, thumbnailHeight * 15));
        QCOMPARE(thumbnail.top, 5160);
        QCOMPARE(RegisterLayout::control(u"Command2"_s).caption, u"ｷｬﾝｾﾙ"_s);
        QCOMPARE(RegisterLayout::panelColor(), QColor(128, 128, 255));
    }
};

QTEST_GUILESS_MAIN(TestForm5)
#include "tst_form5.moc"

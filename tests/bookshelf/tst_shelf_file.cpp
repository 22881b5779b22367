#include "bookshelf/shelf_file.h"
#include "bookshelf/shelf_messages.h"
#include "platform/code_page.h"
#include "platform/native_name.h"
#include "support/raw_files.h"
#include "support/scripted_file_services.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <sys/stat.h>

using namespace ruvo;
using namespace ruvo::test;

Q_DECLARE_METATYPE(ShelfEntry)
Q_DECLARE_METATYPE(ShelfVerdict)

class TestShelfFile : public QObject
{
    Q_OBJECT

private:
    static void writeBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray readBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray recordLines(int first, int count)
    {
        QByteArray bytes;
        for (int i = first; i < first + count; ++i)
            bytes += "L\r\n/b/" + QByteArray::number(i) + ".jpg\r\nT" + QByteArray::number(i) + "\r\n" +
                     QByteArray::number(i) + "ruv.bmp\r\n";
        return bytes;
    }

    QTemporaryDir m_dir;
    ScriptedFileServices m_files;

private Q_SLOTS:
    void newShelfReadsEmptyAndFirstWriteSpacesTheCount()
    {
        QVERIFY(createEmptyShelfFile(m_files, m_dir.path()));
        QCOMPARE(readBytes(m_dir.path() + "/Hondana.ruv"), QByteArray("0\r\n"));
        ShelfReading reading = readShelfFile(m_files, m_dir.path());
        QCOMPARE(reading.verdict, ShelfVerdict::Good);
        QVERIFY(reading.entries.isEmpty());

        reading.entries.append({"VOL", "/books/a/p1.jpg", "A", "0ruv.bmp"});
        QVERIFY(writeShelfFile(m_files, m_dir.path(), reading.entries));
        QCOMPARE(readBytes(m_dir.path() + "/Hondana.ruv"),
                 QByteArray(" 1 \r\nVOL\r\n/books/a/p1.jpg\r\nA\r\n0ruv.bmp\r\n"));
    }

    void twoBooksMakeNineLines()
    {
        const QList<ShelfEntry> entries{{"DISK", "/m/x/01.jpg", "X", "0ruv.bmp"},
                                        {"", "/m/y/02.jpg", "Y", "1ruv.bmp"}};
        QCOMPARE(shelfFileLines(entries), QStringList({" 2 ", "DISK", "/m/x/01.jpg", "X", "0ruv.bmp", "",
                                                       "/m/y/02.jpg", "Y", "1ruv.bmp"}));
        QCOMPARE(shelfFileLines(QList<ShelfEntry>(12)).constFirst(), QStringLiteral(" 12 "));
    }

    void fieldsSurviveWriteAndRead_data()
    {
        QTest::addColumn<ShelfEntry>("entry");
        QTest::newRow("leading and trailing spaces")
            << ShelfEntry{"L", "/p/1.jpg", "  spaced title  ", "0ruv.bmp"};
        QTest::newRow("commas and quotes")
            << ShelfEntry{"L", "/p/a,b.jpg", "\"quoted\", and, 'more'", "0ruv.bmp"};
        QTest::newRow("empty volume label") << ShelfEntry{"", "/p/1.jpg", "t", "0ruv.bmp"};
        QTest::newRow("all fields empty") << ShelfEntry{};
        QTest::newRow("japanese in the code page")
            << ShelfEntry{"ラベル", "/本/頁.jpg", "題名なし", "3ruv.bmp"};
        QTest::newRow("outside the code page") << ShelfEntry{"L", "/p/ü/1.jpg", "Ελληνικά 😀", "0ruv.bmp"};
        QTest::newRow("title that looks like a count") << ShelfEntry{"3", " 7 ", "0", "1ruv.bmp"};
    }
    void fieldsSurviveWriteAndRead()
    {
        QFETCH(ShelfEntry, entry);
        const QList<ShelfEntry> entries{entry, {"after", "/q/2.jpg", "next", "1ruv.bmp"}};
        QVERIFY(writeShelfFile(m_files, m_dir.path(), entries));
        QCOMPARE(m_files.readLines(m_dir.path() + "/Hondana.ruv")->size(), 9);
        const ShelfReading reading = readShelfFile(m_files, m_dir.path());
        QCOMPARE(reading.verdict, ShelfVerdict::Good);
        QCOMPARE(reading.entries, entries);
    }

    // Books whose folders are named in code-page 932 bytes, alone or inside a folder named in
    // UTF-8, come back from the shelf file by their exact bytes; the file is code page 932, or
    // UTF-8 when a title needs it, and valid text either way.
    void legacyNamedBooksComeBackByTheirBytes_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("code-page file") << QStringLiteral("題名") << false;
        QTest::newRow("UTF-8 file") << QStringLiteral("한국어") << true;
    }
    void legacyNamedBooksComeBackByTheirBytes()
    {
        QFETCH(QString, title);
        QFETCH(bool, utf8);
        const QString books = m_dir.path() + "/books";
        // 表紙 (whose second bytes are a backslash and an ASCII letter), and 漫画 inside 書籍.
        const QString cover = books + "/" + nameFromNative("\x95\x5C\x8E\x86");
        const QString nested =
            books + "/" + QStringLiteral("書籍") + "/" + nameFromNative("\x96\x9F\x89\xE6");
        // Not code page 932 either: kept by escapes.
        const QString neither = books + "/" + nameFromNative("\x80\xFD");
        const QList<ShelfEntry> entries{
            {"A", cover + "/1.jpg", title, "0ruv.bmp"},
            {"B", nested + "/" + nameFromNative("\x82\xA0") + ".jpg", "t", "1ruv.bmp"},
            {"C", neither + "/1.jpg", "n", "2ruv.bmp"}};
        for (const QString& folder : {books, cover, books + QStringLiteral("/書籍"), nested, neither})
            QVERIFY(m_files.createFolder(folder));
        for (const ShelfEntry& entry : entries)
            QVERIFY(putRawFile(nativeName(entry.bookPath), "page"));
        // The escapes carry the third book only where the file is UTF-8; in a code-page file
        // its name would not be text, so the whole file is UTF-8.
        const QList<ShelfEntry> written = utf8 ? entries : entries.first(2);
        QVERIFY(writeShelfFile(m_files, m_dir.path(), written));
        const QByteArray bytes = readBytes(m_dir.path() + "/Hondana.ruv");
        QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), utf8);
        if (utf8) {
            QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
            decoder.decode(bytes);
            QVERIFY(!decoder.hasError());
            QVERIFY(bytes.contains(QStringLiteral("表紙").toUtf8()));
        } else {
            QVERIFY(decodeCodePageStrictly(bytes).has_value());
            QVERIFY(bytes.contains(nativeName(cover).mid(books.size())));
        }
        const ShelfReading reading = readShelfFile(m_files, m_dir.path());
        QCOMPARE(reading.verdict, ShelfVerdict::Good);
        QCOMPARE(reading.entries.size(), written.size());
        for (qsizetype i = 0; i < written.size(); ++i)
            QCOMPARE(nativeName(reading.entries.at(i).bookPath), nativeName(written.at(i).bookPath));
        // Written again unchanged, the file is the same bytes.
        QVERIFY(writeShelfFile(m_files, m_dir.path(), reading.entries));
        QCOMPARE(readBytes(m_dir.path() + "/Hondana.ruv"), bytes);
        QVERIFY(removeRawTree(nativeName(books)));
    }

    void lineBreakInsideAFieldKeepsTheRecords()
    {
        const QList<ShelfEntry> entries{{"L", "/p/odd\nname.jpg", "two\r\nlines", "0ruv.bmp"},
                                        {"M", "/q/2.jpg", "next", "1ruv.bmp"}};
        QVERIFY(writeShelfFile(m_files, m_dir.path(), entries));
        const ShelfReading reading = readShelfFile(m_files, m_dir.path());
        QCOMPARE(reading.entries.size(), 2);
        QCOMPARE(reading.entries.at(0).bookPath, QStringLiteral("/p/odd name.jpg"));
        QCOMPARE(reading.entries.at(0).title, QStringLiteral("two  lines"));
        QCOMPARE(reading.entries.at(1), entries.at(1));
    }

    // What each file reads as: the verdict and how many whole records (titled T1, T2, ...)
    // it shows. Never more than the table holds.
    void filesReadWithTheirVerdict_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<ShelfVerdict>("verdict");
        QTest::addColumn<int>("records");
        const ShelfVerdict good = ShelfVerdict::Good;
        const ShelfVerdict damaged = ShelfVerdict::Damaged;

        QTest::newRow("canonical") << QByteArray(" 2 \r\n") + recordLines(1, 2) << good << 2;
        QTest::newRow("new shelf") << QByteArray("0\r\n") << good << 0;
        QTest::newRow("full-width space before the count")
            << QByteArray("\x81\x40 2 \r\n") + recordLines(1, 2) << good << 2;
        QTest::newRow("full-width digits")
            << QByteArray("\x82\x50\x82\x51\r\n") + recordLines(1, 12) << good << 12;
        QTest::newRow("full-width digits in UTF-8")
            << QByteArray("\xEF\xBB\xBF\xEF\xBC\x92\r\n") + recordLines(1, 2) << good << 2;
        QTest::newRow("byte-order mark")
            << QByteArray("\xEF\xBB\xBF 2 \r\n") + recordLines(1, 2) << good << 2;
        QTest::newRow("tabs around the count") << QByteArray("\t2\t\r\n") + recordLines(1, 2) << good << 2;
        QTest::newRow("spaces and lone line feeds") << QByteArray("  2  \n") + recordLines(1, 2) << good << 2;
        QTest::newRow("no line end after the last line")
            << QByteArray(" 2 \r\n") + recordLines(1, 2).chopped(2) << good << 2;
        QTest::newRow("empty lines after the records")
            << QByteArray(" 2 \r\n") + recordLines(1, 2) + "\r\n\r\n\n"
            << good << 2;
        QTest::newRow("UTF-8 without a byte-order mark")
            << QByteArray(" 1 \r\nL\r\n/b/\xE6\x9C\xAC.jpg\r\nT1\r\n1ruv.bmp\r\n") << good << 1;

        QTest::newRow("empty file") << QByteArray() << damaged << 0;
        QTest::newRow("count not a number") << QByteArray("many\r\n") + recordLines(1, 2) << damaged << 2;
        QTest::newRow("count followed by text")
            << QByteArray(" 2 books\r\n") + recordLines(1, 2) << damaged << 2;
        QTest::newRow("negative count") << QByteArray("-3\r\n") + recordLines(1, 2) << damaged << 2;
        QTest::newRow("count 431") << QByteArray(" 431 \r\n") + recordLines(1, 431) << damaged << 430;
        QTest::newRow("records beyond the count")
            << QByteArray(" 1 \r\n") + recordLines(1, 3) << damaged << 1;
        QTest::newRow("file ends early") << QByteArray(" 3 \r\n") + recordLines(1, 1) + "L\r\n/b/x.jpg\r\n"
                                         << damaged << 1;
        QTest::newRow("count far past the table")
            << QByteArray("99999\r\n") + recordLines(1, 431) << damaged << 430;
        QTest::newRow("count past the table, short file")
            << QByteArray("500\r\n") + recordLines(1, 2) << damaged << 2;
        QTest::newRow("huge count") << QByteArray("99999999999999999999\r\n") << damaged << 0;
        QTest::newRow("a NUL byte") << QByteArray(" 2 \r\n") +
                                           recordLines(1, 2).replace("T2", QByteArray("T2\0", 3))
                                    << damaged << 2;
        QTest::newRow("bytes in neither code page")
            << QByteArray(" 2 \r\n") + recordLines(1, 2).replace("/b/2", "/b/\x81\x7F") << damaged << 2;
        QTest::newRow("larger than a shelf can be")
            << QByteArray(" 2 \r\n") + recordLines(1, 2) + QByteArray(shelfReadLimit, '\n') << damaged << 2;
    }
    void filesReadWithTheirVerdict()
    {
        QFETCH(QByteArray, content);
        QFETCH(ShelfVerdict, verdict);
        QFETCH(int, records);
        writeBytes(m_dir.path() + "/Hondana.ruv", content);
        const ShelfReading reading = readShelfFile(m_files, m_dir.path());
        QCOMPARE(reading.verdict, verdict);
        QCOMPARE(reading.entries.size(), records);
        for (int i = 0; i < records; ++i) {
            QVERIFY(reading.entries.at(i).title.startsWith(QStringLiteral("T%1").arg(i + 1)));
            QCOMPARE(reading.entries.at(i).thumbnailFile, QStringLiteral("%1ruv.bmp").arg(i + 1));
        }
        // Every line counts as a name the file mentions, whatever its verdict.
        if (records > 0)
            QVERIFY(reading.lines.contains(QStringLiteral("%1ruv.bmp").arg(records)));
    }

    void countLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("count");
        QTest::newRow("digits") << " 12 " << 12;
        QTest::newRow("no spaces") << "0" << 0;
        QTest::newRow("ideographic space and tab") << "\u3000\t7\u3000" << 7;
        QTest::newRow("full-width digits") << "\uFF14\uFF12\uFF18" << 428;
        QTest::newRow("mixed widths") << "4\uFF12" << 42;
        QTest::newRow("past the 32-bit range") << "99999999999" << std::numeric_limits<int>::max();
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("only spaces") << " \u3000 " << -1;
        QTest::newRow("sign") << "-1" << -1;
        QTest::newRow("plus sign") << "+1" << -1;
        QTest::newRow("two numbers") << "1 2" << -1;
        QTest::newRow("fraction") << "1.5" << -1;
        QTest::newRow("other script's digits") << "\u0661" << -1;
    }
    void countLines()
    {
        QFETCH(QString, line);
        QFETCH(int, count);
        QCOMPARE(shelfCount(line).value_or(-1), count);
    }

    // Something of the name that is no plain file is not a missing shelf.
    void namesThatAreNoFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<ShelfVerdict>("verdict");
        QTest::newRow("nothing") << "none" << ShelfVerdict::Missing;
        QTest::newRow("a folder") << "folder" << ShelfVerdict::Damaged;
        QTest::newRow("a FIFO") << "fifo" << ShelfVerdict::Damaged;
        QTest::newRow("a dangling link") << "dangling" << ShelfVerdict::Damaged;
        QTest::newRow("a link to a shelf") << "link" << ShelfVerdict::Good;
    }
    void namesThatAreNoFile()
    {
        QFETCH(QString, kind);
        QFETCH(ShelfVerdict, verdict);
        const QString path = m_dir.path() + "/Hondana.ruv";
        if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == "dangling") {
            QVERIFY(QFile::link(m_dir.path() + "/gone", path));
        } else if (kind == "link") {
            writeBytes(m_dir.path() + "/elsewhere", " 1 \r\n" + recordLines(1, 1));
            QVERIFY(QFile::link(m_dir.path() + "/elsewhere", path));
        }
        const ShelfReading reading = readShelfFile(m_files, m_dir.path());
        QCOMPARE(reading.verdict, verdict);
        QCOMPARE(reading.entries.size(), verdict == ShelfVerdict::Good ? 1 : 0);
    }

    void nextThumbnailNameReusesTheFirstFreeNumber_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty folder") << QStringList() << "0ruv.bmp";
        QTest::newRow("gap at one") << QStringList{"0ruv.bmp", "2ruv.bmp"} << "1ruv.bmp";
        QTest::newRow("run of three") << QStringList{"0ruv.bmp", "1ruv.bmp", "2ruv.bmp"} << "3ruv.bmp";
        QTest::newRow("only later numbers") << QStringList{"1ruv.bmp", "5ruv.bmp"} << "0ruv.bmp";
        QTest::newRow("a folder takes the name") << QStringList{"0ruv.bmp/"} << "1ruv.bmp";
        QTest::newRow("other files do not count")
            << QStringList{"00ruv.bmp", "0ruv.BMP", "ruv.bmp"} << "0ruv.bmp";
    }
    void nextThumbnailNameReusesTheFirstFreeNumber()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, expected);
        for (const QString& name : present) {
            if (name.endsWith('/'))
                QVERIFY(QDir(m_dir.path()).mkdir(name.chopped(1)));
            else
                writeBytes(m_dir.path() + '/' + name, "BM");
        }
        QCOMPARE(nextThumbnailName(m_files, m_dir.path()), expected);
    }

    void unsafeThumbnailNamesAreNeverDeleted_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent reference") << "../outside.bmp";
        QTest::newRow("absolute path") << "%O/outside.bmp";
        QTest::newRow("sub-folder") << "sub/outside.bmp";
        QTest::newRow("other separator") << "..\\outside.bmp";
        QTest::newRow("parent itself") << "..";
        QTest::newRow("folder itself") << ".";
        QTest::newRow("empty") << "";
    }
    void unsafeThumbnailNamesAreNeverDeleted()
    {
        QFETCH(QString, name);
        const QString shelf = m_dir.path() + "/shelf";
        const QString outside = m_dir.path() + "/outside.bmp";
        QVERIFY(QDir().mkpath(shelf + "/sub"));
        writeBytes(outside, "BM");
        writeBytes(shelf + "/sub/outside.bmp", "BM");
        name.replace("%O", m_dir.path());
        QVERIFY(!isBareFileName(name));
        QCOMPARE(removeThumbnail(m_files, shelf, name), ThumbnailRemoval::Refused);
        QVERIFY(QFile::exists(outside));
        QVERIFY(QFile::exists(shelf + "/sub/outside.bmp"));
        QVERIFY(QDir(shelf).exists());
    }

    void bareThumbnailNamesAreDeleted()
    {
        writeBytes(m_dir.path() + "/4ruv.bmp", "BM");
        writeBytes(m_dir.path() + "/..odd.bmp", "BM");
        QCOMPARE(removeThumbnail(m_files, m_dir.path(), "4ruv.bmp"), ThumbnailRemoval::Removed);
        QCOMPARE(removeThumbnail(m_files, m_dir.path(), "..odd.bmp"), ThumbnailRemoval::Removed);
        QVERIFY(!QFile::exists(m_dir.path() + "/4ruv.bmp"));
        QCOMPARE(removeThumbnail(m_files, m_dir.path(), "4ruv.bmp"), ThumbnailRemoval::Failed);
    }

    void failedWriteKeepsThePreviousShelf()
    {
        const QList<ShelfEntry> before{{"L", "/p/1.jpg", "kept", "0ruv.bmp"}};
        QVERIFY(writeShelfFile(m_files, m_dir.path(), before));
        // A folder in the way of the temporary file's rename makes the real replace fail.
        const QString blocked = m_dir.path() + "/blocked";
        QVERIFY(QDir().mkpath(blocked + "/Hondana.ruv"));
        QVERIFY(!writeShelfFile(m_files, blocked, before));
        QVERIFY(QFileInfo(blocked + "/Hondana.ruv").isDir());
        m_files.failingWrites.insert(m_dir.path() + "/Hondana.ruv");
        QVERIFY(!writeShelfFile(m_files, m_dir.path(), {}));
        QCOMPARE(readShelfFile(m_files, m_dir.path()).entries, before);
    }

    void messagesNameTheShelfFiles()
    {
        const QChar cr(13);
        QCOMPARE(ShelfMessages::registerWriteFailed("/s").title,
                 QStringLiteral("記録ファイル書き込みエラー"));
        QCOMPARE(ShelfMessages::registerWriteFailed("/s").text,
                 QStringLiteral("本棚データファイルへ記録できませんでした") + cr +
                     QStringLiteral("記録ファイルが読み取り専用になっている又はディスクが書き込みできない状態"
                                    "になっている可能性があります") +
                     cr + QStringLiteral("記録ファイル: /s/Hondana.ruv"));
        QCOMPARE(ShelfMessages::saveWriteFailed("/s").title, QStringLiteral("記録ファイル書き込みエラー"));
        QCOMPARE(ShelfMessages::saveWriteFailed("/s").text,
                 QStringLiteral("記録ファイルが読み取り専用になっているか存在しない可能性があります") + cr +
                     QStringLiteral("記録ファイル: /s/Hondana.ruv"));
        QCOMPARE(ShelfMessages::thumbnailDeleteFailed("/s", "3ruv.bmp").title,
                 QStringLiteral("サムネイルアイコン画像削除のエラー"));
        QCOMPARE(
            ShelfMessages::thumbnailDeleteFailed("/s", "3ruv.bmp").text,
            QStringLiteral("サムネイルアイコン画像の削除ができませんでした") + cr +
                QStringLiteral("削除対象記録ファイルが読み取り専用になっているか存在しない可能性があります") +
                cr + QStringLiteral("削除対象ファイル: /s/3ruv.bmp"));
        // A shelf at the root of the file system names its files without a doubled separator.
        QVERIFY(ShelfMessages::saveWriteFailed("/").text.endsWith(QStringLiteral(" /Hondana.ruv")));
        QCOMPARE(thumbnailPath("/", "0ruv.bmp"), QStringLiteral("/0ruv.bmp"));
    }

    void init()
    {
        QVERIFY(m_dir.isValid());
        const QDir::Filters everything =
            QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot;
        for (const QString& name : QDir(m_dir.path()).entryList(everything))
            QVERIFY(QFileInfo(m_dir.path() + '/' + name).isDir() &&
                            !QFileInfo(m_dir.path() + '/' + name).isSymLink()
                        ? QDir(m_dir.path() + '/' + name).removeRecursively()
                        : QFile::remove(m_dir.path() + '/' + name));
    }
};

QTEST_GUILESS_MAIN(TestShelfFile)
#include "tst_shelf_file.moc"

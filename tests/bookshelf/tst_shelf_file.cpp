#include "bookshelf/shelf_file.h"
#include "bookshelf/shelf_messages.h"
#include "support/scripted_file_services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

Q_DECLARE_METATYPE(ShelfEntry)

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
        QVERIFY(reading.readable);
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
        QCOMPARE(reading.entries, entries);
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

    void malformedFilesNeverReadPastTheTable_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("expectedCount");
        QTest::addColumn<int>("completeRecords");
        QTest::newRow("empty file") << QByteArray() << 0 << 0;
        QTest::newRow("count not a number") << QByteArray("many\r\n") + recordLines(1, 2) << 0 << 0;
        QTest::newRow("negative count") << QByteArray("-3\r\n") + recordLines(1, 2) << 0 << 0;
        QTest::newRow("count with spaces and lone line feeds")
            << QByteArray("  2  \n") + recordLines(1, 2) << 2 << 2;
        QTest::newRow("records beyond the count are ignored")
            << QByteArray(" 1 \r\n") + recordLines(1, 3) << 1 << 1;
        QTest::newRow("file ends early") << QByteArray(" 3 \r\n") + recordLines(1, 1) + "L\r\n/b/x.jpg\r\n"
                                         << 3 << 1;
        QTest::newRow("count far past the table")
            << QByteArray("99999\r\n") + recordLines(1, 431) << 430 << 430;
        QTest::newRow("count past the table, short file")
            << QByteArray("500\r\n") + recordLines(1, 2) << 430 << 2;
        QTest::newRow("huge count") << QByteArray("99999999999999999999\r\n") << 430 << 0;
    }
    void malformedFilesNeverReadPastTheTable()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, expectedCount);
        QFETCH(int, completeRecords);
        writeBytes(m_dir.path() + "/Hondana.ruv", content);
        const ShelfReading reading = readShelfFile(m_files, m_dir.path());
        QVERIFY(reading.readable);
        QCOMPARE(reading.entries.size(), expectedCount);
        for (int i = 0; i < completeRecords; ++i)
            QCOMPARE(reading.entries.at(i).title, QStringLiteral("T%1").arg(i + 1));
        for (int i = completeRecords + 1; i < expectedCount; ++i)
            QCOMPARE(reading.entries.at(i), ShelfEntry{});
    }

    void missingFileReadsEmptyAndUnreadable()
    {
        const ShelfReading reading = readShelfFile(m_files, m_dir.path() + "/nowhere");
        QVERIFY(!reading.readable);
        QVERIFY(reading.entries.isEmpty());
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
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
            QVERIFY(QFileInfo(m_dir.path() + '/' + name).isDir()
                        ? QDir(m_dir.path() + '/' + name).removeRecursively()
                        : QFile::remove(m_dir.path() + '/' + name));
    }
};

QTEST_GUILESS_MAIN(TestShelfFile)
#include "tst_shelf_file.moc"

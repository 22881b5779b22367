#include "platform/local_file_services.h"
#include "session/record_file.h"
#include "support/fake_message_boxes.h"
#include "support/scripted_file_services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

class TestRecordFile : public QObject
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
    static void makeShelf(const QString& folder)
    {
        QVERIFY(QDir().mkpath(folder));
        writeBytes(folder + "/Hondana.ruv", "0\r\n");
    }

private Q_SLOTS:
    void readingAtStartUp_data()
    {
        QTest::addColumn<QByteArray>("content"); // "%S" stands for a real shelf folder
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("expectShelf");
        QTest::newRow("missing record file") << QByteArray() << false << false;
        QTest::newRow("empty file") << QByteArray() << true << false;
        QTest::newRow("empty first line") << QByteArray("\r\n%S\r\n") << true << false;
        QTest::newRow("folder with a shelf") << QByteArray("%S\r\n") << true << true;
        QTest::newRow("only the first of several lines")
            << QByteArray("%S\r\n/elsewhere\r\n") << true << true;
        QTest::newRow("lone line feeds") << QByteArray("%S\n") << true << true;
        QTest::newRow("no line end") << QByteArray("%S") << true << true;
        QTest::newRow("folder without a shelf file") << QByteArray("%S/empty\r\n") << true << false;
        QTest::newRow("folder that does not exist") << QByteArray("/no/such/place\r\n") << true << false;
        QTest::newRow("first line untrimmed") << QByteArray(" %S\r\n") << true << false;
    }
    void readingAtStartUp()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, fileExists);
        QFETCH(bool, expectShelf);
        QTemporaryDir dir;
        const QString program = dir.path() + "/program";
        const QString shelf = dir.path() + "/本棚";
        QVERIFY(QDir().mkpath(program));
        makeShelf(shelf);
        QVERIFY(QDir().mkpath(shelf + "/empty"));
        // The shelf folder's name is not ASCII: UTF-8 with its mark keeps it readable.
        const QByteArray written = "\xEF\xBB\xBF" + QByteArray(content).replace("%S", shelf.toUtf8());
        if (fileExists)
            writeBytes(program + "/defruv.ini", written);
        LocalFileServices files;
        RecordFile record(files, program);
        QCOMPARE(record.readShelfFolder(), expectShelf ? shelf : program + "/data");
        // Reading never rewrites the record file.
        if (fileExists)
            QCOMPARE(readBytes(program + "/defruv.ini"), written);
    }

    void programFolderAtTheRootLooksAtTheRoot()
    {
        LocalFileServices files;
        RecordFile record(files, QString());
        QCOMPARE(record.path(), QStringLiteral("/defruv.ini"));
        QCOMPARE(record.defaultShelfFolder(), QStringLiteral("/data"));
    }

    void writingReplacesEveryLine()
    {
        QTemporaryDir dir;
        writeBytes(dir.path() + "/defruv.ini", "/old/one\r\n/old/two\r\n");
        LocalFileServices files;
        RecordFile record(files, dir.path());
        const auto stored = record.writeShelfFolder(dir.path() + "/新しい本棚/");
        QVERIFY(stored.has_value());
        QCOMPARE(*stored, dir.path() + "/新しい本棚");
        // Code page 932 bytes, one line, CR LF.
        QCOMPARE(readBytes(dir.path() + "/defruv.ini"),
                 dir.path().toLatin1() + "/\x90\x56\x82\xb5\x82\xa2\x96\x7b\x92\x49\r\n");
    }

    void theRootIsStoredAsTheRoot()
    {
        QTemporaryDir dir;
        LocalFileServices files;
        RecordFile record(files, dir.path());
        QCOMPARE(record.writeShelfFolder("/").value_or("?"), QStringLiteral("/"));
        QCOMPARE(readBytes(dir.path() + "/defruv.ini"), QByteArray("/\r\n"));
    }

    void aFailedWriteKeepsTheOldLine()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + "/defruv.ini";
        writeBytes(path, "/kept\r\n");
        ScriptedFileServices files;
        files.failingWrites.insert(path);
        RecordFile record(files, dir.path());
        QVERIFY(!record.writeShelfFolder("/new").has_value());
        QCOMPARE(readBytes(path), QByteArray("/kept\r\n"));
    }

    void guard_data()
    {
        QTest::addColumn<int>("attributes");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("plain") << 0 << true;
        QTest::newRow("read-only") << 1 << false;
        QTest::newRow("read-only and hidden") << 3 << false;
        QTest::newRow("read-only and archive") << 33 << false;
        QTest::newRow("read-only and system") << 5 << true;
        QTest::newRow("archive") << 32 << true;
    }
    void guard()
    {
        QFETCH(int, attributes);
        QFETCH(bool, allowed);
        ScriptedFileServices files;
        RecordFile record(files, "/opt/ruvo");
        files.attributeOverrides.insert(record.path(), attributes);
        FakeMessageBoxes messages;
        QCOMPARE(record.allowsChange(messages), allowed);
        QCOMPARE(messages.shown.size(), allowed ? 0 : 1);
        if (!allowed) {
            QCOMPARE(messages.shown.first().title, QStringLiteral("記録ファイル属性の確認"));
            QCOMPARE(messages.shown.first().buttons, MessageButtons::Ok);
            QCOMPARE(
                messages.shown.first().text,
                QStringLiteral(
                    "設定記録ファイル/opt/ruvo/defruv.iniが\r読み取り専用属性の為、設定の変更及び追加記録が"
                    "できません\r（対策）\r/opt/ruvo/defruv.iniファイルを直接、読み取り属性チェックを外す又は"
                    "元のRuvo*.lzhを解凍し直してください"));
        }
    }

    void guardLetsAMissingRecordFileBeCreated()
    {
        QTemporaryDir dir;
        LocalFileServices files;
        FakeMessageBoxes messages;
        QVERIFY(RecordFile(files, dir.path()).allowsChange(messages));
        QVERIFY(messages.shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_record_file.moc"

#include "platform/application_process_service.h"
#include "platform/ini_settings_service.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;

class TestProcessAndSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

private Q_SLOTS:
    void initTestCase()
    {
        // The settings store must never touch the user's real configuration.
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing") << QStringList{"ruvo"} << "";
        QTest::newRow("one path") << QStringList{"ruvo", "/books/a"} << "/books/a";
        QTest::newRow("split path joined") << QStringList{"ruvo", "/books/my", "book"} << "/books/my book";
        QTest::newRow("quotes removed") << QStringList{"ruvo", "\"/books/my book\""} << "/books/my book";
        QTest::newRow("a lone quote stays") << QStringList{"ruvo", "\""} << "\"";
        QTest::newRow("file URI as its path")
            << QStringList{"ruvo", "file:///books/my%20book/%E6%9C%AC.jpg"} << "/books/my book/本.jpg";
        QTest::newRow("quoted file URI") << QStringList{"ruvo", "\"file:///books/a%20b\""} << "/books/a b";
        QTest::newRow("web address opens nothing") << QStringList{"ruvo", "https://example.com/a.jpg"} << "";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QCOMPARE(ApplicationProcessService::commandLineOf(arguments), expected);
    }

    // The executable's folder is the program folder only when it carries its
    // record file: an installed program keeps its files in the user's data folder
    // even where it could write beside itself (as root in /usr/bin).
    void programFolder_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("besideTheProgram");
        QTest::newRow("with its record file") << "defruv.ini" << true;
        QTest::newRow("with its record file and shelf") << "defruv.ini data/Hondana.ruv" << true;
        QTest::newRow("a linked record file") << "elsewhere.ini defruv.ini->elsewhere.ini" << true;
        QTest::newRow("a writable folder without one") << "" << false;
        QTest::newRow("a shelf but no record file") << "data/Hondana.ruv" << false;
        QTest::newRow("a folder named like the record file") << "defruv.ini/" << false;
        QTest::newRow("a dangling link as the record file") << "defruv.ini->gone.ini" << false;
    }
    void programFolder()
    {
        QFETCH(QString, layout);
        QFETCH(bool, besideTheProgram);
        QTemporaryDir dir;
        const QString program = dir.path() + "/bin";
        QVERIFY(QDir().mkpath(program));
        for (const QString& entry : layout.split(' ', Qt::SkipEmptyParts)) {
            const QString path = program + '/' + entry.section("->", 0, 0);
            if (entry.contains("->")) {
                QVERIFY(QFile::link(entry.section("->", 1), path));
            } else if (entry.endsWith('/')) {
                QVERIFY(QDir().mkpath(path));
            } else {
                QVERIFY(QDir().mkpath(QFileInfo(path).path()));
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
            }
        }
        const QStringList before =
            QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        const QString userData = dir.path() + "/user/data";
        const QString expected = besideTheProgram ? program : userData;
        QCOMPARE(ApplicationProcessService::programFolderFor(program + "/", userData), expected);
        QCOMPARE(QDir(userData).exists(), !besideTheProgram);
        // Nothing is laid beside the program for it.
        QCOMPARE(QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), before);
    }

    void programFolderWithItsRecordFile()
    {
        QTemporaryDir dir;
        QFile record(dir.path() + "/defruv.ini");
        QVERIFY(record.open(QIODevice::WriteOnly));
        record.close();
        QCOMPARE(ApplicationProcessService::programFolderFor(dir.path() + "/", "/unused"), dir.path());
    }

    void programFolderThatCannotHoldARecordFile()
    {
        QTemporaryDir dir;
        const QString userData = dir.path() + "/user/data";
        QCOMPARE(ApplicationProcessService::programFolderFor(dir.path() + "/missing", userData), userData);
        QVERIFY(QDir(userData).exists());
    }

    void settingsLiveInTheUsersConfigFolder()
    {
        IniSettingsService settings;
        QCOMPARE(settings.read("Dudado", "startup", "sizew", "9600"), QStringLiteral("9600"));
        settings.write("Dudado", "startup", "sizew", "12000");
        settings.write("Dudado", "startup", "botan", "2");
        QCOMPARE(settings.read("Dudado", "startup", "sizew", "9600"), QStringLiteral("12000"));

        // The help names the file where it is.
        QCOMPARE(IniSettingsService::filePath("Dudado"), m_config.path() + "/Dudado/Dudado.ini");
        QFile file(m_config.path() + "/Dudado/Dudado.ini");
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray content = file.readAll();
        QVERIFY(content.contains("[startup]"));
        QVERIFY(content.contains("sizew=12000"));
        QVERIFY(content.contains("botan=2"));
    }
};

QTEST_GUILESS_MAIN(TestProcessAndSettings)
#include "tst_process_and_settings.moc"

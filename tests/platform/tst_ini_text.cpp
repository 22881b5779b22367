#include "platform/ini_text.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;

class TestIniText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setsAValue_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("empty file") << QByteArray() << "9600" << QByteArray("[startup]\nsizew=9600\n");
        QTest::newRow("key replaced") << QByteArray("[startup]\nsizew=100\nbotan=0\n") << "12000"
                                      << QByteArray("[startup]\nsizew=12000\nbotan=0\n");
        QTest::newRow("key added to its section, other sections kept")
            << QByteArray("[startup]\ncol=0\n\n[other]\nsizew=1\n") << "9600"
            << QByteArray("[startup]\ncol=0\nsizew=9600\n\n[other]\nsizew=1\n");
        QTest::newRow("section added after the others")
            << QByteArray("[other]\nx=1") << "9600" << QByteArray("[other]\nx=1\n\n[startup]\nsizew=9600\n");
        QTest::newRow("spaces around the key")
            << QByteArray("[startup]\n sizew = 5\n") << "7" << QByteArray("[startup]\nsizew=7\n");
        QTest::newRow("a value that needs quotes")
            << QByteArray() << "a \"b\"\\c" << QByteArray("[startup]\nsizew=\"a \\\"b\\\"\\\\c\"\n");
    }

    void setsAValue()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        const QByteArray text =
            withIniValue(before, QStringLiteral("startup"), QStringLiteral("sizew"), value);
        QCOMPARE(text, after);
        QCOMPARE(iniValue(text, QStringLiteral("startup"), QStringLiteral("sizew")),
                 std::optional<QString>(value));
    }

    void readsOnlyItsSection()
    {
        const QByteArray text("[other]\nsizew=1\n[startup]\r\nbotan=2\r\n");
        QCOMPARE(iniValue(text, QStringLiteral("startup"), QStringLiteral("sizew")), std::nullopt);
        QCOMPARE(iniValue(text, QStringLiteral("startup"), QStringLiteral("botan")),
                 std::optional<QString>(QStringLiteral("2")));
    }

    void agreesWithQtsOwnSettingsFiles()
    {
        // Files written by earlier versions, which used Qt's settings class, read the same.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Dudado.ini"));
        {
            QSettings settings(path, QSettings::IniFormat);
            settings.setValue(QStringLiteral("startup/sizew"), QStringLiteral("12000"));
            settings.setValue(QStringLiteral("startup/col"), QStringLiteral("16777215"));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        QCOMPARE(iniValue(text, QStringLiteral("startup"), QStringLiteral("sizew")),
                 std::optional<QString>(QStringLiteral("12000")));
        text = withIniValue(text, QStringLiteral("startup"), QStringLiteral("botan"), QStringLiteral("2"));
        file.close();
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        const QSettings settings(path, QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("startup/botan")).toString(), QStringLiteral("2"));
        QCOMPARE(settings.value(QStringLiteral("startup/col")).toString(), QStringLiteral("16777215"));
    }
};

QTEST_GUILESS_MAIN(TestIniText)
#include "tst_ini_text.moc"

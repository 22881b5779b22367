// Checks the desktop entry in assets/desktop: it starts the program on the one
// path a file manager passes, offers it for folders and for every page format
// the viewer reads, and names it in English and Japanese.

#include "imaging/picture_formats.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMimeDatabase>
#include <QTest>

#include <algorithm>

namespace {

// The keys of the [Desktop Entry] group; localised keys keep their "[ja]".
QHash<QString, QString> readEntry()
{
    QHash<QString, QString> keys;
    const QString folder = QFINDTESTDATA("../../assets/desktop");
    const QStringList entries = QDir(folder).entryList({QStringLiteral("*.desktop")});
    if (entries.size() != 1)
        return keys;
    QFile file(folder + QLatin1Char('/') + entries.constFirst());
    if (!file.open(QIODevice::ReadOnly))
        return keys;
    keys.insert(QStringLiteral("file name"), entries.constFirst());
    bool inEntry = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QStringLiteral("[Desktop Entry]");
        else if (inEntry && line.contains(QLatin1Char('=')))
            keys.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
    }
    return keys;
}

QStringList listValue(const QString& value)
{
    return value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

} // namespace

class TestDesktopEntry : public QObject
{
    Q_OBJECT

    QHash<QString, QString> m_entry;

private Q_SLOTS:
    void initTestCase()
    {
        m_entry = readEntry();
        QVERIFY2(!m_entry.isEmpty(), "assets/desktop must hold one readable desktop entry");
    }

    void startsTheProgramOnOnePath()
    {
        QCOMPARE(m_entry.value("Type"), QStringLiteral("Application"));
        QCOMPARE(m_entry.value("Exec"), QStringLiteral("ruvo %f"));
        QCOMPARE(m_entry.value("Terminal"), QStringLiteral("false"));
    }

    void namesItsIconAndItselfByTheSameReverseDomainName()
    {
        const QString id = m_entry.value("Icon");
        QCOMPARE(m_entry.value("file name"), id + QStringLiteral(".desktop"));
        QVERIFY(id.count(QLatin1Char('.')) >= 2);
        QVERIFY(!QFINDTESTDATA("../../assets/desktop/" + id + ".svg").isEmpty());
    }

    void isNamedInEnglishAndJapanese()
    {
        for (const char* key : {"Name", "GenericName", "Comment"}) {
            const QString english = m_entry.value(key);
            const QString japanese = m_entry.value(QLatin1String(key) + QStringLiteral("[ja]"));
            QVERIFY2(!english.isEmpty(), key);
            QVERIFY2(!japanese.isEmpty(), key);
            QVERIFY2(english != japanese, key);
            QVERIFY2(std::any_of(japanese.cbegin(), japanese.cend(),
                                 [](QChar c) { return c.unicode() >= 0x3000; }),
                     key);
        }
    }

    void isAnImageViewer()
    {
        QCOMPARE(listValue(m_entry.value("Categories")), QStringList({"Graphics", "Viewer"}));
    }

    void opensFoldersAndThePageFormats()
    {
        QCOMPARE(listValue(m_entry.value("MimeType")), QStringList({"inode/directory",
                                                                    "image/jpeg",
                                                                    "image/bmp",
                                                                    "image/gif",
                                                                    "image/vnd.microsoft.icon",
                                                                    "image/x-icon",
                                                                    "image/wmf",
                                                                    "image/x-wmf",
                                                                    "image/emf",
                                                                    "image/x-emf",
                                                                    "image/png",
                                                                    "image/webp",
                                                                    "image/avif",
                                                                    "image/jxl",
                                                                    "application/vnd.comicbook+zip",
                                                                    "application/vnd.comicbook-rar",
                                                                    "application/x-cbz",
                                                                    "application/x-cbr",
                                                                    "application/x-cb7",
                                                                    "application/x-cbt",
                                                                    "application/pdf"}));
    }

    // A file manager offers the entry for a file by its type: every extension a
    // page may have, and every comic archive's, must map to one of the listed types.
    void everyPageExtensionIsOffered_data()
    {
        QTest::addColumn<QString>("suffix");
        for (const QString& suffix : ruvo::pictureSuffixes(ruvo::PageFormats::All))
            QTest::newRow(qPrintable(suffix)) << suffix;
        for (const char* suffix : {".cbz", ".cbr", ".cb7", ".cbt", ".pdf"})
            QTest::newRow(suffix) << QString::fromLatin1(suffix);
    }
    void everyPageExtensionIsOffered()
    {
        QFETCH(QString, suffix);
        const QMimeType type =
            QMimeDatabase().mimeTypeForFile("page" + suffix, QMimeDatabase::MatchExtension);
        QVERIFY2(type.isValid() && !type.isDefault(), qPrintable(suffix));
        const QStringList offered = listValue(m_entry.value("MimeType"));
        QStringList names = type.aliases();
        names.prepend(type.name());
        QVERIFY2(std::any_of(names.cbegin(), names.cend(),
                             [&](const QString& name) { return offered.contains(name); }),
                 qPrintable(suffix + QStringLiteral(" is ") + names.join(QStringLiteral(", "))));
    }
};

QTEST_GUILESS_MAIN(TestDesktopEntry)
#include "tst_desktop_entry.moc"

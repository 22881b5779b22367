// The help's keys are the key table's: every key it maps, each with what its action does,
// and nothing else; the files it names are where this run keeps them.
#include "commands/key_map.h"
#include "commands/key_texts.h"
#include "windows/help_text.h"

#include <QSet>
#include <QTest>
#include <QTextDocument>

using namespace ruvo;
using namespace Qt::StringLiterals;

namespace {

HelpPlaces places()
{
    return {u"/home/u/.config/Dudado/Dudado.ini"_s, u"/home/u/.config/ruvo/ruvo.ini"_s,
            u"/home/u/.local/state/Dudado/Ruvo/positions.txt"_s,
            u"/home/u/.local/share/Dudado/Ruvo/defruv.ini"_s, u"/home/u/棚 <1> & 2"_s};
}

const HelpSection& sectionHeaded(const QList<HelpSection>& sections, const QString& heading)
{
    static const HelpSection none;
    for (const HelpSection& section : sections) {
        if (section.heading == heading)
            return section;
    }
    return none;
}

QString entryText(const HelpSection& section, const QString& term)
{
    for (const HelpEntry& entry : section.entries) {
        if (entry.term == term)
            return entry.text;
    }
    return QString();
}

} // namespace

class TestHelpText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyKeyOfTheTableIsListedWithWhatItDoes()
    {
        const QList<HelpEntry> entries = HelpText::keyEntries();
        QSet<int> actions;
        QSet<QString> tableNames;
        for (const auto& [code, action] : keyTable()) {
            const QString name = keyName(code);
            QVERIFY2(!name.isEmpty(), qPrintable(u"a key without a name: "_s + QString::number(code)));
            QVERIFY2(!keyActionText(action).isEmpty(),
                     qPrintable(u"an action without a description: "_s + QString::number(int(action))));
            QVERIFY2(!tableNames.contains(name), qPrintable(u"two keys named "_s + name));
            tableNames.insert(name);
            actions.insert(int(action));
            int listed = 0;
            for (const HelpEntry& entry : entries) {
                if (entry.text == keyActionText(action)) {
                    ++listed;
                    QVERIFY2(entry.term.split(u", "_s).contains(name), qPrintable(name));
                }
            }
            QCOMPARE(listed, 1);
        }
        // Each action once, and no key the table does not map.
        QCOMPARE(entries.size(), actions.size());
        QSet<QString> listedNames;
        for (const HelpEntry& entry : entries) {
            for (const QString& name : entry.term.split(u", "_s))
                listedNames.insert(name);
        }
        QCOMPARE(listedNames, tableNames);
    }

    void theKeysAreListedInTheTablesOrder()
    {
        const QList<HelpEntry> entries = HelpText::keyEntries();
        QVERIFY(entries.size() >= 2);
        QCOMPARE(entries.first(), (HelpEntry{u"Space, Page Down"_s, keyActionText(KeyAction::NextPage)}));
        QCOMPARE(entries.at(1), (HelpEntry{u"Page Up"_s, keyActionText(KeyAction::PreviousPage)}));
        QVERIFY(entries.contains(HelpEntry{u"↑, テンキーの8"_s, keyActionText(KeyAction::ScrollUp)}));
        QVERIFY(entries.contains(HelpEntry{u"F1"_s, keyActionText(KeyAction::Help)}));
    }

    void f1OpensTheHelp()
    {
        QCOMPARE(int(keyActionFor(KeyCode::F1)), int(KeyAction::Help));
        QVERIFY(keyName(KeyCode::F1) == u"F1"_s);
    }

    void noKeyAndNoActionIsDescribedAsNothing()
    {
        QVERIFY(keyActionText(KeyAction::None).isEmpty());
        QVERIFY(keyName(123).isEmpty());
    }

    void theSectionsInTheirOrder()
    {
        const QList<HelpSection> sections = HelpText::sections(places());
        QStringList headings;
        for (const HelpSection& section : sections)
            headings.append(section.heading);
        QCOMPARE(headings,
                 QStringList({u"開ける本"_s, u"キー操作"_s, u"マウス操作"_s, u"ファイルの保存場所"_s}));
        QCOMPARE(sectionHeaded(sections, u"キー操作"_s).entries, HelpText::keyEntries());
    }

    void aBookIsAFolderOrAnArchive()
    {
        const HelpSection books = sectionHeaded(HelpText::sections(places()), u"開ける本"_s);
        const QString folder = entryText(books, u"フォルダ"_s);
        for (const char* format :
             {"BMP", "JPG", "JPEG", "GIF", "ICO", "WMF", "EMF", "PNG", "WEBP", "AVIF", "JXL"})
            QVERIFY2(folder.contains(QLatin1String(format)), format);
        // The switch that holds folders to the six is named as the menu shows it.
        QVERIFY(folder.contains(u"「フォルダのPNG・WebP・AVIF・JPEG XLも開く」を外すと BMP, JPG"_s));
        const QString archive = entryText(books, u"コミックアーカイブ"_s);
        for (const char* suffix : {".cbz/.zip", ".cbr/.rar", ".cb7/.7z", ".cbt/.tar", "PNG", "WEBP"})
            QVERIFY2(archive.contains(QLatin1String(suffix)), suffix);
        QVERIFY(!entryText(books, u"画像ファイル"_s).isEmpty());
    }

    void theMouseIsDescribedAsTheWindowHandlesIt()
    {
        const HelpSection mouse = sectionHeaded(HelpText::sections(places()), u"マウス操作"_s);
        QStringList terms;
        for (const HelpEntry& entry : mouse.entries)
            terms.append(entry.term);
        QCOMPARE(terms, QStringList({u"ホイール"_s, u"左ボタン"_s, u"右クリック"_s, u"ドロップ"_s}));
        QVERIFY(entryText(mouse, u"ホイール"_s).contains(u"次のページ"_s));
        QVERIFY(entryText(mouse, u"右クリック"_s).contains(u"メニュー"_s));
    }

    void theFilesAreWhereThisRunKeepsThem()
    {
        const HelpPlaces at = places();
        const HelpSection files = sectionHeaded(HelpText::sections(at), u"ファイルの保存場所"_s);
        QCOMPARE(entryText(files, u"ウィンドウの大きさ・背景色"_s), at.windowSettings);
        QCOMPARE(entryText(files, u"横長のページの表示・読みかけから開く"_s), at.readingSettings);
        QCOMPARE(entryText(files, u"読みかけの位置"_s), at.readingPositions);
        QCOMPARE(entryText(files, u"記録ファイル（使う本棚フォルダ）"_s), at.recordFile);
        QCOMPARE(entryText(files, u"本棚"_s), at.shelfFolder + u"/Hondana.ruv"_s);
        QVERIFY(entryText(files, u"サムネイル"_s).startsWith(at.shelfFolder + u" の 0ruv.bmp, 1ruv.bmp"_s));
    }

    // Paths and texts are shown as they are, whatever characters they hold.
    void theRichTextShowsEveryTextAsItIs()
    {
        const QList<HelpSection> sections = HelpText::sections(places());
        QTextDocument document;
        document.setHtml(HelpText::html(sections));
        const QString shown = document.toPlainText();
        for (const HelpSection& section : sections) {
            QVERIFY(shown.contains(section.heading));
            for (const HelpEntry& entry : section.entries) {
                QVERIFY2(shown.contains(entry.term), qPrintable(entry.term));
                QVERIFY2(shown.contains(entry.text), qPrintable(entry.text));
            }
        }
        QVERIFY(shown.contains(u"/home/u/棚 <1> & 2/Hondana.ruv"_s));
    }
};

QTEST_MAIN(TestHelpText)
#include "tst_help_text.moc"

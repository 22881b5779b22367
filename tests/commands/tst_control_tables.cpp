#include "bookshelf/form6_controls.h"
#include "commands/command_group.h"
#include "commands/menu_table.h"
#include "commands/toolbar_table.h"
#include "support/menu_mnemonics.h"
#include "viewer/form1_controls.h"

#include <QHash>

#include <QSet>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

class TestControlTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toolbarIsIndexedFromOne()
    {
        const auto& table = toolbarTable();
        QCOMPARE(table.size(), toolbarButtonCount);
        QSet<QString> keys;
        for (qsizetype i = 0; i < table.size(); ++i) {
            QCOMPARE(table.at(i).index, int(i + 1));
            const bool keyed =
                table.at(i).kind == ToolbarButtonKind::Push || table.at(i).kind == ToolbarButtonKind::Check;
            QCOMPARE(table.at(i).key.isEmpty(), !keyed);
            QCOMPARE(table.at(i).tooltip.isEmpty(), !keyed);
            if (keyed) {
                QVERIFY2(!keys.contains(table.at(i).key), qPrintable(table.at(i).key));
                keys.insert(table.at(i).key);
            }
        }
    }

    void keysAreFoundCaseSensitively_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("index");
        QTest::newRow("first") << "Rforda" << 2;
        QTest::newRow("slider neighbours") << "Rtool" << 18;
        QTest::newRow("hidden canvas") << "CYAN" << 23;
        QTest::newRow("last") << "Ren" << 27;
        QTest::newRow("wrong case") << "ren" << 0;
        QTest::newRow("empty matches no separator") << "" << 0;
        QTest::newRow("unknown") << "Rnothing" << 0;
    }
    void keysAreFoundCaseSensitively()
    {
        QFETCH(QString, key);
        QTEST(toolbarIndexOf(key), "index");
    }

    void wideSpacesInTooltips()
    {
        for (int index : {15, 16, 18, 19, 22, 23}) {
            const QString tip = toolbarTable().at(index - 1).tooltip;
            QVERIFY2(tip.contains(QChar(0x3000)) && !tip.contains(u' '), qPrintable(tip));
        }
    }

    void newWindowStartsWithTheDocumentedStates()
    {
        const Form1Controls controls;
        for (int index = 1; index <= toolbarButtonCount; ++index) {
            const bool disabled = index == MainToolbar::registerBook || index == MainToolbar::previousPage ||
                                  index == MainToolbar::nextPage;
            const bool hidden = index == MainToolbar::scrollRunning || index == MainToolbar::canvas;
            QCOMPARE(controls.button(index).enabled, !disabled);
            QCOMPARE(controls.button(index).visible, !hidden);
            QVERIFY(!controls.button(index).pressed);
        }
        QVERIFY(controls.toolbarVisible);
        QVERIFY(controls.statusBar.visible);
        QVERIFY(!controls.menu(MenuItem::popup).visible);
        QVERIFY(!controls.menu(MenuItem::shelfMenu).visible);
        QVERIFY(!controls.menu(MenuItem::hiddenSeparator).visible);
        QVERIFY(!controls.menu(MenuItem::registerBook).enabled);
        for (const ControlName checked : {MenuItem::toolbar, MenuItem::statusBar, MenuItem::stretch})
            QVERIFY(controls.menu(checked).checked);
        QVERIFY(!controls.menu(MenuItem::onePage).checked);
        QCOMPARE(controls.window.caption, QStringLiteral("Ruvo"));
    }

    void menuTreeHangsTogether()
    {
        QSet<QString> names;
        for (const MenuItemState& item : menuTable()) {
            QVERIFY2(item.parent.isEmpty() || names.contains(item.parent), qPrintable(item.name));
            QVERIFY2(!names.contains(item.name), qPrintable(item.name));
            names.insert(item.name);
        }
        QCOMPARE(Form1Controls().menu(MenuItem::statusBar).caption, QStringLiteral("ｽﾃｰﾀｽﾊﾞｰ ON／OFF(&T)"));
        QCOMPARE(Form1Controls().menu(MenuItem::onePage).parent, MenuItem::screenSettings);
    }

    // Within one menu no two shown items share an access key: a shared one only moves
    // between them, and opens neither.
    void noTwoItemsOfAMenuShareAnAccessKey_data()
    {
        QTest::addColumn<bool>("shelf");
        QTest::newRow("viewer") << false;
        QTest::newRow("shelf") << true;
    }
    void noTwoItemsOfAMenuShareAnAccessKey()
    {
        QFETCH(bool, shelf);
        const QList<MenuItemState>& table = shelf ? Form6Controls::popupMenuTable() : menuTable();
        QHash<QString, QStringList> captionsByMenu;
        for (const MenuItemState& item : table) {
            if (item.visible && !item.isSeparator())
                captionsByMenu[item.parent].append(item.caption);
        }
        QVERIFY(captionsByMenu.size() >= 1);
        for (auto menu = captionsByMenu.cbegin(); menu != captionsByMenu.cend(); ++menu)
            QVERIFY2(mnemonicClashes(menu.value()).isEmpty(),
                     qPrintable(mnemonicClashes(menu.value()).join(u", ")));
    }

    void accessKeysAreReadAsQtReadsThem_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("key");
        QTest::newRow("letter") << u"ファイルを開く(&O)"_s << u"o"_s;
        QTest::newRow("none") << u"本棚を開く"_s << QString();
        QTest::newRow("doubled ampersand") << u"A&&B(&C)"_s << u"c"_s;
        QTest::newRow("only a doubled one") << u"A&&B"_s << QString();
    }
    void accessKeysAreReadAsQtReadsThem()
    {
        QFETCH(QString, caption);
        QFETCH(QString, key);
        const QChar found = mnemonicOf(caption);
        QCOMPARE(found.isNull() ? QString() : QString(found), key);
        QCOMPARE(mnemonicClashes({caption, caption}).size(), key.isEmpty() ? 0 : 1);
    }

    // Quitting stays the last item of the popup menu, after a separator.
    void quittingIsThePopupsLastItem()
    {
        QStringList shown;
        for (const MenuItemState& item : menuTable()) {
            if (item.parent == MenuItem::popup && item.visible)
                shown.append(item.name);
        }
        QCOMPARE(shown.last(), QString(MenuItem::quit));
        QCOMPARE(shown.at(shown.size() - 2), QString(MenuItem::separatorBeforeQuit));
        QVERIFY(shown.contains(MenuItem::fullScreen));
    }

    void groupsSwitchAsAWhole_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QList<int>>("buttons");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("register") << int(CommandGroup::Register) << QList<int>{4} << QStringList{"hondana"};
        QTest::newRow("previous") << int(CommandGroup::Previous) << QList<int>{6} << QStringList{"PRVP"};
        QTest::newRow("next") << int(CommandGroup::Next) << QList<int>{7} << QStringList{"NEXTP"};
        QTest::newRow("placements") << int(CommandGroup::Placements) << QList<int>{9, 10, 11, 12, 13}
                                    << QStringList{"rup", "rdwn", "lnaka", "lup", "ldwn"};
    }
    void groupsSwitchAsAWhole()
    {
        QFETCH(int, group);
        QFETCH(QList<int>, buttons);
        QFETCH(QStringList, items);
        Form1Controls controls;
        for (bool enabled : {true, false, true}) {
            setGroupEnabled(controls, CommandGroup(group), enabled);
            for (int index : buttons)
                QCOMPARE(controls.button(index).enabled, enabled);
            for (const QString& item : items)
                QCOMPARE(controls.menu(item).enabled, enabled);
            QCOMPARE(isGroupEnabled(controls, CommandGroup(group)), enabled);
        }
        // Nothing outside the group moves.
        setGroupEnabled(controls, CommandGroup(group), false);
        QCOMPARE(controls.button(2).enabled, true);
        QCOMPARE(controls.menu(MenuItem::openFile).enabled, true);
    }
};

QTEST_GUILESS_MAIN(TestControlTables)
#include "tst_control_tables.moc"

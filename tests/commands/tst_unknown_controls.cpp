// A name or index no table holds is reported, and answered with an inert
// control of the table's own: what a caller writes to it reaches no other
// table, no later answer and no real control.
#include "commands/control_names.h"
#include "commands/menu_items.h"
#include "commands/menu_table.h"
#include "commands/toolbar_buttons.h"
#include "commands/toolbar_table.h"

#include <QRegularExpression>
#include <QTest>

using namespace ruvo;

class TestUnknownControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The suite stops a test at an unknown name; here unknown names are the point.
        qunsetenv("RUVO_STRICT_NAMES");
    }

    void anUnknownMenuItemIsInertAndOwnedByItsTable()
    {
        MenuItems mine(menuTable());
        MenuItems other(menuTable());
        const QRegularExpression reported(QStringLiteral("menu item: unknown name \"nothing\""));
        QTest::ignoreMessage(QtWarningMsg, reported);
        MenuItemState& written = mine[QStringLiteral("nothing")];
        written.caption = QStringLiteral("changed");
        written.enabled = false;

        QTest::ignoreMessage(QtWarningMsg, reported);
        QCOMPARE(other[QStringLiteral("nothing")].caption, QString());
        // Another table's answer is another item: what this caller holds is untouched.
        QCOMPARE(written.caption, QStringLiteral("changed"));
        QTest::ignoreMessage(QtWarningMsg, reported);
        const MenuItemState& again = mine[QStringLiteral("nothing")];
        QCOMPARE(again.caption, QString());
        QVERIFY(again.enabled);
        for (const MenuItemState& item : mine.inOrder())
            QVERIFY(item.caption != QStringLiteral("changed"));
        QCOMPARE(mine[MenuItem::nextPage].name, QString(MenuItem::nextPage));
    }

    void anUnknownToolbarButtonIsInertAndOwnedByItsToolbar()
    {
        ToolbarButtons mine(toolbarTable());
        ToolbarButtons other(toolbarTable());
        const QRegularExpression reported(QStringLiteral("toolbar button: unknown name \"99\""));
        QTest::ignoreMessage(QtWarningMsg, reported);
        ToolbarButtonState& written = mine[99];
        written.pressed = true;
        written.visible = false;

        QTest::ignoreMessage(QtWarningMsg, reported);
        QVERIFY(!other[99].pressed);
        QVERIFY(written.pressed);
        QTest::ignoreMessage(QtWarningMsg, reported);
        const ToolbarButtonState& again = mine[99];
        QVERIFY(!again.pressed);
        QVERIFY(again.visible);
        for (int index = 1; index <= mine.count(); ++index)
            QVERIFY(!mine[index].pressed);
    }
};

QTEST_GUILESS_MAIN(TestUnknownControls)
#include "tst_unknown_controls.moc"

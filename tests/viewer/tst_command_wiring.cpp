// Cross-checks of the command tables that nothing else ties together: every
// button and menu item the windows show does something, and every toolbar
// key has its icon in the program's resources.
#include "bookshelf/shelf_fixture.h"
#include "commands/menu_table.h"
#include "commands/toolbar_table.h"
#include "support/viewer_fixture.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace ruvo;
using namespace ruvo::test;

namespace {

QString resourceList()
{
    QFile file(QFINDTESTDATA("../../assets/icons/icons.qrc"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestCommandWiring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyButtonRuns_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("key");
        for (const ToolbarButton& spec : toolbarTable()) {
            if (spec.isButton())
                QTest::newRow(qPrintable(u"main "_s + spec.key)) << "main" << spec.key;
        }
        for (const ToolbarButton& spec : Form6Controls::toolbarTable()) {
            if (spec.isButton())
                QTest::newRow(qPrintable(u"shelf "_s + spec.key)) << "shelf" << spec.key;
        }
    }
    void everyButtonRuns()
    {
        QFETCH(QString, window);
        QFETCH(QString, key);
        ShelfFixture f;
        const bool bound =
            window == u"main"_s ? f.viewer.form.hasToolbarAction(key) : f.create().hasToolbarAction(key);
        QVERIFY2(bound, qPrintable(key));
        const QString qrc = resourceList();
        QVERIFY(!qrc.isEmpty());
        QVERIFY2(qrc.contains(u">"_s + key + u".svg<"_s), qPrintable(key));
        QVERIFY2(QFile::exists(QFINDTESTDATA(u"../../assets/icons/"_s + key + u".svg"_s)), qPrintable(key));
    }

    void everyMenuItemRuns()
    {
        ShelfFixture f;
        for (const MenuItemState& item : menuTable()) {
            // Only what the popup menu shows: not the menus themselves, separators or the hidden shelf menu.
            const bool shown = item.parent == MenuItem::popup || item.parent == MenuItem::screenSettings;
            if (shown && !item.isSeparator() && !opensSubmenu(item.name))
                QVERIFY2(f.viewer.form.hasMenuAction(item.name), qPrintable(item.name));
        }
        Form6& shelf = f.create();
        for (const MenuItemState& item : Form6Controls::popupMenuTable()) {
            if (!item.isSeparator())
                QVERIFY2(shelf.hasMenuAction(item.name), qPrintable(item.name));
        }
    }
};

QTEST_MAIN(TestCommandWiring)
#include "tst_command_wiring.moc"

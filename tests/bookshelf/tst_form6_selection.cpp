#include "commands/control_names.h"
#include "commands/key_map.h"
#include "shelf_fixture.h"

#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

class TestForm6Selection : public QObject
{
    Q_OBJECT

private:
    static void select(Form6& form, int index) { form.iconMouseDown(index, Qt::LeftButton); }

private Q_SLOTS:
    void clickingAnIconSelectsIt()
    {
        ShelfFixture f;
        f.makeShelf(3);
        Form6& form = f.open();
        select(form, 1);
        const Form6Controls& controls = form.controls();
        QVERIFY(form.isSelected());
        QCOMPARE(form.selectedIndex(), 1);
        QCOMPARE(controls.shape1.geometry, controls.icons.at(1).image);
        QCOMPARE(controls.panel(2), controls.icons.at(1).toolTip);
        QVERIFY(controls.button(10).enabled);
        QVERIFY(controls.button(11).enabled);
        QVERIFY(controls.menu(ShelfMenuItem::rename).enabled);
        QVERIFY(controls.menu(ShelfMenuItem::remove).enabled);
        QCOMPARE(f.popupRequests->count(), 0);
        form.Image1_Click(2);
        QCOMPARE(form.selectedIndex(), 2);
    }

    void backgroundClearsTheSelection()
    {
        ShelfFixture f;
        f.makeShelf(3);
        Form6& form = f.open();
        select(form, 1);
        form.DAIMEY();
        form.backgroundMouseDown(Qt::LeftButton);
        const Form6Controls& controls = form.controls();
        QVERIFY(!form.isSelected());
        QVERIFY(!controls.text1.visible);
        QCOMPARE(controls.panel(2), QStringLiteral("レディ"));
        QVERIFY(!controls.button(10).enabled);
        QVERIFY(!controls.button(11).enabled);
        // The index stays for the next arrow key.
        QCOMPARE(form.selectedIndex(), 1);
        QCOMPARE(f.popupRequests->count(), 0);
    }

    void rightClicksOpenThePopupMenu()
    {
        ShelfFixture f;
        f.makeShelf(3);
        Form6& form = f.open();
        form.iconMouseDown(2, Qt::RightButton);
        QCOMPARE(f.popupRequests->count(), 1);
        QCOMPARE(form.selectedIndex(), 2);
        QVERIFY(form.controls().menu(ShelfMenuItem::rename).enabled);
        form.backgroundMouseDown(Qt::RightButton);
        QCOMPARE(f.popupRequests->count(), 2);
        // Only the sort is offered without a selection.
        QVERIFY(!form.controls().menu(ShelfMenuItem::rename).enabled);
        QVERIFY(!form.controls().menu(ShelfMenuItem::remove).enabled);
        QVERIFY(form.controls().menu(ShelfMenuItem::sort).enabled);
        const QList<MenuItemState>& items = Form6Controls::popupMenuTable();
        QCOMPARE(items.size(), 4);
        QCOMPARE(items.at(0).caption, QStringLiteral("アイコンタイトルの変更(&M)"));
        QCOMPARE(items.at(1).caption, QStringLiteral("アイコンをタイトル名順に整列(&I)"));
        QVERIFY(items.at(2).isSeparator());
        QCOMPARE(items.at(3).caption, QStringLiteral("アイコンを削除(&D)"));
        // Disabled items do nothing.
        form.menuClick(ShelfMenuItem::remove);
        QCOMPARE(form.entryCount(), 3);
    }

    void arrowsStopAtTheEdges_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        // Ten books: 0 and 1 in the first row, then 2-5 and 6-9; four columns.
        QTest::newRow("right on the last") << 9 << KeyCode::Right << 9;
        QTest::newRow("right") << 4 << KeyCode::Right << 5;
        QTest::newRow("right across rows") << 1 << KeyCode::Right << 2;
        QTest::newRow("left on the first") << 0 << KeyCode::Left << 0;
        QTest::newRow("left") << 5 << KeyCode::Left << 4;
        QTest::newRow("up from the first row") << 1 << KeyCode::Up << 1;
        QTest::newRow("up") << 6 << KeyCode::Up << 2;
        QTest::newRow("up into the first row") << 4 << KeyCode::Up << 0;
        QTest::newRow("down from the last row") << 7 << KeyCode::Down << 7;
        QTest::newRow("down lands below") << 0 << KeyCode::Down << 4;
        QTest::newRow("down") << 5 << KeyCode::Down << 9;
        QTest::newRow("down past the last book") << 6 << KeyCode::Down << 6;
    }
    void arrowsStopAtTheEdges()
    {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, expected);
        ShelfFixture f;
        f.makeShelf(10);
        Form6& form = f.open(580, 1000);
        select(form, start);
        form.Form_KeyDown(key);
        QCOMPARE(form.selectedIndex(), expected);
        QVERIFY(form.isSelected());
        // Straight down from the first row's first book is the book below it.
        if (start == 0 && key == KeyCode::Down)
            QCOMPARE(form.controls().icons.at(expected).image.left(),
                     form.controls().icons.at(0).image.left() + 1);
    }

    void arrowsWithoutASelectionStartFromTheLastIndex()
    {
        ShelfFixture f;
        f.makeShelf(3);
        Form6& form = f.open();
        form.Form_KeyDown(KeyCode::Right);
        QCOMPARE(form.selectedIndex(), 1);
        QVERIFY(form.isSelected());
    }

    void upAndDownScrollTowardsTheSelection()
    {
        ShelfFixture f;
        f.makeShelf(14);
        // Rows at 10, 163, 316, 469; the canvas is 629 high in a view of 300.
        Form6& form = f.open(580, 300);
        const Form6Controls& controls = form.controls();
        QCOMPARE(controls.vscroll1.maximum, 629 - 300);
        select(form, 6); // third row
        form.Form_KeyDown(KeyCode::Down);
        QCOMPARE(form.selectedIndex(), 10); // its title at 469 + 129 = 598 lies below the view
        QCOMPARE(controls.vscroll1.value, 153);
        QCOMPARE(controls.picture2.top(), -153);
        // From the last row the selection stays, but the view still follows it.
        form.Form_KeyDown(KeyCode::Down);
        QCOMPARE(form.selectedIndex(), 10);
        QCOMPARE(controls.vscroll1.value, 306);
        form.Form_KeyDown(KeyCode::Down); // 598 - 306 lies in the view
        QCOMPARE(controls.vscroll1.value, 306);
        select(form, 1);
        form.Form_KeyDown(KeyCode::Up);
        QCOMPARE(form.selectedIndex(), 1);
        QCOMPARE(controls.vscroll1.value, 153); // the title at 139 - 306 lies above the view
        form.Form_KeyDown(KeyCode::Up);         // 139 - 153 still above: stops at the top
        QCOMPARE(controls.vscroll1.value, 0);
        form.Form_KeyDown(KeyCode::Up);
        QCOMPARE(controls.vscroll1.value, 0);
        // Left and right never scroll.
        select(form, 13);
        form.Form_KeyDown(KeyCode::Left);
        QCOMPARE(controls.vscroll1.value, 0);
    }

    void scrollingStopsAtTheEnds()
    {
        ShelfFixture f;
        f.makeShelf(14);
        Form6& form = f.open(580, 300);
        ShelfScrollBar& bar = form.controls().vscroll1;
        form.Toolbar1_ButtonClick(ShelfToolbarKey::down);
        QCOMPARE(bar.value, 153);
        form.Toolbar1_ButtonClick(ShelfToolbarKey::down);
        QCOMPARE(bar.value, 306);
        form.Toolbar1_ButtonClick(ShelfToolbarKey::down); // fewer than 153 remain
        QCOMPARE(bar.value, 329);
        QCOMPARE(form.controls().picture2.top(), -329);
        form.Toolbar1_ButtonClick(ShelfToolbarKey::up);
        QCOMPARE(bar.value, 176);
        form.Toolbar1_ButtonClick(ShelfToolbarKey::up);
        form.Toolbar1_ButtonClick(ShelfToolbarKey::up);
        QCOMPARE(bar.value, 0);
        form.Toolbar1_ButtonClick(ShelfToolbarKey::toBottom);
        QCOMPARE(bar.value, 329);
        form.Toolbar1_ButtonClick(ShelfToolbarKey::toTop);
        QCOMPARE(bar.value, 0);
        QCOMPARE(form.controls().picture2.top(), 0);
        form.VScroll1_Change(200);
        QCOMPARE(form.controls().picture2.top(), -200);
        // A new layout shows the top again.
        f.resize(580, 300);
        QCOMPARE(bar.value, 0);
        QCOMPARE(form.controls().picture2.top(), 0);
    }

    void scrollButtonsDoNothingOnAShortShelf()
    {
        ShelfFixture f;
        f.makeShelf(3);
        Form6& form = f.open();
        for (const char* key : {"down", "saisita", "up", "saiue"}) {
            form.Toolbar1_ButtonClick(key);
            QCOMPARE(form.controls().vscroll1.value, 0);
            QCOMPARE(form.controls().picture2.top(), 0);
        }
    }

    void enterWithoutASelectionDoesNothing()
    {
        ShelfFixture f;
        f.makeShelf(2);
        Form6& form = f.open();
        form.Form_KeyDown(KeyCode::Enter);
        QVERIFY(f.messages().shown.isEmpty());
        QCOMPARE(f.closeRequests->count(), 0);
        QVERIFY(!form.isUnloaded());
    }

    void enterOpensTheSelectedBook()
    {
        ShelfFixture f;
        const QList<ShelfEntry> entries = f.makeShelf(2);
        Form6& form = f.open();
        select(form, 1);
        form.Form_KeyDown(KeyCode::Enter);
        QCOMPARE(f.closeRequests->count(), 1);
        QCOMPARE(f.viewer.state.shownPagePath, entries.at(1).bookPath);
    }

    void enterWhileRenamingDoesNotOpen()
    {
        ShelfFixture f;
        f.makeShelf(2);
        Form6& form = f.open();
        select(form, 0);
        form.DAIMEY();
        form.Form_KeyDown(KeyCode::Enter);
        QCOMPARE(f.closeRequests->count(), 0);
        QVERIFY(form.controls().text1.visible);
    }

    void otherKeysDoNothing()
    {
        ShelfFixture f;
        f.makeShelf(3);
        Form6& form = f.open();
        select(form, 1);
        for (int key : {KeyCode::Space, KeyCode::PageDown, KeyCode::X, 0})
            form.Form_KeyDown(key);
        QCOMPARE(form.selectedIndex(), 1);
        QCOMPARE(f.closeRequests->count(), 0);
    }

    void selectionFrameFollowsALayout()
    {
        ShelfFixture f;
        f.makeShelf(5);
        Form6& form = f.open();
        select(form, 2);
        f.resize(1000, 333);
        QCOMPARE(form.controls().shape1.geometry, form.controls().icons.at(2).image);
        QCOMPARE(form.controls().icons.at(2).image.topLeft(), QPoint(575 + 23, 10));
    }
};

QTEST_GUILESS_MAIN(TestForm6Selection)
#include "tst_form6_selection.moc"

#include "commands/control_names.h"
#include "commands/key_map.h"
#include "commands/toolbar_table.h"
#include "support/viewer_fixture.h"
#include "viewer/status_texts.h"

#include <QSignalSpy>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

class TestForm1Commands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageKeysFollowTheMenus()
    {
        ViewerFixture f;
        f.open(f.makeBook(7));
        f.form.Form_KeyDown(KeyCode::Space, 0);
        QCOMPARE(f.index(), 3);
        f.form.Form_KeyDown(KeyCode::PageDown, 1);
        QCOMPARE(f.index(), 5);
        f.form.Form_KeyDown(KeyCode::PageUp, 0);
        QCOMPARE(f.index(), 3);

        // Disabled menus stop the keys, whatever the index says.
        f.form.controls().menu(MenuItem::nextPage).enabled = false;
        f.form.controls().menu(MenuItem::previousPage).enabled = false;
        f.platform.pictures.decoded.clear();
        for (int key : {KeyCode::Space, KeyCode::PageDown, KeyCode::PageUp})
            f.form.Form_KeyDown(key, 0);
        QCOMPARE(f.index(), 3);
        QVERIFY(f.platform.pictures.decoded.isEmpty());
    }

    void pageUpInBothModes()
    {
        ViewerFixture f;
        f.open(f.makeBook(7) + "/p5.jpg");
        QCOMPARE(f.index(), 5);
        f.form.Form_KeyDown(KeyCode::PageUp, 0);
        QCOMPARE(f.index(), 3);
        QCOMPARE(f.form.fields().goingBack, false);

        f.form.ITtyo();
        QCOMPARE(f.index(), 2);
        f.form.Form_KeyDown(KeyCode::PageUp, 0);
        QCOMPARE(f.index(), 1);
        QCOMPARE(f.panel(3), QStringLiteral("[2] p2.jpg"));
    }

    void xQuitsThroughTheUnload()
    {
        ViewerFixture f;
        f.form.Form_KeyDown(KeyCode::X, 2);
        QCOMPARE(f.platform.process.exitCount, 1);
        QVERIFY(f.platform.settings.has("col"));
    }

    void arrowKeysMoveTheFrame()
    {
        ViewerFixture f;
        f.platform.pictures.sizes.insert("p1.jpg", QSize(1000, 700));
        f.setOnePageMode(true);
        f.open(f.makeBook(1));
        Surface& frame = f.form.controls().picture1;
        QCOMPARE(frame.left, -3000.0);
        frame.top = -2000;
        f.form.Form_KeyDown(KeyCode::Up, 0);
        QCOMPARE(frame.top, -1400.0);
        f.form.Form_KeyDown(KeyCode::Numpad8, 0);
        QCOMPARE(frame.top, -800.0);
        f.form.Form_KeyDown(KeyCode::Up, 0);
        QCOMPARE(frame.top, -200.0);
        f.form.Form_KeyDown(KeyCode::Up, 0);
        QCOMPARE(frame.top, 0.0);
        f.form.Form_KeyDown(KeyCode::Down, 0);
        QCOMPARE(frame.top, -600.0);
        f.form.Form_KeyDown(KeyCode::Numpad2, 0);
        QCOMPARE(frame.top, -1200.0);
        f.form.Form_KeyDown(KeyCode::Down, 0);
        f.form.Form_KeyDown(KeyCode::Down, 0);
        QCOMPARE(frame.top, -2400.0);
        f.form.Form_KeyDown(KeyCode::Down, 0);
        QCOMPARE(frame.top, -2500.0);
        f.form.Form_KeyDown(KeyCode::Left, 0);
        QCOMPARE(frame.left, -2400.0);
        f.form.Form_KeyDown(KeyCode::Numpad6, 0);
        QCOMPARE(frame.left, -3000.0);
    }

    void toolbarAndStatusBarSwitches()
    {
        ViewerFixture f;
        Form1Controls& c = f.form.controls();
        c.toolbarHeight = 450;
        c.statusBarHeight = 300;
        f.setArea(9600, 7200);
        f.form.Toolbar1_ButtonClick(MainToolbar::toolbar);
        QVERIFY(!c.toolbarVisible);
        QVERIFY(!c.menu(MenuItem::toolbar).checked);
        QCOMPARE(c.nori.top, 0.0);
        QCOMPARE(c.nori.height, 6900.0);
        f.form.menuClick(MenuItem::toolbar);
        QVERIFY(c.toolbarVisible);
        QCOMPARE(c.nori.top, 450.0);

        f.form.Toolbar1_ButtonClick(MainToolbar::statusBar);
        QVERIFY(!c.statusBar.visible);
        QVERIFY(c.button(19).pressed);
        QCOMPARE(c.nori.height, 6750.0);
        f.form.menuClick(MenuItem::statusBar);
        QVERIFY(c.statusBar.visible);
        QVERIFY(!c.button(19).pressed);
        f.form.Toolbar1_ButtonClick(MainToolbar::statusBar);
        f.form.Toolbar1_ButtonClick(MainToolbar::statusBar);
        QVERIFY(c.statusBar.visible);
        QVERIFY(!c.button(19).pressed);
        QVERIFY(f.platform.pointer.sets > 0);
        QVERIFY(!f.platform.pointer.isBusy());
    }

    void bothScrollFacesToggleTheSameSwitch()
    {
        ViewerFixture f;
        f.open(f.makeBook(2));
        Form1Controls& c = f.form.controls();
        f.form.Toolbar1_ButtonClick(MainToolbar::scrollStopped);
        QCOMPARE(f.form.fields().autoScrollOn, true);
        QVERIFY(c.button(15).visible);
        QVERIFY(!c.button(16).visible);
        QVERIFY(c.menu(MenuItem::autoScroll).checked);
        QVERIFY(c.timer1Interval > 0);
        f.form.Toolbar1_ButtonClick(MainToolbar::scrollRunning);
        QCOMPARE(f.form.fields().autoScrollOn, false);
        QVERIFY(!c.button(15).visible);
        QVERIFY(c.button(16).visible);
        f.form.menuClick(MenuItem::autoScroll);
        QCOMPARE(f.form.fields().autoScrollOn, true);
        QCOMPARE(c.timer1Interval, 1);
    }

    void automaticScrollingFollowsTheSlider()
    {
        ViewerFixture f;
        f.platform.pictures.sizes.insert("p1.jpg", QSize(400, 800));
        f.setOnePageMode(true);
        f.open(f.makeBook(1));
        f.form.SCROOKIRIKAE();
        QCOMPARE(f.form.fields().scrollRange, 12000 - 8000);
        f.form.Timer1_Timer();
        QCOMPARE(f.form.controls().picture1.top, 0.0);
        f.form.Timer1_Timer();
        QCOMPARE(f.form.controls().picture1.top, -75.0);
        f.form.Slider1_Scroll(150);
        QCOMPARE(f.form.controls().label1, QStringLiteral("150"));
        f.form.Timer1_Timer();
        QCOMPARE(f.form.controls().picture1.top, -150.0);
        f.form.Timer1_Timer();
        QCOMPARE(f.form.controls().picture1.top, -300.0);
        f.form.Slider1_Scroll(0);
        f.form.Timer1_Timer();
        f.form.Timer1_Timer();
        QCOMPARE(f.form.controls().picture1.top, -450.0);
    }

    void menuItemsDispatch()
    {
        ViewerFixture f;
        f.open(f.makeBook(7));
        f.form.menuClick(MenuItem::nextPage);
        QCOMPARE(f.index(), 3);
        f.form.menuClick(MenuItem::previousPage);
        QCOMPARE(f.index(), 1);
        f.form.menuClick(MenuItem::onePage);
        QVERIFY(f.form.controls().menu(MenuItem::onePage).checked);
        f.form.menuClick(MenuItem::stretch);
        QVERIFY(f.form.controls().menu(MenuItem::stretch).checked);
        f.form.menuClick(MenuItem::tidyShelf);
        f.form.menuClick(MenuItem::openFile);
        f.form.menuClick(MenuItem::openShelf);
        QCOMPARE(f.platform.modal.shown, QStringList({"Form8", "Form2", "Form6"}));
        QVERIFY(f.platform.pointer.sets > 0);
        QVERIFY(!f.platform.pointer.isBusy());
        f.form.menuClick(MenuItem::quit);
        QCOMPARE(f.platform.process.exitCount, 1);
    }

    void toolbarButtonsOpenTheirWindows()
    {
        ViewerFixture f;
        f.open(f.makeBook(2));
        for (int index : {2, 3, 4, 26})
            f.form.Toolbar1_ButtonClick(index);
        QCOMPARE(f.platform.modal.shown, QStringList({"Form2", "Form6", "Form5", "Form3"}));
        f.form.Toolbar1_ButtonClick(MainToolbar::quit);
        QCOMPARE(f.platform.process.exitCount, 1);
    }

    void rightClicksPopTheMenu()
    {
        ViewerFixture f;
        f.open(f.makeBook(2));
        QSignalSpy popups(&f.form, &Form1::popupMenuRequested);
        f.form.Picture2_MouseDown(Qt::RightButton, 10, 10);
        f.form.Picture3_MouseDown(Qt::RightButton, 10, 10);
        f.form.surfaceMouseDown(Qt::RightButton);
        f.form.surfaceMouseDown(Qt::LeftButton);
        QCOMPARE(popups.count(), 3);
        QCOMPARE(f.form.fields().panActive, false);
    }

    void panningFollowsTheHeldButton()
    {
        ViewerFixture f;
        f.platform.pictures.sizes.insert("p1.jpg", QSize(600, 800));
        f.platform.pictures.sizes.insert("p2.jpg", QSize(600, 800));
        f.open(f.makeBook(2));
        Form1Controls& c = f.form.controls();
        // An 18000 x 12000 spread right-aligned in 12000 x 8000.
        QCOMPARE(c.picture1.left, -6000.0);
        f.form.Picture2_MouseDown(Qt::LeftButton, 8900, 4000);
        QCOMPARE(c.timer2Interval, 300);
        QCOMPARE(c.picture1.left, -6000.0);
        QCOMPARE(c.picture1.top, 0.0);
        f.form.pictureMouseMove(100, 11900);
        f.form.Timer2_Timer();
        QCOMPARE(c.picture1.left, -3100.0);
        QCOMPARE(c.picture1.top, -4000.0);
        f.form.pictureMouseUp();
        QCOMPARE(c.timer2Interval, 0);
        f.form.Picture3_MouseDown(Qt::LeftButton, 100, 100);
        QCOMPARE(c.picture1.left, 0.0);
        QCOMPARE(c.picture1.top, 0.0);
        f.form.pictureMouseUp();
        const Surface before = c.picture1;
        f.form.Timer2_Timer();
        QCOMPARE(c.picture1.left, before.left);
    }

    void backgroundColour()
    {
        ViewerFixture f;
        Form1Controls& c = f.form.controls();
        f.form.Toolbar1_ButtonClick(MainToolbar::background);
        QVERIFY(c.picture4.visible);
        QCOMPARE(c.picture4.width, c.nori.width);
        QCOMPARE(c.picture4.height, c.nori.height);
        f.form.col_Click(27);
        QCOMPARE(c.picture4.backColor, 11772145);
        QCOMPARE(c.nori.backColor, 0);
        f.form.Command3_Click();
        QVERIFY(!c.picture4.visible);
        QCOMPARE(c.nori.backColor, 11772145);
        QCOMPARE(c.picture1.backColor, 11772145);

        f.form.openSettingsPanel();
        f.form.col_Click(15);
        f.form.Command2_Click();
        QCOMPARE(c.nori.backColor, 11772145);
        QCOMPARE(c.picture4.backColor, 255);

        f.form.Form_Unload();
        QCOMPARE(f.platform.settings.get("col"), QStringLiteral("11772145"));
    }

    void randomColour_data()
    {
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<int>("color");
        QTest::newRow("zeros") << QList<double>{0, 0, 0} << 0;
        QTest::newRow("near one") << QList<double>{0.9999, 0.9999, 0.9999} << 0xFFFFFF;
        QTest::newRow("halves to even") << QList<double>{0.5, 0.5, 0.5} << (128 + 256 * 128 + 65536 * 128);
        QTest::newRow("red, green, blue in turn")
            << QList<double>{1.0 / 255, 2.0 / 255, 3.0 / 255} << (1 + 256 * 2 + 65536 * 3);
    }
    void randomColour()
    {
        QFETCH(QList<double>, draws);
        ViewerFixture f;
        f.platform.random.values = draws;
        f.form.openSettingsPanel();
        f.form.colimage_Click();
        QTEST(f.form.controls().picture4.backColor, "color");
        QCOMPARE(f.platform.random.reseedCount, 1);
        QCOMPARE(f.form.controls().nori.backColor, 0);
    }

    void canvasOfFivePages()
    {
        ViewerFixture f;
        f.open(f.makeBook(5));
        f.form.Toolbar1_ButtonClick(MainToolbar::canvas);
        const Form1Controls& c = f.form.controls();
        QVERIFY(c.picture6.visible);
        QCOMPARE(c.foto.size(), 5);
        QCOMPARE(f.index(), 4);
        QCOMPARE(f.form.fields().endCheckArmed, true);
        QCOMPARE(f.form.fields().spreadShown, true);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(f.shownColor(c.foto[i]), f.colorOf(QStringLiteral("p%1.jpg").arg(i + 1)));
        QCOMPARE(f.panel(2), QStringLiteral("[5] p5.jpg"));
        QCOMPARE(f.panel(3), QStringLiteral("[1] p1.jpg"));

        // Run again, the canvas goes away.
        f.form.KANBAS();
        QVERIFY(!c.picture6.visible);
        QCOMPARE(c.foto.size(), 2);
    }

    void canvasRowsWrapAtTheTallestHeight()
    {
        ViewerFixture f;
        f.platform.pictures.sizes.insert("p1.jpg", QSize(266, 200));
        f.platform.pictures.sizes.insert("p2.jpg", QSize(266, 300));
        f.platform.pictures.sizes.insert("p3.jpg", QSize(266, 100));
        f.platform.pictures.sizes.insert("p4.jpg", QSize(266, 100));
        f.setArea(9000, 6000);
        f.open(f.makeBook(4));
        f.form.KANBAS();
        const QList<Surface>& tiles = f.form.controls().foto;
        QCOMPARE(tiles.size(), 4);
        QCOMPARE(QPointF(tiles[0].left, tiles[0].top), QPointF(0, 0));
        QCOMPARE(QPointF(tiles[1].left, tiles[1].top), QPointF(3990, 0));
        QCOMPARE(QPointF(tiles[2].left, tiles[2].top), QPointF(0, 4500));
        QCOMPARE(QPointF(tiles[3].left, tiles[3].top), QPointF(3990, 4500));
    }

    void canvasOfABookOfOnePage()
    {
        ViewerFixture f;
        f.open(f.makeBook(1));
        f.form.KANBAS();
        QCOMPARE(f.form.controls().foto[0].picture.isNull(), false);
        QCOMPARE(f.index(), 0);
        QVERIFY(f.platform.messages.shown.isEmpty());
    }

    void canvasInOnePageModeOnTheFirstPage()
    {
        ViewerFixture f;
        f.setOnePageMode(true);
        f.open(f.makeBook(3));
        QCOMPARE(f.index(), 0);
        f.form.KANBAS();
        QVERIFY(f.platform.messages.shown.isEmpty());
        QCOMPARE(f.shownColor(f.form.controls().foto[0]), f.colorOf("p1.jpg"));
        QCOMPARE(f.index(), 2);
    }

    void canvasGoesOnAfterADamagedPage()
    {
        ViewerFixture f;
        f.platform.pictures.damaged.insert("p2.jpg");
        f.open(f.makeBook(3));
        f.platform.messages.shown.clear();
        f.form.KANBAS();
        QCOMPARE(f.platform.messages.shown.size(), 1);
        const Form1Controls& c = f.form.controls();
        QCOMPARE(c.foto.size(), 3);
        QCOMPARE(c.foto[1].picture, c.picture5.picture);
        QCOMPARE(f.shownColor(c.foto[2]), f.colorOf("p3.jpg"));
    }

    // However many operations one event runs, the window redraws once when it
    // ends, and besides once before each window the event shows (the mode
    // switch shows its notice over the new mode) and once before each page it
    // decodes (the status bar says the page is loading meanwhile).
    void oneEventOneRedraw_data()
    {
        QTest::addColumn<QString>("event");
        QTest::addColumn<QStringList>("windowsShown");
        QTest::addColumn<int>("pagesDecoded");
        const QStringList none;
        const QStringList notice{QStringLiteral("Form8")};
        QTest::newRow("one-page button") << QStringLiteral("one-page button") << notice << 0;
        QTest::newRow("stretch button") << QStringLiteral("stretch button") << none << 0;
        QTest::newRow("one-page menu") << QStringLiteral("one-page menu") << notice << 0;
        QTest::newRow("stretch menu") << QStringLiteral("stretch menu") << none << 0;
        QTest::newRow("next key") << QStringLiteral("next key") << none << 2;
        QTest::newRow("next menu") << QStringLiteral("next menu") << none << 2;
        QTest::newRow("placement button") << QStringLiteral("placement button") << none << 0;
        QTest::newRow("scroll button") << QStringLiteral("scroll button") << none << 0;
    }
    void oneEventOneRedraw()
    {
        QFETCH(QString, event);
        ViewerFixture f;
        f.open(f.makeBook(7));
        f.platform.modal.shown.clear();
        f.platform.pictures.decoded.clear();
        QSignalSpy redraws(&f.form, &Form1::changed);
        QSignalSpy loadingShown(&f.form, &Form1::statusChanged);
        if (event == "one-page button")
            f.form.Toolbar1_ButtonClick(MainToolbar::onePage);
        else if (event == "stretch button")
            f.form.Toolbar1_ButtonClick(MainToolbar::stretch);
        else if (event == "one-page menu")
            f.form.menuClick(MenuItem::onePage);
        else if (event == "stretch menu")
            f.form.menuClick(MenuItem::stretch);
        else if (event == "next key")
            f.form.Form_KeyDown(KeyCode::Space, 0);
        else if (event == "next menu")
            f.form.menuClick(MenuItem::nextPage);
        else if (event == "placement button")
            f.form.Toolbar1_ButtonClick(MainToolbar::upperLeft);
        else
            f.form.Toolbar1_ButtonClick(MainToolbar::scrollStopped);
        QFETCH(QStringList, windowsShown);
        QFETCH(int, pagesDecoded);
        QCOMPARE(f.platform.modal.shown, windowsShown);
        QCOMPARE(f.platform.pictures.decoded.size(), pagesDecoded);
        QCOMPARE(redraws.count(), 1 + windowsShown.size());
        // Each page decoded says so in the status bar first.
        QCOMPARE(loadingShown.count(), pagesDecoded);
    }

    // A turn to pages decoded ahead is drawn once, when it is done: there is no loading
    // to show meanwhile.
    void aTurnToPagesDecodedAheadIsDrawnOnce()
    {
        ViewerFixture f;
        const QString book = f.makeBook(7);
        f.open(book);
        f.platform.pages.ready = {book + "/p3.jpg", book + "/p4.jpg"};
        QSignalSpy redraws(&f.form, &Form1::changed);
        f.form.Form_KeyDown(KeyCode::Space, 0);
        QCOMPARE(f.panel(3), QStringLiteral("[3] p3.jpg"));
        QCOMPARE(redraws.count(), 1);
    }

    // A message box comes up over the window as the event has left it so far
    // (here the next page has gone missing), and the window is redrawn again
    // when the event ends.
    void aMessageShowsOverTheWindowAsItStands()
    {
        ViewerFixture f;
        const QString book = f.makeBook(7);
        f.open(book);
        QVERIFY(QFile::remove(book + QStringLiteral("/p3.jpg")));
        QSignalSpy redraws(&f.form, &Form1::changed);
        int redrawsBeforeMessage = -1;
        f.platform.messages.whileShown = [&] { redrawsBeforeMessage = int(redraws.count()); };
        f.form.Toolbar1_ButtonClick(MainToolbar::nextPage);
        QCOMPARE(f.platform.messages.shown.size(), 1);
        QCOMPARE(redrawsBeforeMessage, 1);
        QVERIFY(redraws.count() > redrawsBeforeMessage);
    }

    // Every command that reads pages shows the busy pointer while it decodes
    // them, and the default pointer once it has ended.
    void busyPointerWhileDecoding_data()
    {
        QTest::addColumn<QString>("event");
        for (const char* event : {"next button", "previous button", "next menu", "previous menu", "next key",
                                  "previous key", "wheel", "drop", "two-page button", "two-page menu"})
            QTest::newRow(event) << QString::fromLatin1(event);
    }
    void busyPointerWhileDecoding()
    {
        QFETCH(QString, event);
        ViewerFixture f;
        const QString book = f.makeBook(7);
        f.open(book);
        f.form.NEXTP_Click();
        QCOMPARE(f.index(), 3);
        if (event.startsWith(QLatin1String("two-page")))
            f.form.menuClick(MenuItem::onePage);
        FakeBusyPointer& pointer = f.platform.pointer;
        pointer = FakeBusyPointer();
        QList<bool> busyAtDecoding;
        f.platform.pictures.whileDecoding = [&] { busyAtDecoding.append(pointer.isBusy()); };
        if (event == "next button")
            f.form.Toolbar1_ButtonClick(MainToolbar::nextPage);
        else if (event == "previous button")
            f.form.Toolbar1_ButtonClick(MainToolbar::previousPage);
        else if (event == "next menu")
            f.form.menuClick(MenuItem::nextPage);
        else if (event == "previous menu")
            f.form.menuClick(MenuItem::previousPage);
        else if (event == "next key")
            f.form.Form_KeyDown(KeyCode::Space, 0);
        else if (event == "previous key")
            f.form.Form_KeyDown(KeyCode::PageUp, 0);
        else if (event == "wheel")
            f.form.wheelTurned(-120, WheelPhase::None);
        else if (event == "drop")
            f.form.dropFiles({book + QStringLiteral("/p2.jpg")});
        else if (event == "two-page button")
            f.form.Toolbar1_ButtonClick(MainToolbar::onePage);
        else
            f.form.menuClick(MenuItem::onePage);
        QVERIFY(!busyAtDecoding.isEmpty());
        QVERIFY(!busyAtDecoding.contains(false));
        QVERIFY(!pointer.isBusy());
        QCOMPARE(pointer.restores, pointer.sets);
    }

    // Scrolling a tall page with the wheel decodes nothing and leaves the pointer alone.
    void wheelScrollingKeepsThePointer()
    {
        ViewerFixture f;
        f.open(f.makeBook(7));
        Form1Controls& c = f.form.controls();
        c.nori.height = c.picture1.height - 1000;
        c.picture1.top = 0;
        f.platform.pointer = FakeBusyPointer();
        f.form.wheelTurned(-120, WheelPhase::None);
        QCOMPARE(c.picture1.top, -600.0);
        QCOMPARE(f.platform.pointer.sets, 0);
    }

    // The wheel scrolls a page taller than the viewing area and turns any other.
    void wheelScrollsOrTurns()
    {
        ViewerFixture f;
        f.open(f.makeBook(7));
        Form1Controls& c = f.form.controls();
        QCOMPARE(f.index(), 1);
        c.nori.height = c.picture1.height + 1000;
        f.form.wheelTurned(-120, WheelPhase::None);
        QCOMPARE(f.index(), 3);
        f.form.wheelTurned(120, WheelPhase::None);
        QCOMPARE(f.index(), 1);
        // At the first spread the previous-page command is off, and so is the wheel's.
        f.form.wheelTurned(120, WheelPhase::None);
        QCOMPARE(f.index(), 1);

        c.nori.height = c.picture1.height - 1000;
        c.picture1.top = 0;
        QSignalSpy redraws(&f.form, &Form1::changed);
        f.form.wheelTurned(-120, WheelPhase::None);
        QCOMPARE(c.picture1.top, -600.0);
        f.form.wheelTurned(-240, WheelPhase::None);
        QCOMPARE(c.picture1.top, -1000.0); // snapped to the bottom edge
        QCOMPARE(f.index(), 1);
        QCOMPARE(redraws.count(), 2);
        f.form.wheelTurned(30, WheelPhase::None);
        QCOMPARE(redraws.count(), 2);
    }

    // A notch on past a tall page's edge turns the page; a notch that still scrolls, even
    // to the edge, never does; a touchpad gesture that scrolled turns nothing.
    void theWheelTurnsPastAnEdge_data()
    {
        QTest::addColumn<double>("top");
        QTest::addColumn<QList<int>>("notches");
        QTest::addColumn<bool>("gesture");
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("topAfter");
        QTest::newRow("down at the bottom: next") << -1000.0 << QList<int>{-120} << false << 5 << 0.0;
        QTest::newRow("down to the bottom, then next")
            << -600.0 << QList<int>{-120, -120} << false << 5 << 0.0;
        QTest::newRow("down, still scrolling") << -300.0 << QList<int>{-120} << false << 3 << -900.0;
        QTest::newRow("up at the top: previous") << 0.0 << QList<int>{120} << false << 1 << 0.0;
        QTest::newRow("a gesture that scrolled to the bottom")
            << -600.0 << QList<int>{-120, -120, -120} << true << 3 << -1000.0;
        QTest::newRow("a gesture at the bottom: one page")
            << -1000.0 << QList<int>{-120, -120, -120} << true << 5 << 0.0;
    }
    void theWheelTurnsPastAnEdge()
    {
        QFETCH(double, top);
        QFETCH(QList<int>, notches);
        QFETCH(bool, gesture);
        QFETCH(int, index);
        QFETCH(double, topAfter);
        ViewerFixture f;
        f.open(f.makeBook(7));
        f.form.NEXTP_Click();
        QCOMPARE(f.index(), 3);
        Form1Controls& c = f.form.controls();
        c.nori.height = c.picture1.height - 1000;
        c.picture1.top = top;
        if (gesture)
            f.form.wheelTurned(0, WheelPhase::Begin);
        for (const int notch : notches)
            f.form.wheelTurned(notch, gesture ? WheelPhase::Update : WheelPhase::None);
        if (gesture)
            f.form.wheelTurned(0, WheelPhase::End);
        QCOMPARE(f.index(), index);
        if (index == 3)
            QCOMPARE(c.picture1.top, topAfter);
    }

    // F1 opens the help beside the window, which goes on as it was.
    void f1OpensTheHelp()
    {
        ViewerFixture f;
        f.open(f.makeBook(3));
        const int index = f.index();
        f.form.Form_KeyDown(KeyCode::F1, 0);
        QCOMPARE(f.platform.modal.shownModeless, QStringList{"Help"});
        QVERIFY(f.platform.modal.shown.isEmpty());
        QCOMPARE(f.index(), index);
    }

    // F11 and the menu switch full screen; Escape only ever leaves it.
    void fullScreenByKeyAndMenu()
    {
        ViewerFixture f;
        f.open(f.makeBook(3));
        const Form1Controls& c = f.form.controls();
        f.form.Form_KeyDown(KeyCode::Escape, 0);
        QVERIFY(!c.fullScreen);
        f.form.Form_KeyDown(KeyCode::F11, 0);
        QVERIFY(c.fullScreen);
        QVERIFY(c.menu(MenuItem::fullScreen).checked);
        f.form.Form_KeyDown(KeyCode::Escape, 0);
        QVERIFY(!c.fullScreen);
        f.form.menuClick(MenuItem::fullScreen);
        QVERIFY(c.fullScreen);
        f.form.Form_KeyDown(KeyCode::F11, 0);
        QVERIFY(!c.fullScreen);
        QVERIFY(!c.menu(MenuItem::fullScreen).checked);
        QCOMPARE(f.index(), 1);
    }

    // Full screen shows pages alone: the toolbar and the status bar go, the viewing area takes
    // their room, and both come back on leaving it, their switches and check marks untouched.
    void fullScreenHidesTheBars_data()
    {
        QTest::addColumn<bool>("toolbarOn");
        QTest::addColumn<bool>("statusBarOn");
        QTest::newRow("both on") << true << true;
        QTest::newRow("toolbar off") << false << true;
        QTest::newRow("status bar off") << true << false;
    }
    void fullScreenHidesTheBars()
    {
        QFETCH(bool, toolbarOn);
        QFETCH(bool, statusBarOn);
        ViewerFixture f;
        f.open(f.makeBook(3));
        Form1Controls& c = f.form.controls();
        c.toolbarHeight = 420;
        c.statusBarHeight = 300;
        if (!toolbarOn)
            f.form.menuClick(MenuItem::toolbar);
        if (!statusBarOn)
            f.form.menuClick(MenuItem::statusBar);
        f.form.Form_Resize();
        const Surface before = c.nori;
        f.form.Form_KeyDown(KeyCode::F11, 0);
        QVERIFY(!c.toolbarShown());
        QVERIFY(!c.statusBarShown());
        QCOMPARE(c.nori.top, 0.0);
        QCOMPARE(c.nori.height, c.window.scaleHeight);
        QCOMPARE(c.toolbarVisible, toolbarOn);
        QCOMPARE(c.statusBar.visible, statusBarOn);
        QCOMPARE(c.menu(MenuItem::toolbar).checked, toolbarOn);
        QCOMPARE(c.menu(MenuItem::statusBar).checked, statusBarOn);
        f.form.Form_KeyDown(KeyCode::Escape, 0);
        QCOMPARE(c.toolbarShown(), toolbarOn);
        QCOMPARE(c.statusBarShown(), statusBarOn);
        QCOMPARE(c.nori.top, before.top);
        QCOMPARE(c.nori.height, before.height);
    }
};

QTEST_GUILESS_MAIN(TestForm1Commands)
#include "tst_form1_commands.moc"

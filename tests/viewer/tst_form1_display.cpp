#include "commands/command_group.h"
#include "commands/key_map.h"
#include "support/viewer_fixture.h"
#include "viewer/status_texts.h"

#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

namespace {
bool placementsEnabled(const Form1Controls& c)
{
    return isGroupEnabled(c, CommandGroup::Placements);
}
} // namespace

class TestForm1Display : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Moved to a screen of another scale, pages at one page pixel per device pixel are laid out
    // again for it, at the spread they showed; laid out as at a scale of 1, they stay.
    void aScreenOfAnotherScale_data()
    {
        QTest::addColumn<bool>("devicePixels");
        QTest::addColumn<double>("width");
        QTest::newRow("one page pixel per device pixel") << true << 2250.0;
        QTest::newRow("laid out as at a scale of 1") << false << 4500.0;
    }
    void aScreenOfAnotherScale()
    {
        QFETCH(bool, devicePixels);
        ViewerFixture f;
        ViewMode mode = f.form.viewMode();
        mode.devicePixels = devicePixels;
        f.form.setViewMode(mode);
        f.platform.pictures.defaultSize = QSize(300, 400);
        f.open(f.makeBook(6) + "/p3.jpg");
        const Form1Controls& c = f.form.controls();
        QCOMPARE(c.picture2.width, 4500.0);
        f.form.setDevicePixelRatio(2);
        QTEST(c.picture2.width, "width");
        QTEST(c.picture3.width, "width");
        QCOMPARE(f.shownPages(), u"3-4"_qs);
    }

    void toOnePageKeepsTheRightHandPage()
    {
        ViewerFixture f;
        const QString book = f.makeBook(10);
        f.open(book + "/p05.jpg");
        QCOMPARE(f.index(), 5);
        f.form.sing_Click();
        QCOMPARE(f.index(), 4);
        QCOMPARE(f.platform.modal.shown, QStringList({"Form8"}));
        const Form1Controls& c = f.form.controls();
        QVERIFY(c.menu(MenuItem::onePage).checked);
        QVERIFY(c.button(21).pressed);
        QCOMPARE(f.panel(2), StatusText::oneScreenMode());
        QCOMPARE(f.panel(1), QStringLiteral("5 / 10"));
        QCOMPARE(f.shownColor(c.picture2), f.colorOf("p05.jpg"));
        QCOMPARE(c.picture3.width, 0.0);
        QCOMPARE(c.picture2.left, 0.0);
        QVERIFY(c.picture1.visible);
        // The single-page fit: a 1500 x 2250 twip page in 12000 x 8000.
        QCOMPARE(c.picture1.left, 5250.0);
        QCOMPARE(c.picture1.top, 2875.0);
        QCOMPARE(f.form.fields().scrollRange, 2250 - 8000);
    }

    void toOnePageOnTheLastPageAlone()
    {
        ViewerFixture f;
        f.open(f.makeBook(10) + "/p10.jpg");
        QCOMPARE(f.index(), 9);
        QCOMPARE(f.form.fields().spreadShown, false);
        f.form.ITtyo();
        QCOMPARE(f.index(), 9);
        QCOMPARE(f.panel(1), QStringLiteral("10 / 10"));
    }

    void toTwoPagesMakesASpread()
    {
        ViewerFixture f;
        f.setOnePageMode(true);
        f.open(f.makeBook(10) + "/p04.jpg");
        QCOMPARE(f.index(), 3);
        f.form.ITtyo();
        QCOMPARE(f.platform.modal.shown, QStringList({"Form9"}));
        QCOMPARE(f.index(), 4);
        const Form1Controls& c = f.form.controls();
        QVERIFY(!c.button(21).pressed);
        QCOMPARE(f.shownColor(c.picture2), f.colorOf("p04.jpg"));
        QCOMPARE(f.shownColor(c.picture3), f.colorOf("p05.jpg"));
        QCOMPARE(c.picture2.left, c.picture3.width);
        QCOMPARE(f.panel(2), QStringLiteral("[5] p05.jpg"));
        QCOMPARE(f.panel(1), QStringLiteral("5 / 10"));
    }

    void toTwoPagesNearTheEnd()
    {
        ViewerFixture f;
        f.setOnePageMode(true);
        f.open(f.makeBook(10) + "/p09.jpg");
        f.form.ITtyo();
        QCOMPARE(f.index(), 9);
        QCOMPARE(f.shownColor(f.form.controls().picture3), f.colorOf("p10.jpg"));
        QCOMPARE(f.panel(2), StatusText::lastPageAlone());
        QVERIFY(!f.nextEnabled());
    }

    void toTwoPagesOnTheLastPage()
    {
        ViewerFixture f;
        f.setOnePageMode(true);
        f.open(f.makeBook(4) + "/p4.jpg");
        f.platform.pictures.decoded.clear();
        f.form.ITtyo();
        QCOMPARE(f.index(), 3);
        QVERIFY(f.platform.pictures.decoded.isEmpty());
        QCOMPARE(f.panel(2), StatusText::lastPageAlone());
    }

    void switchingWithNoBook()
    {
        ViewerFixture f;
        f.form.ITtyo();
        QVERIFY(f.form.controls().menu(MenuItem::onePage).checked);
        QCOMPARE(f.panel(1), QStringLiteral("0 / 0"));
        QCOMPARE(f.panel(2), StatusText::oneScreenMode());
        QCOMPARE(f.form.controls().picture1.width, 0.0);
    }

    void stretchingOnAndOff()
    {
        ViewerFixture f;
        f.platform.pictures.sizes.insert("p1.jpg", QSize(400, 600));
        f.platform.pictures.sizes.insert("p2.jpg", QSize(400, 600));
        f.open(f.makeBook(3));
        const Form1Controls& c = f.form.controls();
        f.form.MIGIUESOROE();
        QVERIFY(!c.button(13).enabled);

        f.form.SUTOREKIRIKAE();
        QVERIFY(c.menu(MenuItem::stretch).checked);
        QVERIFY(c.button(22).pressed);
        QVERIFY(!c.picture1.visible);
        QVERIFY(!placementsEnabled(c));
        for (int index : {9, 10, 11, 12, 13})
            QVERIFY(!c.button(index).enabled);
        QVERIFY(!c.button(16).enabled);
        QVERIFY(!c.menu(MenuItem::autoScroll).enabled);
        // Each 6000 x 9000 page in half of 12000 x 8000, meeting at the middle.
        QVERIFY(c.image1.visible);
        QVERIFY(c.image2.visible);
        QCOMPARE(c.image1.left, 6000.0);
        QCOMPARE(c.image1.width, 5280.0);
        QCOMPARE(c.image1.top, 40.0);
        QCOMPARE(c.image2.left, 6000.0 - 5280.0);
        QCOMPARE(c.image1.picture, c.picture2.picture);
        QCOMPARE(c.image2.picture, c.picture3.picture);

        f.form.NEXTP_Click();
        QVERIFY(c.image1.visible);
        QVERIFY(!c.image2.visible);
        QVERIFY(!placementsEnabled(c));

        f.form.SUTOREKIRIKAE();
        QVERIFY(!c.button(22).pressed);
        QVERIFY(c.picture1.visible);
        QVERIFY(!c.image1.visible);
        QVERIFY(placementsEnabled(c));
        QVERIFY(c.button(16).enabled);
        QVERIFY(c.menu(MenuItem::autoScroll).enabled);
    }

    void stretchingOffKeepsTheFrameWhereItWas()
    {
        ViewerFixture f;
        f.open(f.makeBook(2));
        f.form.HIDARISHITASOROE();
        const Surface before = f.form.controls().picture1;
        f.form.SUTOREKIRIKAE();
        f.form.SUTOREKIRIKAE();
        QCOMPARE(f.form.controls().picture1.left, before.left);
        QCOMPARE(f.form.controls().picture1.top, before.top);
    }

    void stretchingOneLargePage()
    {
        ViewerFixture f;
        f.platform.pictures.sizes.insert("p1.jpg", QSize(400, 600));
        f.setOnePageMode(true);
        f.open(f.makeBook(2));
        f.form.SUTOREKIRIKAE();
        const Form1Controls& c = f.form.controls();
        QVERIFY(c.image1.visible);
        QVERIFY(!c.image2.visible);
        QCOMPARE(c.image1.left, 3360.0);
        QCOMPARE(c.image1.top, 40.0);
        QCOMPARE(c.image1.width, 5280.0);
        QCOMPARE(c.image1.height, 7920.0);
        QCOMPARE(c.picture2.width, 6000.0);
    }

    void stretchingStopsAutomaticScrolling()
    {
        ViewerFixture f;
        f.open(f.makeBook(2));
        f.form.SCROOKIRIKAE();
        QCOMPARE(f.form.fields().autoScrollOn, true);
        QVERIFY(f.form.controls().button(15).visible);
        f.form.SUTOREKIRIKAE();
        QCOMPARE(f.form.fields().autoScrollOn, false);
        QCOMPARE(f.form.controls().timer1Interval, 0);
        QVERIFY(!f.form.controls().button(15).visible);
        QVERIFY(f.form.controls().button(16).visible);
        f.form.SUTOREKIRIKAE();
        QCOMPARE(f.form.fields().autoScrollOn, false);
        QVERIFY(f.form.controls().button(16).enabled);
    }

    void stretchingOffBeforeAnyPage()
    {
        ViewerFixture f;
        f.form.SUTOREKIRIKAE();
        f.form.SUTOREKIRIKAE();
        QVERIFY(!placementsEnabled(f.form.controls()));
    }

    void placementsGreyTheActiveOne()
    {
        ViewerFixture f;
        f.platform.pictures.sizes.insert("p1.jpg", QSize(1000, 700));
        f.setOnePageMode(true);
        f.open(f.makeBook(2));
        const Form1Controls& c = f.form.controls();
        f.form.NAKASOROE();
        QVERIFY(!c.button(11).enabled);
        QVERIFY(!c.menu(MenuItem::centre).enabled);
        QCOMPARE(c.picture1.left, (12000.0 - 15000) / 2);
        QCOMPARE(c.picture1.top, (8000.0 - 10500) / 2);
        f.form.HIDARIUESOROE();
        QVERIFY(c.button(11).enabled);
        QVERIFY(!c.button(10).enabled);
        QCOMPARE(c.picture1.left, 0.0);
        QCOMPARE(c.picture1.top, 0.0);
    }

    void layoutOfTheWindow()
    {
        ViewerFixture f;
        Form1Controls& c = f.form.controls();
        c.toolbarHeight = 420;
        c.statusBarHeight = 300;
        f.setArea(9600, 7200);
        QCOMPARE(c.nori.top, 420.0);
        QCOMPARE(c.nori.height, 7200.0 - 720);

        c.toolbarVisible = false;
        f.form.Form_Resize();
        QCOMPARE(c.nori.top, 0.0);
        QCOMPARE(c.nori.height, 7200.0 - 300);

        // Below the smallest size, the last layout stays.
        c.window.height = 2999;
        c.window.scaleHeight = 2999;
        f.form.Form_Resize();
        QCOMPARE(c.nori.height, 7200.0 - 300);
        f.setArea(9600, 3000);
        QCOMPARE(c.nori.height, 2700.0);
    }

    void windowAboveTheScreenComesBack()
    {
        ViewerFixture f;
        WindowState& window = f.form.controls().window;
        window.top = -600;
        window.state = WindowShowState::Maximized;
        f.form.Form_Resize();
        QCOMPARE(window.top, -600);
        window.state = WindowShowState::Normal;
        f.form.Form_Resize();
        QCOMPARE(window.top, 0);
    }

    // At actual size, a viewing area of a new size fits the frame afresh, as a turn to the same
    // pages fits it: the placement chosen before and any scrolling are gone with the old area.
    void aNewAreaRefitsTheFrameAsATurnDoes_data()
    {
        QTest::addColumn<QSize>("pageSize");
        QTest::addColumn<bool>("onePage");
        QTest::addColumn<QSize>("area");
        QTest::newRow("a small spread, larger area") << QSize(100, 150) << false << QSize(15000, 9000);
        QTest::newRow("a small spread, smaller area") << QSize(100, 150) << false << QSize(4000, 3000);
        QTest::newRow("a large spread, larger area") << QSize(600, 700) << false << QSize(20000, 12000);
        QTest::newRow("a large spread, smaller area") << QSize(600, 700) << false << QSize(9000, 6000);
        QTest::newRow("one large page") << QSize(600, 700) << true << QSize(15000, 9000);
    }
    void aNewAreaRefitsTheFrameAsATurnDoes()
    {
        QFETCH(QSize, pageSize);
        QFETCH(bool, onePage);
        QFETCH(QSize, area);
        ViewerFixture f;
        f.platform.pictures.defaultSize = pageSize;
        f.setOnePageMode(onePage);
        f.open(f.makeBook(6));
        const Form1Controls& c = f.form.controls();
        f.form.HIDARISHITASOROE();
        f.form.Form_KeyDown(KeyCode::Down, 0);
        f.form.Form_KeyDown(KeyCode::Left, 0);
        const Surface placed = c.picture1;

        f.setArea(area.width(), area.height());
        const Surface refitted = c.picture1;
        const int range = f.form.fields().scrollRange;
        QVERIFY(placementsEnabled(c));
        QVERIFY(refitted.left != placed.left || refitted.top != placed.top);
        QCOMPARE(range, int(refitted.height) - area.height());

        // The same pages again, by a turn there and back.
        const int index = f.index();
        f.form.NEXTP_Click();
        f.form.PRVP_Click();
        QCOMPARE(f.index(), index);
        QCOMPARE(c.picture1.left, refitted.left);
        QCOMPARE(c.picture1.top, refitted.top);
        QCOMPARE(c.picture1.width, refitted.width);
        QCOMPARE(c.picture1.height, refitted.height);
        QCOMPARE(f.form.fields().scrollRange, range);
    }

    // A layout that leaves the area as it was (the toolbar's height read again, say) leaves the
    // frame where the user put it.
    void aLayoutOfTheSameAreaKeepsTheFrame()
    {
        ViewerFixture f;
        f.platform.pictures.defaultSize = QSize(600, 700);
        f.open(f.makeBook(2));
        f.form.HIDARIUESOROE();
        f.form.Form_KeyDown(KeyCode::Down, 0);
        const Surface placed = f.form.controls().picture1;
        f.form.Form_Resize();
        QCOMPARE(f.form.controls().picture1.left, placed.left);
        QCOMPARE(f.form.controls().picture1.top, placed.top);
        QVERIFY(!f.form.controls().button(10).enabled);
    }

    // Before any page, a new area has no frame to fit, and no placement to offer.
    void aNewAreaWithoutPagesFitsNothing()
    {
        ViewerFixture f;
        const Surface frame = f.form.controls().picture1;
        f.setArea(15000, 9000);
        QCOMPARE(f.form.controls().picture1.left, frame.left);
        QCOMPARE(f.form.controls().picture1.width, frame.width);
        QVERIFY(!placementsEnabled(f.form.controls()));
    }

    // Stretched, the pages are stretched to the new area; the frame waits, hidden, where it was.
    void aNewAreaWhileStretchedLeavesTheFrame()
    {
        ViewerFixture f;
        f.open(f.makeBook(2));
        f.form.HIDARISHITASOROE();
        const Surface placed = f.form.controls().picture1;
        f.form.SUTOREKIRIKAE();
        f.setArea(15000, 9000);
        QCOMPARE(f.form.controls().picture1.left, placed.left);
        QCOMPARE(f.form.controls().picture1.top, placed.top);
        QVERIFY(f.form.controls().image1.visible);
    }

    void settingsPanelFollowsTheArea()
    {
        ViewerFixture f;
        f.form.controls().picture4.visible = true;
        f.setArea(15000, 9000);
        const Surface& panel = f.form.controls().picture4;
        QCOMPARE(panel.left, 0.0);
        QCOMPARE(panel.width, 15000.0);
        QCOMPARE(panel.height, 9000.0);
    }

    void stretchingWithNoPageDoesNotHang_data()
    {
        QTest::addColumn<bool>("onePage");
        QTest::newRow("one page") << true;
        QTest::newRow("two pages") << false;
    }
    void stretchingWithNoPageDoesNotHang()
    {
        QFETCH(bool, onePage);
        ViewerFixture f;
        f.setOnePageMode(onePage);
        f.form.SUTOREKIRIKAE();
        QVERIFY(!f.form.controls().image1.visible);
        QVERIFY(!f.form.controls().image2.visible);
    }
    // A maximised, minimised or not yet shown window leaves the normal size to come back to.
    void windowGeometryKeepsTheNormalSize_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("taken");
        QTest::newRow("normal") << WindowShowState::Normal << true << true;
        QTest::newRow("normal, not shown") << WindowShowState::Normal << false << false;
        QTest::newRow("maximised") << WindowShowState::Maximized << true << false;
        QTest::newRow("minimised") << WindowShowState::Minimized << true << false;
    }
    void windowGeometryKeepsTheNormalSize()
    {
        QFETCH(int, state);
        QFETCH(bool, visible);
        QFETCH(bool, taken);
        ViewerFixture f;
        WindowState& window = f.form.controls().window;
        window.left = 15;
        window.top = 30;
        window.width = 9600;
        window.height = 7200;
        f.form.takeWindowGeometry({state, visible, 300, 450, 12000, 9000, 11800, 8800});
        QCOMPARE(window.state, state);
        QCOMPARE(window.left, taken ? 300 : 15);
        QCOMPARE(window.top, taken ? 450 : 30);
        QCOMPARE(window.width, taken ? 12000 : 9600);
        QCOMPARE(window.height, taken ? 9000 : 7200);
        // The inner size is always the one on screen.
        QCOMPARE(window.scaleWidth, 11800);
        QCOMPARE(window.scaleHeight, 8800);
    }
};

QTEST_GUILESS_MAIN(TestForm1Display)
#include "tst_form1_display.moc"

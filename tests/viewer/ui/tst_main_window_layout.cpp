#include "browse/form2.h"
#include "commands/control_names.h"
#include "commands/key_map.h"
#include "commands/toolbar_table.h"
#include "common/twips.h"
#include "display/color_value.h"
#include "session/settings_store.h"
#include "support/archive_fixtures.h"
#include "support/file_bytes.h"
#include "support/test_platform.h"
#include "viewer/form1.h"
#include "viewer/ui/main_window.h"
#include "viewer/ui/viewing_area.h"

#include <QAction>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace ruvo;
using namespace ruvo::test;

namespace {

// The main window on screen over fake services, loaded with the settings given.
struct ShownWindow
{
    TestPlatform platform;
    ViewerState state;
    Form2 browser{platform.platform()};
    Form1 form{platform.platform(), state, browser};
    MainWindow window{form, platform.delays};

    bool show()
    {
        browser.setBookOpener(&form);
        form.Form_Load();
        window.showRestored();
        return QTest::qWaitForWindowExposed(&window);
    }
    QToolBar* toolbar() const { return window.findChild<QToolBar*>(); }
    const ViewingArea* area() const { return window.findChild<ViewingArea*>(); }
    // Where the logic puts the viewing area and the page frame, in pixels.
    QRect noriRect() const
    {
        const Surface& nori = form.controls().nori;
        return toPixelRect(nori.left, nori.top, nori.width, nori.height);
    }
    QRectF frame() const
    {
        const Surface& frame = form.controls().picture1;
        return QRectF(frame.left, frame.top, frame.width, frame.height);
    }
    // The frame the same pages get from a turn to the next spread and back.
    QRectF frameAfterATurnThereAndBack()
    {
        const int index = state.pageIndex;
        form.NEXTP_Click();
        form.PRVP_Click();
        return state.pageIndex == index ? frame() : QRectF();
    }
};

// A book of empty files, whose pictures the fake decoder makes up.
bool makeBook(const QTemporaryDir& dir, int pages)
{
    for (int i = 1; i <= pages; ++i) {
        if (!QFile(dir.filePath(QStringLiteral("p%1.jpg").arg(i))).open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

// A book of five pages whose third is wide, as real JPEG files for the pages' facts, the
// fake decoder giving the same sizes: a folder, or a CBZ of the same pages.
QString makeBookWithAWidePage(const QTemporaryDir& dir, bool archive, FakePictureDecoder& pictures)
{
    QList<MemberSpec> members;
    for (int i = 1; i <= 5; ++i) {
        const QString name = QStringLiteral("p%1.jpg").arg(i);
        const QSize size = i == 3 ? QSize(280, 200) : QSize(60, 85);
        pictures.sizes.insert(name, size);
        members.append({name.toUtf8(), pagePicture(Qt::gray, "JPEG", size)});
    }
    if (archive)
        return putIn(dir, QStringLiteral("book.cbz"), storedZip(members));
    for (const MemberSpec& member : members)
        putIn(dir, QString::fromUtf8(member.path), member.data);
    return dir.path();
}

} // namespace

class TestMainWindowLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // With fresh settings the window is 640 x 480 pixels, and every button of
    // the toolbar, the slider's gap with them, stands in the one row: nothing
    // goes into the overflow menu.
    void everyToolbarButtonShowsAtTheDefaultSize()
    {
        ShownWindow w;
        QVERIFY(w.show());
        QCOMPARE(w.window.size(), QSize(640, 480));
        QToolBar* toolbar = w.toolbar();
        QVERIFY(toolbar->isVisible());
        QVERIFY(toolbar->sizeHint().width() <= w.window.width());
        int buttonsShown = 0;
        int gapsShown = 0;
        int top = -1;
        for (QAction* action : toolbar->actions()) {
            if (!action->isVisible() || action->isSeparator())
                continue;
            QWidget* widget = toolbar->widgetForAction(action);
            QVERIFY(widget);
            QVERIFY2(widget->isVisible(), qPrintable(action->toolTip()));
            QVERIFY2(toolbar->rect().contains(widget->geometry()), qPrintable(action->toolTip()));
            if (qobject_cast<QToolButton*>(widget))
                ++buttonsShown;
            else
                ++gapsShown;
            if (top < 0)
                top = widget->geometry().center().y();
            QCOMPARE(widget->geometry().center().y(), top);
        }
        // Buttons 15 (scrolling on) and 23 (canvas) start hidden.
        QCOMPARE(buttonsShown, 18);
        QCOMPARE(gapsShown, 3);
        const auto* extension = toolbar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY(extension);
        QVERIFY(!extension->isVisible());
    }

    // Part of a normal window dragged above the screen comes back at the next resize.
    void aWindowAboveTheScreenComesBackOnResize()
    {
        ShownWindow w;
        QVERIFY(w.show());
        w.window.move(40, -100);
        QTRY_COMPARE(w.window.y(), -100);
        QTRY_COMPARE(w.form.controls().window.top, toTwips(-100));
        w.window.resize(700, 500);
        QTRY_COMPARE(w.window.y(), 0);
        QCOMPARE(w.window.x(), 40);
        QCOMPARE(w.form.controls().window.top, 0);
    }

    // The logic places pages in the viewing area as it computes it; the widget
    // that draws them must lie exactly there, whichever bars are shown.
    void viewingAreaIsWhereTheLogicPutsIt_data()
    {
        QTest::addColumn<bool>("toolbarOn");
        QTest::addColumn<bool>("statusBarOn");
        QTest::newRow("toolbar and status bar") << true << true;
        QTest::newRow("toolbar only") << true << false;
        QTest::newRow("status bar only") << false << true;
        QTest::newRow("neither") << false << false;
    }
    void viewingAreaIsWhereTheLogicPutsIt()
    {
        QFETCH(bool, toolbarOn);
        QFETCH(bool, statusBarOn);
        ShownWindow w;
        QVERIFY(w.show());
        if (!toolbarOn)
            w.form.menuClick(MenuItem::toolbar);
        if (!statusBarOn)
            w.form.menuClick(MenuItem::statusBar);
        const auto* area = w.window.findChild<ViewingArea*>();
        QVERIFY(area);
        const Surface& nori = w.form.controls().nori;
        const auto noriRect = [&nori] { return toPixelRect(nori.left, nori.top, nori.width, nori.height); };
        QTRY_COMPARE(w.toolbar()->isVisible(), toolbarOn);
        QTRY_COMPARE(w.window.statusBar()->isVisible(), statusBarOn);
        QTRY_COMPARE(noriRect(), area->geometry());
        QVERIFY(area->height() > 400);

        w.window.resize(720, 540);
        QTRY_COMPARE(area->width(), 720);
        QTRY_COMPARE(noriRect(), area->geometry());
    }

    // The first spread stands at start-up where a turn to it puts it, whether the book is the
    // one named on the command line or the folder the program started in, and whatever the
    // size of its pages.
    void theFirstSpreadStandsWhereATurnPutsIt_data()
    {
        QTest::addColumn<bool>("commandLine");
        QTest::addColumn<QSize>("pageSize");
        QTest::addColumn<QString>("botan");
        QTest::newRow("small pages on the command line") << true << QSize(100, 150) << "0";
        QTest::newRow("small pages where it started") << false << QSize(100, 150) << "0";
        QTest::newRow("large pages on the command line") << true << QSize(380, 500) << "0";
        QTest::newRow("large pages where it started") << false << QSize(380, 500) << "0";
        QTest::newRow("small pages, maximised") << true << QSize(100, 150) << "2";
    }
    void theFirstSpreadStandsWhereATurnPutsIt()
    {
        QFETCH(bool, commandLine);
        QFETCH(QSize, pageSize);
        QFETCH(QString, botan);
        QTemporaryDir dir;
        QVERIFY(makeBook(dir, 6));
        ShownWindow w;
        w.platform.settings.set("botan", botan);
        w.platform.pictures.defaultSize = pageSize;
        if (commandLine)
            w.platform.process.commandLineText = dir.path();
        else
            w.platform.process.current = dir.path();
        // As the program starts: the window loads, shows, and then opens the command line.
        QVERIFY(w.show());
        w.form.afterSplash();
        QTRY_COMPARE(w.noriRect(), w.area()->geometry());
        QCOMPARE(w.state.pageIndex, 1);
        const QRectF atStart = w.frame();
        QVERIFY(!atStart.isEmpty());
        QCOMPARE(w.frameAfterATurnThereAndBack(), atStart);
        // Small pages stand in the middle, large ones against the right edge.
        const double areaWidth = w.form.controls().nori.width;
        if (atStart.width() < areaWidth)
            QVERIFY(qAbs(atStart.center().x() - areaWidth / 2) <= 1);
        else
            QCOMPARE(atStart.right(), areaWidth);
    }

    // At actual size, a window of a new size, full screen or back from it, fits the frame to
    // the new viewing area as a turn to the same spread fits it: no page of it is left out of
    // reach where the frame stood in the old area.
    void aNewWindowSizeRefitsTheFrame_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QSize>("pageSize");
        QTest::newRow("larger window, small pages") << "resize" << QSize(100, 150);
        QTest::newRow("larger window, large pages") << "resize" << QSize(380, 500);
        QTest::newRow("into full screen, small pages") << "full screen" << QSize(100, 150);
        QTest::newRow("into full screen, large pages") << "full screen" << QSize(380, 500);
        QTest::newRow("back from full screen") << "back" << QSize(380, 500);
    }
    void aNewWindowSizeRefitsTheFrame()
    {
        QFETCH(QString, change);
        QFETCH(QSize, pageSize);
        QTemporaryDir dir;
        QVERIFY(makeBook(dir, 6));
        ShownWindow w;
        w.platform.pictures.defaultSize = pageSize;
        QVERIFY(w.show());
        w.form.openPath(dir.path());
        if (change == "back") {
            const QRect normal = w.area()->geometry();
            w.form.Form_KeyDown(KeyCode::F11, 0);
            QTRY_VERIFY(w.window.isFullScreen());
            QTRY_VERIFY(w.area()->geometry() != normal);
        }
        // The user places the spread and scrolls it.
        w.form.HIDARISHITASOROE();
        w.form.Form_KeyDown(KeyCode::Down, 0);
        const QRectF placed = w.frame();
        const QRect areaBefore = w.area()->geometry();

        if (change == "resize")
            w.window.resize(900, 700);
        else
            w.form.Form_KeyDown(change == "back" ? KeyCode::Escape : KeyCode::F11, 0);
        QTRY_VERIFY(w.area()->geometry() != areaBefore);
        QTRY_COMPARE(w.noriRect(), w.area()->geometry());
        const QRectF refitted = w.frame();
        QVERIFY(refitted != placed);
        QCOMPARE(w.frameAfterATurnThereAndBack(), refitted);
    }

    // In two-page reading a wide page alone is laid out over the whole area and centred,
    // stretched as at actual size, in a folder book and an archive book alike.
    void aWidePageAloneStandsInTheMiddle_data()
    {
        QTest::addColumn<bool>("archive");
        QTest::addColumn<bool>("stretched");
        QTest::newRow("folder, actual size") << false << false;
        QTest::newRow("folder, stretched") << false << true;
        QTest::newRow("archive, actual size") << true << false;
        QTest::newRow("archive, stretched") << true << true;
    }
    void aWidePageAloneStandsInTheMiddle()
    {
        QFETCH(bool, archive);
        QFETCH(bool, stretched);
        QTemporaryDir dir;
        ShownWindow w;
        w.platform.settings.values.insert(
            FakeSettings::path(QLatin1String(Setting::widePagesAlone.application),
                               QLatin1String(Setting::widePagesAlone.section),
                               QLatin1String(Setting::widePagesAlone.name)),
            QStringLiteral("1"));
        QVERIFY(w.show());
        if (stretched)
            w.form.menuClick(MenuItem::stretch);
        w.form.openPath(makeBookWithAWidePage(dir, archive, w.platform.pictures));
        w.form.NEXTP_Click();
        QCOMPARE(w.state.pageIndex, 2);
        const Form1Controls& c = w.form.controls();
        QVERIFY(!c.image2.visible);
        const QRect page =
            stretched ? toPixelRect(c.image1.left, c.image1.top, c.image1.width, c.image1.height)
                      : toPixelRect(c.picture1.left, c.picture1.top, c.picture1.width, c.picture1.height);
        const QRect area = w.area()->rect();
        QVERIFY(qAbs(page.center().x() - area.center().x()) <= 1);
        if (stretched) {
            // Larger than the half of a spread: fitted to the whole area's width or height.
            QVERIFY(page.width() > area.width() / 2);
            QVERIFY(page.width() > area.width() * 95 / 100 || page.height() > area.height() * 95 / 100);
        } else {
            QCOMPARE(page.size(), QSize(280, 200));
        }
        // Drawn so: the page's colour a little right of its left edge, in the left half.
        const QPoint inLeftHalf(page.left() + 4, page.center().y());
        QVERIFY(inLeftHalf.x() < area.width() / 2);
        auto* drawnArea = w.window.findChild<ViewingArea*>();
        QTRY_COMPARE(drawnArea->grab().toImage().pixelColor(inLeftHalf),
                     FakePictureDecoder::colorOf("p3.jpg"));
    }

    // A stretched page prepared ahead is drawn as prepared; one that was not is scaled
    // on the spot.
    void stretchedPagesAreDrawnAsPrepared_data()
    {
        QTest::addColumn<bool>("prepared");
        QTest::newRow("prepared ahead") << true;
        QTest::newRow("scaled on the spot") << false;
    }
    void stretchedPagesAreDrawnAsPrepared()
    {
        QFETCH(bool, prepared);
        ShownWindow w;
        QVERIFY(w.show());
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const char* name : {"p1.jpg", "p2.jpg"})
            QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        if (prepared)
            w.platform.pages.preparedColor = Qt::red;
        w.form.menuClick(MenuItem::onePage);
        w.form.menuClick(MenuItem::stretch);
        w.form.openPath(dir.path());
        const Surface& image = w.form.controls().image1;
        QVERIFY(image.visible);
        auto* area = w.window.findChild<ViewingArea*>();
        const QPoint centre = toPixelRect(image.left, image.top, image.width, image.height).center();
        const QColor expected = prepared ? QColor(Qt::red) : FakePictureDecoder::colorOf("p1.jpg");
        QTRY_COMPARE(area->grab().toImage().pixelColor(centre), expected);
    }

    // Each colour is laid only where no opaque page lies over it: beside a page the area
    // shows its background, and through a transparent page the frame's colour shows.
    void pagesAreDrawnOverTheirBackgrounds_data()
    {
        QTest::addColumn<bool>("stretched");
        QTest::addColumn<bool>("transparent");
        QTest::newRow("actual size") << false << false;
        QTest::newRow("actual size, transparent page") << false << true;
        QTest::newRow("stretched") << true << false;
    }
    void pagesAreDrawnOverTheirBackgrounds()
    {
        QFETCH(bool, stretched);
        QFETCH(bool, transparent);
        ShownWindow w;
        QVERIFY(w.show());
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QFile(dir.filePath(QStringLiteral("p1.jpg"))).open(QIODevice::WriteOnly));
        w.platform.pictures.defaultSize = QSize(120, 90);
        if (transparent)
            w.platform.pictures.transparent = {QStringLiteral("p1.jpg")};
        w.form.menuClick(MenuItem::onePage);
        if (stretched)
            w.form.menuClick(MenuItem::stretch);
        w.form.openPath(dir.path());
        Form1Controls& c = w.form.controls();
        // A frame of its own colour, so that it can be told from the area's.
        c.picture1.backColor = 0x00C000;
        QVERIFY(colorFromValue(c.picture1.backColor) != colorFromValue(c.nori.backColor));
        const Surface& page = stretched ? c.image1 : c.picture2;
        const QPoint origin =
            stretched ? QPoint() : toPixelRect(c.picture1.left, c.picture1.top, 0, 0).topLeft();
        const QRect pageRect = toPixelRect(page.left, page.top, page.width, page.height).translated(origin);
        auto* area = w.window.findChild<ViewingArea*>();
        QVERIFY(!pageRect.isEmpty());
        const QColor pageColour = transparent ? colorFromValue(c.picture1.backColor)
                                              : FakePictureDecoder::colorOf(QStringLiteral("p1.jpg"));
        QTRY_COMPARE(area->grab().toImage().pixelColor(pageRect.center()), pageColour);
        // Beside the page, within the area: the frame hugs the page at actual size.
        const QPoint beside = stretched ? QPoint(pageRect.right() + 2, pageRect.center().y())
                                        : QPoint(area->width() - 2, area->height() - 2);
        QVERIFY(area->rect().contains(beside) && !pageRect.contains(beside));
        QCOMPARE(area->grab().toImage().pixelColor(beside), colorFromValue(c.nori.backColor));
    }

    // With no book open the area says how to open one, in a colour that stands out from its
    // background, dark or light; once a book's pages show, it says nothing.
    void theEmptyAreaSaysHowToOpenABook_data()
    {
        QTest::addColumn<QColor>("background");
        QTest::newRow("dark") << QColor(Qt::black);
        QTest::newRow("light") << QColor(Qt::white);
    }
    void theEmptyAreaSaysHowToOpenABook()
    {
        QFETCH(QColor, background);
        ShownWindow w;
        w.platform.settings.set(QStringLiteral("col"), QString::number(colorValue(background)));
        QVERIFY(w.show());
        w.form.afterSplash();
        auto* area = w.window.findChild<ViewingArea*>();
        // The pixels that stand out from the background, outside the page frame.
        const auto written = [&w, area, background] {
            const QImage drawn = area->grab().toImage();
            const Surface& frame = w.form.controls().picture1;
            const QRect pages =
                frame.visible ? toPixelRect(frame.left, frame.top, frame.width, frame.height) : QRect();
            int far = 0;
            for (int y = 0; y < drawn.height(); ++y) {
                for (int x = 0; x < drawn.width(); ++x) {
                    if (!pages.contains(x, y))
                        far +=
                            qAbs(drawn.pixelColor(x, y).lightness() - background.lightness()) > 128 ? 1 : 0;
                }
            }
            return far;
        };
        QTRY_VERIFY(written() > 100);

        QTemporaryDir dir;
        QVERIFY(makeBook(dir, 2));
        w.platform.pictures.defaultSize = QSize(40, 30);
        w.form.openPath(dir.path());
        QVERIFY(!w.form.controls().picture2.picture.isNull());
        QTRY_COMPARE(written(), 0);
    }

    // The adjustments change what is drawn, not the picture kept; the reset draws the page
    // exactly as before, at actual size and stretched.
    void adjustmentsAreAppliedAsPagesAreDrawn_data()
    {
        QTest::addColumn<bool>("stretched");
        QTest::newRow("actual size") << false;
        QTest::newRow("stretched") << true;
    }
    void adjustmentsAreAppliedAsPagesAreDrawn()
    {
        QFETCH(bool, stretched);
        ShownWindow w;
        QVERIFY(w.show());
        QTemporaryDir dir;
        QVERIFY(makeBook(dir, 1));
        w.platform.pictures.defaultSize = QSize(120, 90);
        w.form.menuClick(MenuItem::onePage);
        if (stretched)
            w.form.menuClick(MenuItem::stretch);
        w.form.openPath(dir.path());
        Form1Controls& c = w.form.controls();
        const Surface& page = stretched ? c.image1 : c.picture2;
        const QPoint origin =
            stretched ? QPoint() : toPixelRect(c.picture1.left, c.picture1.top, 0, 0).topLeft();
        const QPoint centre =
            toPixelRect(page.left, page.top, page.width, page.height).translated(origin).center();
        auto* area = w.window.findChild<ViewingArea*>();
        const QColor original = FakePictureDecoder::colorOf(QStringLiteral("p1.jpg"));
        QTRY_COMPARE(area->grab().toImage().pixelColor(centre), original);
        const qint64 kept = page.picture.cacheKey();

        for (int i = 0; i < 10; ++i)
            w.form.menuClick(MenuItem::darker);
        QTRY_COMPARE(area->grab().toImage().pixelColor(centre), QColor(Qt::black));
        QCOMPARE(page.picture.cacheKey(), kept);
        w.form.menuClick(MenuItem::resetAdjustments);
        w.form.menuClick(MenuItem::greyscale);
        const int grey = qGray(original.rgb());
        QTRY_COMPARE(area->grab().toImage().pixelColor(centre), QColor(grey, grey, grey));
        w.form.menuClick(MenuItem::resetAdjustments);
        QTRY_COMPARE(area->grab().toImage().pixelColor(centre), original);
    }
};

QTEST_MAIN(TestMainWindowLayout)
#include "tst_main_window_layout.moc"

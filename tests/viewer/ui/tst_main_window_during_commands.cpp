#include "commands/control_names.h"
#include "commands/toolbar_table.h"
#include "common/twips.h"
#include "platform/ui/window_busy_pointer.h"
#include "support/viewer_fixture.h"
#include "viewer/status_texts.h"
#include "viewer/ui/main_window.h"
#include "viewer/ui/viewing_area.h"

#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QStatusBar>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

namespace {

// A book open in the main window on screen.
struct ShownBook
{
    ViewerFixture f{false};
    MainWindow window{f.form, f.platform.delays};

    bool show(int pages)
    {
        f.form.Form_Load();
        window.showRestored();
        f.open(f.makeBook(pages));
        return QTest::qWaitForWindowExposed(&window);
    }
    QStringList panelTexts() const
    {
        QStringList texts;
        for (const QLabel* panel : window.statusBar()->findChildren<QLabel*>())
            texts.append(panel->text());
        return texts;
    }
    const QAction* button(const QString& key) const { return window.findChild<QAction*>(key); }
};

} // namespace

class TestMainWindowDuringCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Left to right the earlier page's name stands on the left, as the page does.
    void thePageNamesStandAsThePages()
    {
        ShownBook shown;
        QVERIFY(shown.show(4));
        QCOMPARE(shown.panelTexts().mid(0, 3), QStringList({"2 / 4", "[2] p2.jpg", "[1] p1.jpg"}));
        shown.f.form.menuClick(MenuItem::leftToRight);
        QCOMPARE(shown.panelTexts().mid(0, 3), QStringList({"2 / 4", "[1] p1.jpg", "[2] p2.jpg"}));
        shown.f.form.menuClick(MenuItem::onePage);
        QCOMPARE(shown.panelTexts().at(2), QStringLiteral("[1] p1.jpg"));
    }

    // The mode switch shows its notice with the new mode already in the status
    // bar and on the one-page button, which the click itself has flipped.
    void theNoticeShowsOverTheNewMode_data()
    {
        QTest::addColumn<bool>("fromOnePage");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("modeText");
        QTest::addColumn<bool>("pressed");
        QTest::newRow("to one page") << false << QString(WindowName::onePageNotice)
                                     << StatusText::oneScreenMode() << true;
        QTest::newRow("to two pages")
            << true << QString(WindowName::twoPagesNotice) << StatusText::twoScreensMode() << false;
    }
    void theNoticeShowsOverTheNewMode()
    {
        QFETCH(bool, fromOnePage);
        QFETCH(QString, notice);
        QFETCH(QString, modeText);
        QFETCH(bool, pressed);
        ShownBook b;
        QVERIFY(b.show(6));
        if (fromOnePage)
            b.f.form.menuClick(MenuItem::onePage);
        const QAction* onePage = b.button(ToolbarKey::onePage);
        QVERIFY(onePage);
        QStringList panelsDuring;
        bool pressedDuring = !pressed;
        b.f.platform.modal.interactions.insert(notice, [&] {
            panelsDuring = b.panelTexts();
            pressedDuring = onePage->isChecked();
        });
        b.f.form.Toolbar1_ButtonClick(MainToolbar::onePage);
        QVERIFY(b.f.platform.modal.shown.contains(notice));
        QVERIFY2(panelsDuring.contains(modeText), qPrintable(panelsDuring.join(u'|')));
        QCOMPARE(pressedDuring, pressed);
        QCOMPARE(onePage->isChecked(), pressed);
    }

    // While a page decodes, the status bar already says it is loading.
    void theStatusBarSaysWhileAPageLoads()
    {
        ShownBook b;
        QVERIFY(b.show(6));
        QStringList panelsDuring;
        b.f.platform.pictures.whileDecoding = [&] { panelsDuring.append(b.panelTexts().join(u'|')); };
        b.f.form.Toolbar1_ButtonClick(MainToolbar::nextPage);
        QCOMPARE(panelsDuring.size(), 2);
        // The right-hand page loads in panel 3, then the left-hand one in panel 2.
        QCOMPARE(panelsDuring.at(0).split(u'|').value(2), StatusText::loading());
        QCOMPARE(panelsDuring.at(1).split(u'|').value(1), StatusText::loading());
        QCOMPARE(panelsDuring.at(1).split(u'|').value(2), QStringLiteral("[3] p3.jpg"));
        QVERIFY(!b.panelTexts().contains(StatusText::loading()));
    }

    // While a spread is put together, the pages on screen stay as they were: the viewing
    // area is drawn once, with the new spread, when the turn is done.
    void aSpreadIsDrawnOnceWhole()
    {
        ShownBook b;
        QVERIFY(b.show(6));
        auto* area = b.window.findChild<ViewingArea*>();
        QVERIFY(area);
        QTRY_VERIFY(area->paints() > 0);
        QCoreApplication::processEvents();
        const quint64 before = area->paints();
        QList<quint64> paintsDuring;
        b.f.platform.pictures.whileDecoding = [&] { paintsDuring.append(area->paints()); };
        b.f.form.Form_KeyDown(KeyCode::Space, 0);
        QCOMPARE(paintsDuring, QList<quint64>({before, before}));
        QCOMPARE(area->paints(), before + 1);
        QCOMPARE(b.panelTexts().value(2), QStringLiteral("[3] p3.jpg"));
    }

    // The window itself shows the busy pointer while a page turn decodes, and
    // its own pointer once the command has ended.
    void theWindowShowsTheBusyPointerWhileAPageLoads()
    {
        TestPlatform fakes;
        WindowBusyPointer pointer;
        const Platform platform{fakes.messages, fakes.modal,  fakes.files,  fakes.settings,
                                fakes.process,  fakes.random, fakes.shell,  fakes.books,
                                fakes.pictures, fakes.pages,  fakes.delays, pointer};
        ViewerState state;
        Form2 browser(platform);
        Form1 form(platform, state, browser);
        browser.setBookOpener(&form);
        MainWindow window(form, fakes.delays);
        pointer.setWindow(&window);
        form.Form_Load();
        window.showRestored();
        QTemporaryDir dir;
        for (int i = 1; i <= 6; ++i)
            ViewerFixture::touch(dir.path() + QLatin1Char('/') + ViewerFixture::pageName(i, 6));
        form.controls().list1 = QStringList{dir.path()};
        form.dP();
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);

        QList<Qt::CursorShape> shapesWhileDecoding;
        fakes.pictures.whileDecoding = [&] { shapesWhileDecoding.append(window.cursor().shape()); };
        form.Toolbar1_ButtonClick(MainToolbar::nextPage);
        QCOMPARE(shapesWhileDecoding, QList<Qt::CursorShape>({Qt::BusyCursor, Qt::BusyCursor}));
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
    }

    // A page at actual size on a screen of two device pixels to a pixel is
    // enlarged smoothly: an edge inside the picture shows shades between its
    // two colours instead of a hard step of 2 x 2 blocks.
    void pagesAtActualSizeAreEnlargedSmoothly()
    {
        ShownBook b;
        QVERIFY(b.show(1));
        Form1Controls& controls = b.f.form.controls();
        QImage picture(controls.picture2.picture.size(), QImage::Format_RGB32);
        picture.fill(Qt::black);
        QPainter(&picture).fillRect(picture.width() / 2, 0, picture.width(), picture.height(), Qt::white);
        controls.picture2.picture = picture;
        Q_EMIT b.f.form.changed();

        auto* area = b.window.findChild<ViewingArea*>();
        QVERIFY(area);
        QImage shown(area->size() * 2, QImage::Format_RGB32);
        shown.setDevicePixelRatio(2);
        area->render(&shown);
        const QRect page = toPixelRect(controls.picture1.left + controls.picture2.left,
                                       controls.picture1.top + controls.picture2.top, controls.picture2.width,
                                       controls.picture2.height);
        QVERIFY(QRect(QPoint(), area->size()).contains(page));
        const int row = page.center().y() * 2;
        QCOMPARE(shown.pixelColor(page.left() * 2 + 4, row), QColor(Qt::black));
        QCOMPARE(shown.pixelColor(page.right() * 2 - 4, row), QColor(Qt::white));
        int shades = 0;
        for (int x = page.left() * 2; x < (page.left() + page.width()) * 2; ++x) {
            const int grey = qGray(shown.pixel(x, row));
            if (grey > 0 && grey < 255)
                ++shades;
        }
        QVERIFY(shades > 0);
    }
};

QTEST_MAIN(TestMainWindowDuringCommands)
#include "tst_main_window_during_commands.moc"

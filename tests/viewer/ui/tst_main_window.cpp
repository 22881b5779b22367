#include "browse/form2.h"
#include "commands/key_map.h"
#include "commands/toolbar_table.h"
#include "common/twips.h"
#include "support/menu_mnemonics.h"
#include "support/test_platform.h"
#include "viewer/form1.h"
#include "viewer/ui/main_window.h"

#include <QAction>
#include <QBackingStore>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace ruvo;
using namespace ruvo::test;

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensAtTheRestoredSizeAndStoresItOnClose()
    {
        TestPlatform platform;
        platform.settings.set("sizew", "9000");
        platform.settings.set("sizeh", "6000");
        platform.settings.set("col", "11772145");
        ViewerState state;
        Form2 browser(platform.platform());
        Form1 form(platform.platform(), state, browser);
        MainWindow window(form, platform.delays);
        form.Form_Load();
        window.showRestored();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), QSize(600, 400));
        QCOMPARE(window.windowTitle(), QStringLiteral("Ruvo"));

        window.resize(700, 500);
        QTRY_COMPARE(form.controls().window.width, toTwips(700));
        window.close();
        QCOMPARE(platform.process.exitCount, 1);
        QCOMPARE(platform.settings.writes,
                 QStringList({"Dudado/startup/col=11772145", "Dudado/startup/sizew=10500",
                              "Dudado/startup/sizeh=7500", "Dudado/startup/botan=0"}));
    }

    // The surface made while the splash is up is the one the window opens with, at the size
    // the settings give it; a window that opens maximized makes its own when it opens.
    void preparesTheSurfaceItOpensWith_data()
    {
        QTest::addColumn<QString>("botan");
        QTest::addColumn<bool>("prepared");
        QTest::newRow("normal") << "0" << true;
        QTest::newRow("maximized") << "2" << false;
    }
    void preparesTheSurfaceItOpensWith()
    {
        QFETCH(QString, botan);
        QFETCH(bool, prepared);
        TestPlatform platform;
        platform.settings.set("sizew", "9000");
        platform.settings.set("sizeh", "6000");
        platform.settings.set("botan", botan);
        ViewerState state;
        Form2 browser(platform.platform());
        Form1 form(platform.platform(), state, browser);
        MainWindow window(form, platform.delays);
        window.prepareSurface();
        QVERIFY(!window.isVisible());
        QCOMPARE(window.backingStore() != nullptr, prepared);
        if (prepared)
            QCOMPARE(window.backingStore()->size(), QSize(600, 400));
        const QBackingStore* const surface = window.backingStore();

        form.Form_Load();
        window.showRestored();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.backingStore());
        if (prepared) {
            QCOMPARE(window.backingStore(), surface);
            QCOMPARE(window.size(), QSize(600, 400));
            QCOMPARE(window.backingStore()->size(), window.size());
        }
    }

    // The pages around the first spread are prepared once the window has drawn it.
    // Every menu the window builds, its submenus and the recent books included, gives each of
    // its items an access key of its own: right click then O opens the file browser.
    void everyMenuGivesEachItemItsOwnAccessKey()
    {
        TestPlatform platform;
        ViewerState state;
        Form2 browser(platform.platform());
        Form1 form(platform.platform(), state, browser);
        MainWindow window(form, platform.delays);
        form.Form_Load();
        const QList<QMenu*> menus = window.findChildren<QMenu*>();
        QVERIFY(menus.size() >= 3);
        for (QMenu* menu : menus) {
            Q_EMIT menu->aboutToShow();
            QStringList captions;
            for (const QAction* action : menu->actions()) {
                if (action->isVisible() && !action->isSeparator())
                    captions.append(action->text());
            }
            QVERIFY2(mnemonicClashes(captions).isEmpty(), qPrintable(mnemonicClashes(captions).join(u", ")));
        }
        QCOMPARE(mnemonicOf(window.findChildren<QMenu*>().first()->actions().at(0)->text()), QChar(u'n'));
    }

    void preparesAheadOnceItHasDrawn()
    {
        QTemporaryDir dir;
        for (const char* name : {"p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg"}) {
            QFile file(dir.path() + '/' + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        TestPlatform platform;
        platform.process.commandLineText = dir.path();
        ViewerState state;
        Form2 browser(platform.platform());
        Form1 form(platform.platform(), state, browser);
        MainWindow window(form, platform.delays);
        form.Form_Load();
        window.showRestored();
        form.afterSplash();
        QVERIFY(platform.pages.prefetched.isEmpty());
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QList<QStringList> around{{dir.path() + "/p3.jpg", dir.path() + "/p4.jpg"}};
        QTRY_COMPARE(platform.pages.prefetched, around);
    }

    void toolbarShowsTheButtonStates()
    {
        TestPlatform platform;
        ViewerState state;
        Form2 browser(platform.platform());
        Form1 form(platform.platform(), state, browser);
        MainWindow window(form, platform.delays);
        form.Form_Load();
        const auto toolbars = window.findChildren<QToolBar*>();
        QCOMPARE(toolbars.size(), 1);
        QHash<QString, QAction*> byTip;
        for (QAction* action : toolbars.first()->actions()) {
            if (!action->isSeparator() && !action->toolTip().isEmpty())
                byTip.insert(action->toolTip(), action);
        }
        QVERIFY(byTip.contains(QStringLiteral("ファイルを開く")));
        QVERIFY(byTip.value(QStringLiteral("ファイルを開く"))->isEnabled());
        QVERIFY(!byTip.value(QStringLiteral("次のページ"))->isEnabled());
        QVERIFY(!byTip.value(QStringLiteral("表示領域移動「中央」"))->isEnabled());
        QVERIFY(!byTip.value(QStringLiteral("キャンバス表示　ON/OFF"))->isVisible());
        QVERIFY(byTip.value(QStringLiteral("ステータスバー　ON/OFF"))->isCheckable());
    }

    // Left to right the page arrows are turned over; right to left again, they are as drawn.
    void thePageArrowsPointTheReadingWay()
    {
        TestPlatform platform;
        ViewerState state;
        Form2 browser(platform.platform());
        Form1 form(platform.platform(), state, browser);
        MainWindow window(form, platform.delays);
        form.Form_Load();
        QAction* next = window.findChild<QToolBar*>()->actions().at(MainToolbar::nextPage - 1);
        QCOMPARE(next->toolTip(), QStringLiteral("次のページ"));
        const QImage drawn = next->icon().pixmap(QSize(16, 16)).toImage();
        form.menuClick(MenuItem::leftToRight);
        QCOMPARE(next->icon().pixmap(QSize(16, 16)).toImage(), drawn.mirrored(true, false));
        QVERIFY(next->icon().pixmap(QSize(16, 16)).toImage() != drawn);
        form.menuClick(MenuItem::leftToRight);
        QCOMPARE(next->icon().pixmap(QSize(16, 16)).toImage(), drawn);
    }

    // A page named like markup shows in the status bar as it is named.
    void statusBarShowsNamesAsPlainText()
    {
        TestPlatform platform;
        ViewerState state;
        Form2 browser(platform.platform());
        Form1 form(platform.platform(), state, browser);
        MainWindow window(form, platform.delays);
        form.Form_Load();
        form.controls().statusBar.panel(2) = QStringLiteral("[1] <i>a &lt; b.jpg");
        Q_EMIT form.changed();
        bool found = false;
        for (QLabel* panel : window.statusBar()->findChildren<QLabel*>()) {
            QCOMPARE(panel->textFormat(), Qt::PlainText);
            found = found || panel->text() == QStringLiteral("[1] <i>a &lt; b.jpg");
        }
        QVERIFY(found);
    }

    // Full screen and back keeps the normal size; closing in full screen stores it as maximised.
    void fullScreenKeepsTheNormalWindow()
    {
        TestPlatform platform;
        platform.settings.set("sizew", "9000");
        platform.settings.set("sizeh", "6000");
        ViewerState state;
        Form2 browser(platform.platform());
        Form1 form(platform.platform(), state, browser);
        MainWindow window(form, platform.delays);
        form.Form_Load();
        window.showRestored();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        form.Form_KeyDown(KeyCode::F11, 0);
        QTRY_VERIFY(window.isFullScreen());
        form.Form_KeyDown(KeyCode::Escape, 0);
        QTRY_VERIFY(!window.isFullScreen());
        QTRY_COMPARE(window.size(), QSize(600, 400));
        form.Form_KeyDown(KeyCode::F11, 0);
        QTRY_VERIFY(window.isFullScreen());
        window.close();
        QCOMPARE(platform.settings.writes, QStringList({"Dudado/startup/col=0", "Dudado/startup/botan=2"}));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"

#include "browse/form2.h"
#include "commands/control_names.h"
#include "support/test_platform.h"
#include "viewer/form1.h"
#include "viewer/ui/main_window.h"
#include "viewer/ui/viewing_area.h"

#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

// The main window under a Wayland compositor, where a window cannot place itself: it starts
// at its restored size, goes full screen and back to the size it had, and its popup menu opens.
class TestWaylandWindow : public QObject
{
    Q_OBJECT

    TestPlatform m_platform;
    ViewerState m_state;
    Form2 m_browser{m_platform.platform()};
    Form1 m_form{m_platform.platform(), m_state, m_browser};
    MainWindow m_window{m_form, m_platform.delays};
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        for (const char* name : {"p1.jpg", "p2.jpg", "p3.jpg"})
            QVERIFY(QFile(m_dir.filePath(QLatin1String(name))).open(QIODevice::WriteOnly));
        m_platform.settings.set(QStringLiteral("sizew"), QStringLiteral("9000"));
        m_platform.settings.set(QStringLiteral("sizeh"), QStringLiteral("6000"));
        m_browser.setBookOpener(&m_form);
        m_form.Form_Load();
        m_window.showRestored();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
        m_form.afterSplash();
        m_form.openPath(m_dir.path());
    }

    // At the size it was left at, though not where: the compositor places it.
    void startsWithTheBookAtItsRestoredSize()
    {
        QCOMPARE(m_window.size(), QSize(600, 400));
        QCOMPARE(m_window.windowTitle(), "Ruvo - " + m_dir.path());
        QCOMPARE(m_form.controls().statusBar.panel(1), QStringLiteral("2 / 3"));
    }

    void goesFullScreenAndBack()
    {
        const QSize before = m_window.size();
        m_form.menuClick(MenuItem::fullScreen);
        QTRY_VERIFY(m_window.isFullScreen());
        QTRY_COMPARE(m_window.size(), m_window.screen()->size());
        m_form.menuClick(MenuItem::fullScreen);
        QTRY_VERIFY(!m_window.isFullScreen());
        QTRY_COMPARE(m_window.size(), before);
    }

    void opensItsPopupMenu()
    {
        auto* area = m_window.findChild<ViewingArea*>();
        QVERIFY(area);
        QTest::mouseClick(area, Qt::RightButton, {}, area->rect().center());
        QMenu* popup = m_window.findChildren<QMenu*>().first();
        QTRY_VERIFY(popup->isVisible());
        QVERIFY(!popup->actions().isEmpty());
        popup->close();
        QTRY_VERIFY(!popup->isVisible());
    }
};

QTEST_MAIN(TestWaylandWindow)
#include "tst_wayland_window.moc"

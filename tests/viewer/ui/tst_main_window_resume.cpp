#include "browse/form2.h"
#include "commands/control_names.h"
#include "support/test_platform.h"
#include "viewer/form1.h"
#include "viewer/status_texts.h"
#include "viewer/ui/main_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

namespace {

// The main window as the program opens it, its reading positions in the state folder given.
struct Session
{
    explicit Session(const QString& stateFolder)
    {
        platform.process.state = stateFolder;
        form.menuClick(MenuItem::resume);
        browser.setBookOpener(&form);
        form.Form_Load();
        window.showRestored();
    }

    bool noticeShows(const QString& text) const
    {
        for (QLabel* label : window.statusBar()->findChildren<QLabel*>()) {
            if (label->isVisible() && label->text() == text)
                return true;
        }
        return false;
    }

    QMenu* recentBooksMenu() const
    {
        for (QMenu* menu : window.findChildren<QMenu*>()) {
            if (menu->title() == u"最近読んだ本(&L)"_s)
                return menu;
        }
        return nullptr;
    }

    TestPlatform platform;
    ViewerState state;
    Form2 browser{platform.platform()};
    Form1 form{platform.platform(), state, browser};
    MainWindow window{form, platform.delays};
};

QString makeBook(const QTemporaryDir& dir, const QString& name, int pages)
{
    const QString folder = dir.filePath(name);
    QDir().mkpath(folder);
    for (int i = 1; i <= pages; ++i) {
        QFile page(folder + u"/p%1.jpg"_s.arg(i));
        page.open(QIODevice::WriteOnly);
    }
    return folder;
}

} // namespace

class TestMainWindowResume : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A book left at a page by closing the window opens there in the next window, which says
    // so; its recent-books menu lists it and opens it there too.
    void theNextWindowResumesWhereTheLastWasClosed()
    {
        QTemporaryDir state;
        QTemporaryDir books;
        const QString volume1 = makeBook(books, u"Vol 1"_s, 8);
        const QString volume2 = makeBook(books, u"Vol 2"_s, 4);
        {
            Session first(state.path());
            QVERIFY(QTest::qWaitForWindowExposed(&first.window));
            first.form.dropFiles({volume1});
            QTest::keyClick(&first.window, Qt::Key_Space);
            QTest::keyClick(&first.window, Qt::Key_Space);
            QCOMPARE(first.state.pageIndex, 5);
            first.window.close();
        }

        Session second(state.path());
        QVERIFY(QTest::qWaitForWindowExposed(&second.window));
        second.form.dropFiles({volume1});
        QCOMPARE(second.state.pageIndex, 5);
        QVERIFY(second.noticeShows(StatusText::resumedAt(4)));

        // The next volume by its key, then back to the first through the menu of books read last.
        QTest::keyClick(&second.window, Qt::Key_End);
        QVERIFY(second.noticeShows(StatusText::nextVolume(u"Vol 2"_s, u"]"_s)));
        QTest::keyClick(&second.window, Qt::Key_BracketRight);
        QCOMPARE(second.window.windowTitle(), u"Ruvo - "_s + volume2);
        QMenu* recent = second.recentBooksMenu();
        QVERIFY(recent);
        Q_EMIT recent->aboutToShow();
        const QList<QAction*> actions = recent->actions();
        QCOMPARE(actions.size(), 1);
        // Read to its end, Vol 1 starts over.
        QCOMPARE(actions.constFirst()->text(), u"Vol 1"_s);
        actions.constFirst()->trigger();
        QCOMPARE(second.window.windowTitle(), u"Ruvo - "_s + volume1);
        QCOMPARE(second.state.pageIndex, 1);
    }
};

QTEST_MAIN(TestMainWindowResume)
#include "tst_main_window_resume.moc"

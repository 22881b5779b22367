// Every window the logic may ask for has a view registered under its name, by
// the same functions the program itself is wired with.
#include "bookshelf/ui/bookshelf_windows.h"
#include "bookshelf/ui/register_windows.h"
#include "browse/form2.h"
#include "browse/ui/browser_window.h"
#include "browse/ui/folder_chooser_windows.h"
#include "commands/control_names.h"
#include "platform/callback_modal_window_service.h"
#include "support/test_platform.h"
#include "viewer/form1.h"
#include "viewer/ui/main_window.h"
#include "viewer/ui/viewer_windows.h"
#include "windows/ui/help_window.h"

#include <QApplication>
#include <QTest>
#include <QTextBrowser>

using namespace ruvo;
using namespace ruvo::test;

namespace {

// The windows registered as the program registers them.
struct Registered
{
    TestPlatform fakes;
    CallbackModalWindowService windows;
    const Platform platform{fakes.messages, windows,      fakes.files,  fakes.settings,
                            fakes.process,  fakes.random, fakes.shell,  fakes.books,
                            fakes.pictures, fakes.pages,  fakes.delays, fakes.pointer};
    ViewerState state;
    Form2 form2{platform};
    Form1 form1{platform, state, form2};
    MainWindow mainWindow{form1, fakes.delays};
    BrowserWindow browser{form2, &mainWindow};

    Registered()
    {
        registerViewerWindows(windows, browser, fakes.shell, fakes.messages, fakes.delays, state,
                              &mainWindow);
        registerBookshelfWindow(windows, platform, state, form1, &mainWindow);
        registerRegisterWindows(windows, platform, state, &mainWindow);
        registerFolderChooser(windows, platform, state, &mainWindow);
    }
};

QList<HelpWindow*> helpWindowsShown()
{
    QList<HelpWindow*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* help = qobject_cast<HelpWindow*>(widget); help && help->isVisible())
            shown.append(help);
    }
    return shown;
}

} // namespace

class TestWindowRegistry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyWindowNameHasAView()
    {
        Registered r;
        for (ControlName name : WindowName::all)
            QVERIFY2(r.windows.isRegistered(name), name.data());
        QVERIFY(!r.windows.isRegistered(QStringLiteral("Form12")));
    }

    // However often F1 is pressed, one help window; it names the shelf in use when it opens.
    void theHelpOpensOnceAtATime()
    {
        Registered r;
        r.state.programFolder = QStringLiteral("/opt/ruvo");
        r.state.shelfFolder = QStringLiteral("/srv/shelf");
        r.windows.showModeless(WindowName::help);
        r.windows.showModeless(WindowName::help);
        const QList<HelpWindow*> shown = helpWindowsShown();
        QCOMPARE(shown.size(), 1);
        const QString text = shown.first()->findChild<QTextBrowser*>()->toPlainText();
        QVERIFY(text.contains(QStringLiteral("/srv/shelf/Hondana.ruv")));
        QVERIFY(text.contains(QStringLiteral("/opt/ruvo/defruv.ini")));
        QVERIFY(text.contains(QStringLiteral("Dudado.ini")));
        shown.first()->close();
        QTRY_VERIFY(helpWindowsShown().isEmpty());
        r.windows.showModeless(WindowName::help);
        QCOMPARE(helpWindowsShown().size(), 1);
        helpWindowsShown().first()->close();
    }
};

QTEST_MAIN(TestWindowRegistry)
#include "tst_window_registry.moc"

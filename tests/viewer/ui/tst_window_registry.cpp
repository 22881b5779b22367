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

#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

class TestWindowRegistry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyWindowNameHasAView()
    {
        TestPlatform fakes;
        CallbackModalWindowService windows;
        const Platform platform{fakes.messages, windows,      fakes.files,  fakes.settings,
                                fakes.process,  fakes.random, fakes.shell,  fakes.books,
                                fakes.pictures, fakes.pages,  fakes.delays, fakes.pointer};
        ViewerState state;
        Form2 form2(platform);
        Form1 form1(platform, state, form2);
        MainWindow mainWindow(form1, fakes.delays);
        BrowserWindow browser(form2, &mainWindow);
        registerViewerWindows(windows, browser, fakes.shell, fakes.messages, fakes.delays, &mainWindow);
        registerBookshelfWindow(windows, platform, state, form1, &mainWindow);
        registerRegisterWindows(windows, platform, state, &mainWindow);
        registerFolderChooser(windows, platform, state, &mainWindow);
        for (ControlName name : WindowName::all)
            QVERIFY2(windows.isRegistered(name), name.data());
        QVERIFY(!windows.isRegistered(QStringLiteral("Form12")));
    }
};

QTEST_MAIN(TestWindowRegistry)
#include "tst_window_registry.moc"

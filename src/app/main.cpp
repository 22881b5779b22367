#include "app/application_windows.h"
#include "books/books.h"
#include "browse/form2.h"
#include "imaging/cache/prefetching_page_cache.h"
#include "imaging/file_picture_decoder.h"
#include "platform/application_process_service.h"
#include "platform/callback_modal_window_service.h"
#include "platform/delays.h"
#include "platform/desktop_shell_service.h"
#include "platform/ini_settings_service.h"
#include "platform/local_file_services.h"
#include "platform/native_name.h"
#include "platform/system_random_service.h"
#include "platform/ui/widget_message_box_service.h"
#include "platform/ui/window_busy_pointer.h"
#include "session/viewer_state.h"
#include "viewer/form1.h"
#include "windows/ui/application_identity.h"
#include "windows/ui/japanese_standard_texts.h"
#include "windows/ui/splash_window.h"

#include <QApplication>
#include <QTimer>

#include <optional>

using namespace ruvo;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    applyApplicationIdentity();
    installJapaneseStandardTexts();

    WidgetMessageBoxService messages;
    CallbackModalWindowService windows;
    LocalFileServices files;
    IniSettingsService settings;
    // QApplication has taken out its own options; a path that is not UTF-8 is kept whole.
    ApplicationProcessService process(argumentsFromNative(argc, argv), QApplication::applicationDirPath());
    SystemRandomService random;
    DesktopShellService shell;
    // Folders and archive files open as books; a page inside an archive is read out of it
    // through the archive's one reader.
    Books books(files);
    FilePictureDecoder fileDecoder;
    PrefetchingPageCache pages(fileDecoder);
    const Delays delays;
    WindowBusyPointer pointer;
    const Platform platform{messages, windows, files,       settings, process, random,
                            shell,    books,   fileDecoder, pages,    delays,  pointer};

    ViewerState state;
    Form2 form2(platform);
    Form1 form1(platform, state, form2);
    // The book on the command line is decoded while the splash is shown.
    form1.prepareStart();

    // The windows are built while the splash is on screen, once it has been drawn, and the
    // main window's drawing surface made ready; the splash's timer finds them built in any
    // case.
    std::optional<ApplicationWindows> appWindows;
    const auto build = [&] {
        if (appWindows)
            return;
        applyApplicationIcon();
        appWindows.emplace(platform, ApplicationWindows::Services{messages, windows, shell, pointer, delays},
                           state, form1, form2);
        form2.setBookOpener(&form1);
        appWindows->mainWindow().prepareSurface();
    };
    auto* splash = new SplashWindow(delays.splash);
    QObject::connect(splash, &SplashWindow::drawn, splash, build, Qt::QueuedConnection);
    QObject::connect(splash, &SplashWindow::timerElapsed, splash, [&form1, &appWindows, &build, splash] {
        build();
        MainWindow& mainWindow = appWindows->mainWindow();
        form1.Form_Load();
        mainWindow.showRestored();
        splash->close();
        splash->deleteLater();
        form1.afterSplash();
        // For the smoke test of an installed program: once the main window is up,
        // close it as a user would, so the run ends through the normal shutdown.
        if (qEnvironmentVariableIsSet("RUVO_CLOSE_AFTER_START"))
            QTimer::singleShot(0, &mainWindow, &QWidget::close);
    });
    splash->show();

    return QApplication::exec();
}

#include "platform/application_process_service.h"
#include "platform/callback_modal_window_service.h"
#include "platform/delays.h"
#include "platform/desktop_shell_service.h"
#include "platform/local_file_services.h"
#include "platform/qt_settings_service.h"
#include "platform/system_random_service.h"
#include "platform/ui/widget_message_box_service.h"
#include "viewer/form1.h"
#include "viewer/ui/main_window.h"
#include "viewer/viewer_state.h"
#include "windows/ui/splash_window.h"

#include <QApplication>

using namespace ruvo;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ruvo"));
    QApplication::setOrganizationName(QStringLiteral("Dudado"));

    WidgetMessageBoxService messages;
    CallbackModalWindowService modal;
    LocalFileServices files;
    QtSettingsService settings;
    ApplicationProcessService process(QApplication::arguments(), QApplication::applicationDirPath());
    SystemRandomService random;
    DesktopShellService shell;
    const Delays delays;
    const Platform platform{messages, modal, files, settings, process, random, shell, delays};

    ViewerState state;
    Form1 form1(platform, state);
    MainWindow mainWindow(form1);
    messages.setParentWindow(&mainWindow);

    auto* splash = new SplashWindow(delays.splash);
    QObject::connect(splash, &SplashWindow::timerElapsed, &mainWindow, [&form1, &mainWindow, splash] {
        form1.Form_Load();
        mainWindow.showRestored();
        splash->close();
        splash->deleteLater();
        form1.afterSplash();
    });
    splash->show();

    return QApplication::exec();
}

#include "viewer/ui/viewer_windows.h"

#include "books/books.h"
#include "browse/form2.h"
#include "browse/ui/browser_window.h"
#include "commands/control_names.h"
#include "platform/application_process_service.h"
#include "platform/callback_modal_window_service.h"
#include "platform/delays.h"
#include "platform/ini_settings_service.h"
#include "platform/paths.h"
#include "session/positions_file.h"
#include "session/record_file.h"
#include "session/settings_store.h"
#include "session/viewer_state.h"
#include "windows/ui/drop_help_window.h"
#include "windows/ui/help_window.h"
#include "windows/ui/mode_notice_window.h"
#include "windows/ui/version_window.h"
#include "windows/version_text.h"

#include <QCoreApplication>

#include <QPointer>
#include <memory>

namespace ruvo {

namespace {

HelpPlaces helpPlaces(const ViewerState& state)
{
    return {IniSettingsService::filePath(QLatin1String(Setting::backgroundColour.application)),
            IniSettingsService::filePath(QLatin1String(Setting::widePagesAlone.application)),
            joinPath(ApplicationProcessService::userStateFolder(), PositionsFile::fileName()),
            RecordFile::pathIn(state.programFolder), state.shelfFolder};
}

} // namespace

void registerViewerWindows(CallbackModalWindowService& windows, BrowserWindow& browser, ShellService& shell,
                           MessageBoxService& messages, const Delays& delays, const ViewerState& state,
                           QWidget* mainWindow)
{
    QPointer<QWidget> main(mainWindow);
    windows.registerWindow(WindowName::browser, [&browser] { browser.exec(); });

    const auto notice = [main, &delays](ModeNoticeWindow::Mode mode) {
        ModeNoticeWindow window(mode, delays.modeNotice, main);
        window.exec();
    };
    windows.registerWindow(WindowName::onePageNotice, [notice] { notice(ModeNoticeWindow::Mode::OnePage); });
    windows.registerWindow(WindowName::twoPagesNotice,
                           [notice] { notice(ModeNoticeWindow::Mode::TwoPages); });
    windows.registerWindow(WindowName::version, [main, &shell, &messages] {
        VersionWindow window(shell, messages,
                             VersionText::readmeAddress(QCoreApplication::applicationDirPath()), main);
        window.exec();
    });
    auto dropHelp = std::make_shared<QPointer<DropHelpWindow>>();
    windows.registerWindow(WindowName::dropHelp, [main, &browser, &delays, dropHelp] {
        if (*dropHelp)
            return;
        *dropHelp = new DropHelpWindow(browser.logic().books().folderFormats(), delays.dropHelp, main);
        (*dropHelp)->show();
    });
    auto help = std::make_shared<QPointer<HelpWindow>>();
    windows.registerWindow(WindowName::help, [main, &state, help] {
        // One closed is on its way out.
        if (!*help || !(*help)->isVisible()) {
            *help = new HelpWindow(helpPlaces(state), main);
            (*help)->show();
        }
        (*help)->raise();
        (*help)->activateWindow();
    });
}

} // namespace ruvo

#pragma once

#include "browse/ui/browser_window.h"
#include "viewer/ui/main_window.h"

namespace ruvo {

class CallbackModalWindowService;
class ShellService;
class Form1;
class Form2;
class WidgetMessageBoxService;
class WindowBusyPointer;
struct Delays;
struct Platform;
struct ViewerState;

// The program's windows: the main window and the file browser, built once and kept for the
// whole run, and the windows made on first use, registered with the window service. Messages
// and the busy pointer belong to the main window.
class ApplicationWindows
{
public:
    struct Services
    {
        WidgetMessageBoxService& messages;
        CallbackModalWindowService& windows;
        ShellService& shell;
        WindowBusyPointer& pointer;
        const Delays& delays;
    };

    ApplicationWindows(const Platform& platform, const Services& services, ViewerState& state, Form1& form1,
                       Form2& form2);

    MainWindow& mainWindow() { return m_mainWindow; }

private:
    MainWindow m_mainWindow;
    BrowserWindow m_browser;
};

} // namespace ruvo

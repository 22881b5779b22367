#pragma once

class QWidget;

namespace ruvo {

class BrowserWindow;
class CallbackModalWindowService;
class MessageBoxService;
class ShellService;
struct Delays;

// Registers the windows the main window's logic shows: the file browser (kept
// for the whole run), the version information, the drop help (one at a time,
// however many drops arrive) and the two mode notices.
void registerViewerWindows(CallbackModalWindowService& windows, BrowserWindow& browser, ShellService& shell,
                           MessageBoxService& messages, const Delays& delays, QWidget* mainWindow);

} // namespace ruvo

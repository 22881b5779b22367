#pragma once

class QWidget;

namespace ruvo {

class BrowserWindow;
class CallbackModalWindowService;
class MessageBoxService;
class ShellService;
struct Delays;
struct ViewerState;

// Registers the windows the main window's logic shows: the file browser (kept
// for the whole run), the version information, the drop help (one at a time,
// however many drops arrive), the two mode notices and the help (one at a time,
// naming the files of the shelf in use when it opens).
void registerViewerWindows(CallbackModalWindowService& windows, BrowserWindow& browser, ShellService& shell,
                           MessageBoxService& messages, const Delays& delays, const ViewerState& state,
                           QWidget* mainWindow);

} // namespace ruvo

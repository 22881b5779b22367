#pragma once

#include "platform/platform.h"

class QWidget;

namespace ruvo {

class CallbackModalWindowService;
class BookOpener;
struct ViewerState;

// Registers the bookshelf window "Form6". Every showing makes the window and
// its logic afresh, loads the current shelf and waits until the window has
// closed; when the user switched to another shelf meanwhile, the window shows
// again on the new one.
void registerBookshelfWindow(CallbackModalWindowService& windows, Platform platform, ViewerState& state,
                             BookOpener& opener, QWidget* mainWindow);

} // namespace ruvo

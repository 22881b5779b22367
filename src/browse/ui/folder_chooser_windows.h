#pragma once

#include "platform/platform.h"

class QWidget;

namespace ruvo {

class CallbackModalWindowService;
struct ViewerState;

// Registers the shelf folder chooser "Form10" and its new-folder window
// "Form11", which the chooser's logic shows while it is open.
void registerFolderChooser(CallbackModalWindowService& windows, Platform platform, ViewerState& state,
                           QWidget* mainWindow);

} // namespace ruvo

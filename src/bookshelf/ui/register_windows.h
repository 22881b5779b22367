#pragma once

#include "platform/platform.h"

class QWidget;

namespace ruvo {

class CallbackModalWindowService;
struct ViewerState;

// Registers the register window "Form5" and its notice "Form7", which the
// register window's logic shows after a registration.
void registerRegisterWindows(CallbackModalWindowService& windows, Platform platform, ViewerState& state,
                             QWidget* mainWindow);

} // namespace ruvo

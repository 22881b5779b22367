#pragma once

#include "commands/control_names.h"
#include "display/page_fitting.h"

namespace ruvo {

// The toolbar button (1-based index) and the menu item of a placement command.
int placementButton(Placement placement);
ControlName placementMenuItem(Placement placement);

} // namespace ruvo

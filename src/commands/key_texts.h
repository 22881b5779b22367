#pragma once

#include "commands/key_map.h"

#include <QString>

namespace ruvo {

// How the help speaks of the keys of the main window: a key's name as it is printed on the
// keyboard, and what an action does. Empty for a key the main window does not name, and for
// KeyAction::None.
QString keyName(int keyCode);
QString keyActionText(KeyAction action);

} // namespace ruvo

#pragma once

#include <QIcon>

namespace ruvo {

// The program's own icon, the drawing its desktop entry names.
QIcon applicationIcon();

// Names the running program as the desktop knows it: the application and
// organisation names (which place the per-user data and settings), the desktop
// entry that launched it (so a window is matched to its menu entry) and the
// icon every window shows.
void applyApplicationIdentity();

} // namespace ruvo

#pragma once

#include <QIcon>

namespace ruvo {

// The program's own icon, the drawing its desktop entry names.
QIcon applicationIcon();

// Names the running program as the desktop knows it: the application and
// organisation names (which place the per-user data and settings) and the desktop
// entry that launched it (so a window is matched to its menu entry).
void applyApplicationIdentity();

// Gives every window the program's icon, those already made included. Drawing it for a
// window takes milliseconds: the splash is shown first, and takes it once it is up.
void applyApplicationIcon();

} // namespace ruvo

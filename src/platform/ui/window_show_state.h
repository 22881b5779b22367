#pragma once

#include "platform/window_state.h"

#include <Qt>

class QWidget;

namespace ruvo {

// A window's state as its logic keeps it: 0 normal, 1 minimised, 2 maximised
// (full screen counts as maximised).
int windowShowStateOf(Qt::WindowStates states);

// A top-level window's show state, visibility and outer geometry in twips; its
// inner size is its whole size in twips too (the windows have no menu bar).
WindowGeometry windowGeometryOf(const QWidget& window);

} // namespace ruvo

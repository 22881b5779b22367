#pragma once

#include <Qt>

namespace ruvo {

// A window's state as its logic keeps it: 0 normal, 1 minimised, 2 maximised
// (full screen counts as maximised).
int windowShowStateOf(Qt::WindowStates states);

} // namespace ruvo

#pragma once

#include <QString>

namespace ruvo {

// Reports a window, menu item or toolbar key that no table holds: a fault in
// the program. It is logged and the caller goes on with an inert stand-in;
// with RUVO_STRICT_NAMES set in the environment (as every test run has it)
// it stops the process instead, so the fault cannot go unnoticed.
void reportUnknownName(const char* where, const QString& name);

} // namespace ruvo

#pragma once

#include "commands/toolbar_button.h"

#include <QList>
#include <QString>

namespace ruvo {

inline constexpr int toolbarButtonCount = 27;

// The main window's toolbar, in button order (index 1 first).
const QList<ToolbarButton>& toolbarTable();

// The 1-based index of the button with this key (compared case-sensitively), or 0.
int toolbarIndexOf(const QString& key);

} // namespace ruvo

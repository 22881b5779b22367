#pragma once

#include "commands/menu_item_state.h"

#include <QList>

namespace ruvo {

// The main window's menu tree in display order, each item with its initial
// state. Top-level items have no parent.
const QList<MenuItemState>& menuTable();

} // namespace ruvo

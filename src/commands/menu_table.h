#pragma once

#include "commands/menu_item_state.h"

#include <QList>

namespace ruvo {

// The main window's menu tree in display order, each item with its initial
// state. Top-level items have no parent.
const QList<MenuItemState>& menuTable();

// Whether the item opens a submenu of the popup menu rather than running a command: the
// screen settings, whose items are in the table, and the books read last, listed as it opens.
bool opensSubmenu(const QString& itemName);

// An item's caption as a text names it: without its access key ("ファイルを開く").
QString plainCaption(const QString& itemName);

} // namespace ruvo

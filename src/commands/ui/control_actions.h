#pragma once

#include "commands/menu_item_state.h"
#include "commands/toolbar_button.h"
#include "commands/toolbar_button_state.h"

class QAction;
class QToolBar;
class QWidget;

namespace ruvo {

// Shows a toolbar button's or a menu item's state on its action.
void applyState(QAction& action, const ToolbarButtonState& state);
void applyState(QAction& action, const MenuItemState& item);

// Adds a button of a toolbar table: a separator, a gap of the row's width
// (returned, so a window can put a control into it), or a button with its
// icon and tooltip (returned as its action). The other result is null.
struct AddedToolbarRow
{
    QAction* action = nullptr;
    QWidget* gap = nullptr;
};
AddedToolbarRow addToolbarRow(QToolBar& toolbar, const ToolbarButton& spec);

} // namespace ruvo

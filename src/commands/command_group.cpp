#include "commands/command_group.h"

#include "commands/control_names.h"
#include "commands/toolbar_table.h"
#include "viewer/form1_controls.h"

namespace ruvo {

QList<int> toolbarIndicesOf(CommandGroup group)
{
    switch (group) {
    case CommandGroup::Register:
        return {MainToolbar::registerBook};
    case CommandGroup::Previous:
        return {MainToolbar::previousPage};
    case CommandGroup::Next:
        return {MainToolbar::nextPage};
    case CommandGroup::Placements:
        return {MainToolbar::lowerLeft, MainToolbar::upperLeft, MainToolbar::centre, MainToolbar::lowerRight,
                MainToolbar::upperRight};
    }
    return {};
}

QStringList menuItemsOf(CommandGroup group)
{
    switch (group) {
    case CommandGroup::Register:
        return {MenuItem::registerBook};
    case CommandGroup::Previous:
        return {MenuItem::previousPage};
    case CommandGroup::Next:
        return {MenuItem::nextPage};
    case CommandGroup::Placements:
        return {MenuItem::upperRight, MenuItem::lowerRight, MenuItem::centre, MenuItem::upperLeft,
                MenuItem::lowerLeft};
    }
    return {};
}

void setGroupEnabled(Form1Controls& controls, CommandGroup group, bool enabled)
{
    for (int index : toolbarIndicesOf(group))
        controls.button(index).enabled = enabled;
    for (const QString& name : menuItemsOf(group))
        controls.menu(name).enabled = enabled;
}

bool isGroupEnabled(const Form1Controls& controls, CommandGroup group)
{
    // A group is switched as a whole, so its menu items speak for it.
    return controls.menu(menuItemsOf(group).constFirst()).enabled;
}

} // namespace ruvo

#include "commands/command_group.h"

#include "commands/control_names.h"
#include "commands/toolbar_table.h"

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

} // namespace ruvo

#pragma once

#include <QList>
#include <QStringList>

namespace ruvo {

// Commands that are always enabled and disabled together, on the toolbar and
// in the popup menu alike.
enum class CommandGroup
{
    Register,
    Previous,
    Next,
    Placements
};

QList<int> toolbarIndicesOf(CommandGroup group);
QStringList menuItemsOf(CommandGroup group);

} // namespace ruvo

#pragma once

#include <QList>
#include <QStringList>

namespace ruvo {

class Form1Controls;

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
void setGroupEnabled(Form1Controls& controls, CommandGroup group, bool enabled);
bool isGroupEnabled(const Form1Controls& controls, CommandGroup group);

} // namespace ruvo

#include "commands/command_group.h"

#include "viewer/form1_controls.h"

namespace ruvo {

using namespace Qt::StringLiterals;

QList<int> toolbarIndicesOf(CommandGroup group)
{
    switch (group) {
    case CommandGroup::Register:
        return {4};
    case CommandGroup::Previous:
        return {6};
    case CommandGroup::Next:
        return {7};
    case CommandGroup::Placements:
        return {9, 10, 11, 12, 13};
    }
    return {};
}

QStringList menuItemsOf(CommandGroup group)
{
    switch (group) {
    case CommandGroup::Register:
        return {u"hondana"_s};
    case CommandGroup::Previous:
        return {u"PRVP"_s};
    case CommandGroup::Next:
        return {u"NEXTP"_s};
    case CommandGroup::Placements:
        return {u"rup"_s, u"rdwn"_s, u"lnaka"_s, u"lup"_s, u"ldwn"_s};
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

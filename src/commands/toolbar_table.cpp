#include "commands/toolbar_table.h"

namespace ruvo {

const QList<ToolbarButton>& toolbarTable()
{
    static const QList<ToolbarButton> table = toolbarButtonsOf(mainToolbarRows);
    return table;
}

int toolbarIndexOf(const QString& key)
{
    if (key.isEmpty())
        return 0;
    for (const ToolbarButton& spec : toolbarTable()) {
        if (spec.key == key)
            return spec.index;
    }
    return 0;
}

} // namespace ruvo

#pragma once

#include <QString>

namespace ruvo {

struct MenuItemState
{
    QString name;
    QString caption;
    // Name of the enclosing menu; "" for a top-level item.
    QString parent;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    // Items that carry a check mark (a mode or a switch).
    bool checkable = false;

    bool isSeparator() const { return caption == QLatin1String("-"); }
};

} // namespace ruvo

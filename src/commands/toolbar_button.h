#pragma once

#include <QString>

namespace ruvo {

enum class ToolbarButtonKind { Separator, Placeholder, Push, Check };

// One button of the main window's toolbar as the program defines it.
struct ToolbarButton
{
    int index = 0; // 1-based
    QString key;   // empty for separators and placeholders
    QString tooltip;
    ToolbarButtonKind kind = ToolbarButtonKind::Separator;
    int placeholderWidth = 0; // twips, placeholders only
    bool startsEnabled = true;
    bool startsVisible = true;
};

} // namespace ruvo

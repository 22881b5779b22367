#include "viewer/form1_controls.h"

#include "commands/menu_table.h"
#include "commands/toolbar_table.h"

namespace ruvo {

Form1Controls::Form1Controls() : m_menus(menuTable()), m_buttons(toolbarTable())
{
    window.caption = QStringLiteral("Ruvo");
    // The settings panel, the canvas and the stretched pages appear only on demand.
    picture4.visible = false;
    picture5.visible = false;
    picture6.visible = false;
    image1.visible = false;
    image1.stretch = true;
    image2.visible = false;
    image2.stretch = true;
    foto = {Surface{}, Surface{}};
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
    return controls.menu(menuItemsOf(group).constFirst()).enabled;
}

} // namespace ruvo

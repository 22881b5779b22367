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

} // namespace ruvo

#include "viewer/form1_controls.h"

#include "commands/menu_table.h"
#include "commands/toolbar_table.h"

namespace ruvo {

Form1Controls::Form1Controls()
{
    for (const MenuItemState& item : menuTable()) {
        m_menus.insert(item.name, item);
    }
    for (const ToolbarButton& spec : toolbarTable()) {
        ToolbarButtonState& state = button(spec.index);
        state.enabled = spec.startsEnabled;
        state.visible = spec.startsVisible;
    }
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

MenuItemState& Form1Controls::menu(const QString& name)
{
    auto it = m_menus.find(name);
    Q_ASSERT_X(it != m_menus.end(), "Form1Controls::menu", qPrintable(name));
    if (it == m_menus.end()) {
        static MenuItemState unknown;
        unknown = MenuItemState{};
        return unknown;
    }
    return *it;
}

const MenuItemState& Form1Controls::menu(const QString& name) const
{
    auto it = m_menus.constFind(name);
    Q_ASSERT_X(it != m_menus.cend(), "Form1Controls::menu", qPrintable(name));
    if (it == m_menus.cend()) {
        static const MenuItemState unknown;
        return unknown;
    }
    return *it;
}

ToolbarButtonState& Form1Controls::button(int index)
{
    return m_buttons.at(std::size_t(index - 1));
}

const ToolbarButtonState& Form1Controls::button(int index) const
{
    return m_buttons.at(std::size_t(index - 1));
}

} // namespace ruvo

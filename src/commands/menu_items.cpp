#include "commands/menu_items.h"

#include "common/unknown_name.h"

namespace ruvo {

MenuItems::MenuItems(const QList<MenuItemState>& table) : m_items(table)
{
    for (qsizetype i = 0; i < m_items.size(); ++i)
        m_index.insert(m_items.at(i).name, i);
}

qsizetype MenuItems::indexOf(const QString& name) const
{
    const qsizetype index = m_index.value(name, -1);
    if (index < 0)
        reportUnknownName("menu item", name);
    return index;
}

MenuItemState& MenuItems::operator[](const QString& name)
{
    const qsizetype index = indexOf(name);
    if (index < 0) {
        m_unknown = MenuItemState{};
        return m_unknown;
    }
    return m_items[index];
}

const MenuItemState& MenuItems::operator[](const QString& name) const
{
    static const MenuItemState unknown;
    const qsizetype index = indexOf(name);
    return index < 0 ? unknown : m_items.at(index);
}

} // namespace ruvo

#pragma once

#include "commands/menu_item_state.h"

#include <QHash>
#include <QList>
#include <QString>

namespace ruvo {

// A window's menu items in table order, found by name. An unknown name is
// reported as a fault and answered with an inert item of this table's own,
// made afresh for every such answer.
class MenuItems
{
public:
    explicit MenuItems(const QList<MenuItemState>& table);

    MenuItemState& operator[](const QString& name);
    const MenuItemState& operator[](const QString& name) const;
    const QList<MenuItemState>& inOrder() const { return m_items; }

private:
    qsizetype indexOf(const QString& name) const;

    QList<MenuItemState> m_items;
    QHash<QString, qsizetype> m_index;
    MenuItemState m_unknown;
};

} // namespace ruvo

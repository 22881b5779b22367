#include "bookshelf/form6_controls.h"

#include "bookshelf/bookshelf_texts.h"
#include "bookshelf/placeholder_icon.h"
#include "bookshelf/shelf_toolbar_table.h"

namespace ruvo {

using namespace Qt::StringLiterals;
const QList<ToolbarButton>& Form6Controls::toolbarTable()
{
    static const QList<ToolbarButton> table = toolbarButtonsOf(shelfToolbarRows);
    return table;
}

const QList<MenuItemState>& Form6Controls::popupMenuTable()
{
    static const QList<MenuItemState> table = [] {
        const QString parent = ShelfMenuItem::popup;
        QList<MenuItemState> items;
        MenuItemState item;
        item.parent = parent;
        item.name = ShelfMenuItem::rename;
        item.caption = u"アイコンタイトルの変更(&M)"_s;
        item.enabled = false;
        items.append(item);
        item.name = ShelfMenuItem::sort;
        item.caption = u"アイコンをタイトル名順に整列(&I)"_s;
        item.enabled = true;
        items.append(item);
        item.name = ShelfMenuItem::separator;
        item.caption = u"-"_s;
        items.append(item);
        item.name = ShelfMenuItem::remove;
        item.caption = u"アイコンを削除(&D)"_s;
        item.enabled = false;
        items.append(item);
        return items;
    }();
    return table;
}

Form6Controls::Form6Controls()
    : image2(shelfPlaceholderIcon()), m_buttons(toolbarTable()), m_menu(popupMenuTable())
{
    window.caption = BookshelfTexts::caption();
    for (int i = 0; i < 2; ++i) {
        ShelfIcon icon;
        icon.caption = BookshelfTexts::emptyIconCaption();
        icons.append(icon);
    }
}

} // namespace ruvo

#include "bookshelf/form6_controls.h"

#include "bookshelf/bookshelf_texts.h"
#include "bookshelf/placeholder_icon.h"

namespace ruvo {

using namespace Qt::StringLiterals;
using Kind = ToolbarButtonKind;

namespace {
constexpr int renameButton = 10;
constexpr int deleteButton = 11;
} // namespace

const QList<ToolbarButton>& Form6Controls::toolbarTable()
{
    // Rename and delete wait for a selection.
    static const QList<ToolbarButton> table = {
        {1, {}, {}, Kind::Separator, 0, true, true},
        {2, u"modor"_s, u"メイン画面へ戻る"_s, Kind::Push, 0, true, true},
        {3, {}, {}, Kind::Separator, 0, true, true},
        {4, u"saisita"_s, u"最下へ"_s, Kind::Push, 0, true, true},
        {5, u"down"_s, u"下へ"_s, Kind::Push, 0, true, true},
        {6, u"up"_s, u"上へ"_s, Kind::Push, 0, true, true},
        {7, u"saiue"_s, u"最上へ"_s, Kind::Push, 0, true, true},
        {8, {}, {}, Kind::Separator, 0, true, true},
        {9, {}, {}, Kind::Placeholder, 200, true, true},
        {renameButton, u"henkouda"_s, u"アイコンタイトルの変更"_s, Kind::Push, 0, false, true},
        {deleteButton, u"kes"_s, u"アイコンを削除"_s, Kind::Push, 0, false, true},
        {12, u"seiretu"_s, u"アイコンをタイトル名順に整列"_s, Kind::Push, 0, true, true},
        {13, {}, {}, Kind::Separator, 0, true, true},
        {14, u"sinki"_s, u"別の本棚データを読み込む、または新規に作成"_s, Kind::Push, 0, true, true},
    };
    return table;
}

const QList<MenuItemState>& Form6Controls::popupMenuTable()
{
    static const QList<MenuItemState> table = [] {
        const QString parent = u"popmenu"_s;
        QList<MenuItemState> items;
        MenuItemState item;
        item.parent = parent;
        item.name = u"dai"_s;
        item.caption = u"アイコンタイトルの変更(&M)"_s;
        item.enabled = false;
        items.append(item);
        item.name = u"iconseiretu"_s;
        item.caption = u"アイコンをタイトル名順に整列(&I)"_s;
        item.enabled = true;
        items.append(item);
        item.name = u"line1"_s;
        item.caption = u"-"_s;
        items.append(item);
        item.name = u"sak"_s;
        item.caption = u"アイコンを削除(&D)"_s;
        item.enabled = false;
        items.append(item);
        return items;
    }();
    return table;
}

int Form6Controls::renameButtonIndex()
{
    return renameButton;
}

int Form6Controls::deleteButtonIndex()
{
    return deleteButton;
}

Form6Controls::Form6Controls() : image2(shelfPlaceholderIcon()), m_menu(popupMenuTable())
{
    window.caption = BookshelfTexts::caption();
    for (const ToolbarButton& spec : toolbarTable()) {
        ToolbarButtonState state;
        state.enabled = spec.startsEnabled;
        state.visible = spec.startsVisible;
        m_buttons.append(state);
    }
    for (int i = 0; i < 2; ++i) {
        ShelfIcon icon;
        icon.caption = BookshelfTexts::emptyIconCaption();
        icons.append(icon);
    }
}

ToolbarButtonState& Form6Controls::button(int index)
{
    return m_buttons[index - 1];
}

const ToolbarButtonState& Form6Controls::button(int index) const
{
    return m_buttons.at(index - 1);
}

const ToolbarButtonState& Form6Controls::button(const QString& key) const
{
    for (const ToolbarButton& spec : toolbarTable()) {
        if (spec.key == key)
            return button(spec.index);
    }
    Q_ASSERT_X(false, "Form6Controls::button", qPrintable(key));
    static const ToolbarButtonState unknown;
    return unknown;
}

qsizetype Form6Controls::menuIndex(const QString& name) const
{
    for (qsizetype i = 0; i < m_menu.size(); ++i) {
        if (m_menu.at(i).name == name)
            return i;
    }
    Q_ASSERT_X(false, "Form6Controls::menu", qPrintable(name));
    return -1;
}

MenuItemState& Form6Controls::menu(const QString& name)
{
    const qsizetype index = menuIndex(name);
    if (index < 0) {
        static MenuItemState unknown;
        unknown = MenuItemState{};
        return unknown;
    }
    return m_menu[index];
}

const MenuItemState& Form6Controls::menu(const QString& name) const
{
    const qsizetype index = menuIndex(name);
    static const MenuItemState unknown;
    return index < 0 ? unknown : m_menu.at(index);
}

} // namespace ruvo

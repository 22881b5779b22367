#pragma once

#include "commands/control_names.h"
#include "commands/toolbar_button.h"

#include <array>

namespace ruvo {

// The bookshelf window's toolbar, in button order (index 1 first). Rename and
// delete wait for a selection.
inline constexpr std::array<ToolbarRow, 14> shelfToolbarRows = {{
    {{}, {}, ToolbarButtonKind::Separator},
    {ShelfToolbarKey::back, u"メイン画面へ戻る", ToolbarButtonKind::Push},
    {{}, {}, ToolbarButtonKind::Separator},
    {ShelfToolbarKey::toBottom, u"最下へ", ToolbarButtonKind::Push},
    {ShelfToolbarKey::down, u"下へ", ToolbarButtonKind::Push},
    {ShelfToolbarKey::up, u"上へ", ToolbarButtonKind::Push},
    {ShelfToolbarKey::toTop, u"最上へ", ToolbarButtonKind::Push},
    {{}, {}, ToolbarButtonKind::Separator},
    {{}, {}, ToolbarButtonKind::Placeholder, 200},
    {ShelfToolbarKey::rename, u"アイコンタイトルの変更", ToolbarButtonKind::Push, 0, false},
    {ShelfToolbarKey::remove, u"アイコンを削除", ToolbarButtonKind::Push, 0, false},
    {ShelfToolbarKey::sort, u"アイコンをタイトル名順に整列", ToolbarButtonKind::Push},
    {{}, {}, ToolbarButtonKind::Separator},
    {ShelfToolbarKey::otherShelf, u"別の本棚データを読み込む、または新規に作成", ToolbarButtonKind::Push},
}};

// The 1-based indices of the buttons the logic switches by itself.
namespace ShelfToolbar {
constexpr int indexOf(QLatin1StringView key)
{
    return toolbarRowIndex(shelfToolbarRows, key);
}
inline constexpr int rename = indexOf(ShelfToolbarKey::rename);
inline constexpr int remove = indexOf(ShelfToolbarKey::remove);
} // namespace ShelfToolbar

} // namespace ruvo

#pragma once

#include "commands/control_names.h"
#include "commands/toolbar_button.h"

#include <QList>
#include <QString>
#include <array>

namespace ruvo {

// The main window's toolbar, in button order (index 1 first). Register,
// previous and next start disabled until a page is shown; the second scroll
// button and the canvas button start hidden.
inline constexpr std::array<ToolbarRow, 27> mainToolbarRows = {{
    {{}, {}, ToolbarButtonKind::Separator},
    {ToolbarKey::openFile, u"ファイルを開く", ToolbarButtonKind::Push},
    {ToolbarKey::openShelf, u"本棚を開く", ToolbarButtonKind::Push},
    {ToolbarKey::registerBook, u"本棚に登録", ToolbarButtonKind::Push, 0, false},
    {{}, {}, ToolbarButtonKind::Placeholder, 200},
    {ToolbarKey::previousPage, u"前のページ", ToolbarButtonKind::Push, 0, false},
    {ToolbarKey::nextPage, u"次のページ", ToolbarButtonKind::Push, 0, false},
    {{}, {}, ToolbarButtonKind::Placeholder, 200},
    {ToolbarKey::lowerLeft, u"表示領域移動「左下」", ToolbarButtonKind::Push},
    {ToolbarKey::upperLeft, u"表示領域移動「左上」", ToolbarButtonKind::Push},
    {ToolbarKey::centre, u"表示領域移動「中央」", ToolbarButtonKind::Push},
    {ToolbarKey::lowerRight, u"表示領域移動「右下」", ToolbarButtonKind::Push},
    {ToolbarKey::upperRight, u"表示領域移動「右上」", ToolbarButtonKind::Push},
    {{}, {}, ToolbarButtonKind::Separator},
    {ToolbarKey::scrollRunning, u"画像スクロール　ON/OFF", ToolbarButtonKind::Push, 0, true, false},
    {ToolbarKey::scrollStopped, u"画像スクロール　ON/OFF", ToolbarButtonKind::Push},
    {{}, {}, ToolbarButtonKind::SliderPlaceholder, 1700},
    {ToolbarKey::toolbar, u"ツールバー　ON/OFF", ToolbarButtonKind::Push},
    {ToolbarKey::statusBar, u"ステータスバー　ON/OFF", ToolbarButtonKind::Check},
    {{}, {}, ToolbarButtonKind::Separator},
    {ToolbarKey::onePage, u"表示モード [一面] [二面] 切り替え", ToolbarButtonKind::Check},
    {ToolbarKey::stretch, u"ストレッチ　ON/OFF", ToolbarButtonKind::Check},
    {ToolbarKey::canvas, u"キャンバス表示　ON/OFF", ToolbarButtonKind::Push, 0, true, false},
    {{}, {}, ToolbarButtonKind::Separator},
    {ToolbarKey::background, u"バックグラウンド設定", ToolbarButtonKind::Push},
    {ToolbarKey::version, u"バージョン情報", ToolbarButtonKind::Push},
    {ToolbarKey::quit, u"Ruvoの終了", ToolbarButtonKind::Push},
}};

inline constexpr int toolbarButtonCount = int(mainToolbarRows.size());

// The 1-based index of every button, by what it does.
namespace MainToolbar {
constexpr int indexOf(QLatin1StringView key)
{
    return toolbarRowIndex(mainToolbarRows, key);
}
inline constexpr int openFile = indexOf(ToolbarKey::openFile);
inline constexpr int openShelf = indexOf(ToolbarKey::openShelf);
inline constexpr int registerBook = indexOf(ToolbarKey::registerBook);
inline constexpr int previousPage = indexOf(ToolbarKey::previousPage);
inline constexpr int nextPage = indexOf(ToolbarKey::nextPage);
inline constexpr int lowerLeft = indexOf(ToolbarKey::lowerLeft);
inline constexpr int upperLeft = indexOf(ToolbarKey::upperLeft);
inline constexpr int centre = indexOf(ToolbarKey::centre);
inline constexpr int lowerRight = indexOf(ToolbarKey::lowerRight);
inline constexpr int upperRight = indexOf(ToolbarKey::upperRight);
inline constexpr int scrollRunning = indexOf(ToolbarKey::scrollRunning);
inline constexpr int scrollStopped = indexOf(ToolbarKey::scrollStopped);
inline constexpr int toolbar = indexOf(ToolbarKey::toolbar);
inline constexpr int statusBar = indexOf(ToolbarKey::statusBar);
inline constexpr int onePage = indexOf(ToolbarKey::onePage);
inline constexpr int stretch = indexOf(ToolbarKey::stretch);
inline constexpr int canvas = indexOf(ToolbarKey::canvas);
inline constexpr int background = indexOf(ToolbarKey::background);
inline constexpr int version = indexOf(ToolbarKey::version);
inline constexpr int quit = indexOf(ToolbarKey::quit);
} // namespace MainToolbar

// The main window's toolbar as the windows use it.
const QList<ToolbarButton>& toolbarTable();

// The 1-based index of the button with this key (compared case-sensitively), or 0.
int toolbarIndexOf(const QString& key);

} // namespace ruvo

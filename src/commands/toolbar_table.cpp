#include "commands/toolbar_table.h"

namespace ruvo {

using namespace Qt::StringLiterals;
using Kind = ToolbarButtonKind;

const QList<ToolbarButton>& toolbarTable()
{
    // Register, previous and next start disabled until a page is shown; the
    // second scroll button and the canvas button start hidden.
    static const QList<ToolbarButton> table = {
        {1, {}, {}, Kind::Separator, 0, true, true},
        {2, u"Rforda"_s, u"ファイルを開く"_s, Kind::Push, 0, true, true},
        {3, u"Rhondana"_s, u"本棚を開く"_s, Kind::Push, 0, true, true},
        {4, u"Rtourok"_s, u"本棚に登録"_s, Kind::Push, 0, false, true},
        {5, {}, {}, Kind::Placeholder, 200, true, true},
        {6, u"Rmae"_s, u"前のページ"_s, Kind::Push, 0, false, true},
        {7, u"Rtugi"_s, u"次のページ"_s, Kind::Push, 0, false, true},
        {8, {}, {}, Kind::Placeholder, 200, true, true},
        {9, u"Rld"_s, u"表示領域移動「左下」"_s, Kind::Push, 0, true, true},
        {10, u"Rlu"_s, u"表示領域移動「左上」"_s, Kind::Push, 0, true, true},
        {11, u"Rnaka"_s, u"表示領域移動「中央」"_s, Kind::Push, 0, true, true},
        {12, u"Rrd"_s, u"表示領域移動「右下」"_s, Kind::Push, 0, true, true},
        {13, u"Rru"_s, u"表示領域移動「右上」"_s, Kind::Push, 0, true, true},
        {14, {}, {}, Kind::Separator, 0, true, true},
        {15, u"Rscrool2"_s, u"画像スクロール　ON/OFF"_s, Kind::Push, 0, true, false},
        {16, u"Rscrool"_s, u"画像スクロール　ON/OFF"_s, Kind::Push, 0, true, true},
        {17, {}, {}, Kind::Placeholder, 1700, true, true},
        {18, u"Rtool"_s, u"ツールバー　ON/OFF"_s, Kind::Push, 0, true, true},
        {19, u"Rsta"_s, u"ステータスバー　ON/OFF"_s, Kind::Check, 0, true, true},
        {20, {}, {}, Kind::Separator, 0, true, true},
        {21, u"Ritimai"_s, u"表示モード [一面] [二面] 切り替え"_s, Kind::Check, 0, true, true},
        {22, u"Rsto"_s, u"ストレッチ　ON/OFF"_s, Kind::Check, 0, true, true},
        {23, u"CYAN"_s, u"キャンバス表示　ON/OFF"_s, Kind::Push, 0, true, false},
        {24, {}, {}, Kind::Separator, 0, true, true},
        {25, u"set"_s, u"バックグラウンド設定"_s, Kind::Push, 0, true, true},
        {26, u"Rva"_s, u"バージョン情報"_s, Kind::Push, 0, true, true},
        {27, u"Ren"_s, u"Ruvoの終了"_s, Kind::Push, 0, true, true},
    };
    return table;
}

int toolbarIndexOf(const QString& key)
{
    if (key.isEmpty())
        return 0;
    for (const ToolbarButton& spec : toolbarTable()) {
        if (spec.key == key)
            return spec.index;
    }
    return 0;
}

} // namespace ruvo

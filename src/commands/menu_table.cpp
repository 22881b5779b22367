#include "commands/menu_table.h"

#include <QStringList>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {

MenuItemState item(const QString& name, const QString& caption, const QString& parent, bool checked = false,
                   bool enabled = true, bool visible = true)
{
    static const QStringList switches = {u"SCROO"_s, u"BOT"_s, u"sta"_s, u"hyhtt"_s, u"sing"_s};
    return MenuItemState{name, caption, parent, checked, enabled, visible, switches.contains(name)};
}

} // namespace

const QList<MenuItemState>& menuTable()
{
    // Both top-level menus are invisible: the window has no menu bar and
    // "mnuFile" is only ever shown as a popup.
    static const QList<MenuItemState> table = {
        item(u"mnuFile"_s, u"クリック"_s, {}, false, true, false),
        item(u"NEXTP"_s, u"次のページ(&N)"_s, u"mnuFile"_s),
        item(u"PRVP"_s, u"前のページ(&P)"_s, u"mnuFile"_s),
        item(u"SCROO"_s, u"ｽｸﾛｰﾙ ON/OFF(&S)"_s, u"mnuFile"_s),
        item(u"line2"_s, u"-"_s, u"mnuFile"_s),
        item(u"rup"_s, u"右上表示(&U)"_s, u"mnuFile"_s),
        item(u"rdwn"_s, u"右下表示(&J)"_s, u"mnuFile"_s),
        item(u"lnaka"_s, u"中央表示(&G)"_s, u"mnuFile"_s),
        item(u"lup"_s, u"左上表示(&Y)"_s, u"mnuFile"_s),
        item(u"ldwn"_s, u"左下表示(&H)"_s, u"mnuFile"_s),
        item(u"line4"_s, u"-"_s, u"mnuFile"_s),
        item(u"tanaopen"_s, u"本棚を開く"_s, u"mnuFile"_s),
        item(u"hondana"_s, u"本棚へ登録"_s, u"mnuFile"_s, false, false),
        item(u"open"_s, u"ファイルを開く(&O)"_s, u"mnuFile"_s),
        item(u"line3"_s, u"-"_s, u"mnuFile"_s),
        item(u"Rsetti"_s, u"画面設定"_s, u"mnuFile"_s),
        item(u"BOT"_s, u"ﾂｰﾙﾊﾞｰ ON/OFF(&B)"_s, u"Rsetti"_s, true),
        item(u"sta"_s, u"ｽﾃｰﾀｽﾊﾞｰ ON／OFF(&T)"_s, u"Rsetti"_s, true),
        item(u"hyhtt"_s, u"ストレッチ ON/OFF(&F)"_s, u"Rsetti"_s, true),
        item(u"sing"_s, u"表示モード [一面] [二面] 切り替え(&R)"_s, u"Rsetti"_s),
        item(u"line5"_s, u"-"_s, u"mnuFile"_s, false, true, false),
        item(u"line6"_s, u"-"_s, u"mnuFile"_s),
        item(u"end"_s, u"Ruvoの終了(&X)"_s, u"mnuFile"_s),
        item(u"okini"_s, u"本棚"_s, {}, false, true, false),
        item(u"seiri"_s, u"本棚の整理"_s, u"okini"_s),
    };
    return table;
}

} // namespace ruvo

#include "commands/menu_table.h"
#include "commands/control_names.h"

#include <QRegularExpression>
#include <QStringList>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {

MenuItemState item(const QString& name, const QString& caption, const QString& parent, bool checked = false,
                   bool enabled = true, bool visible = true)
{
    static const QStringList switches = {
        MenuItem::autoScroll, MenuItem::toolbar,        MenuItem::statusBar,      MenuItem::stretch,
        MenuItem::onePage,    MenuItem::fullScreen,     MenuItem::widePagesAlone, MenuItem::numberOrder,
        MenuItem::allFormats, MenuItem::thumbnailShape, MenuItem::devicePixels,   MenuItem::resume,
        MenuItem::leftToRight};
    return MenuItemState{name, caption, parent, checked, enabled, visible, switches.contains(name)};
}

} // namespace

const QList<MenuItemState>& menuTable()
{
    // Both top-level menus are invisible: the window has no menu bar and
    // "mnuFile" is only ever shown as a popup.
    static const QList<MenuItemState> table = {
        item(MenuItem::popup, u"クリック"_s, {}, false, true, false),
        item(MenuItem::nextPage, u"次のページ(&N)"_s, MenuItem::popup),
        item(MenuItem::previousPage, u"前のページ(&P)"_s, MenuItem::popup),
        item(MenuItem::autoScroll, u"ｽｸﾛｰﾙ ON/OFF(&S)"_s, MenuItem::popup),
        item(MenuItem::separatorAfterScroll, u"-"_s, MenuItem::popup),
        item(MenuItem::upperRight, u"右上表示(&U)"_s, MenuItem::popup),
        item(MenuItem::lowerRight, u"右下表示(&J)"_s, MenuItem::popup),
        item(MenuItem::centre, u"中央表示(&G)"_s, MenuItem::popup),
        item(MenuItem::upperLeft, u"左上表示(&Y)"_s, MenuItem::popup),
        item(MenuItem::lowerLeft, u"左下表示(&H)"_s, MenuItem::popup),
        item(MenuItem::separatorAfterPlacements, u"-"_s, MenuItem::popup),
        item(MenuItem::openShelf, u"本棚を開く"_s, MenuItem::popup),
        item(MenuItem::registerBook, u"本棚へ登録"_s, MenuItem::popup, false, false),
        item(MenuItem::openFile, u"ファイルを開く(&O)"_s, MenuItem::popup),
        item(MenuItem::separatorAfterOpen, u"-"_s, MenuItem::popup),
        item(MenuItem::screenSettings, u"画面設定"_s, MenuItem::popup),
        item(MenuItem::toolbar, u"ﾂｰﾙﾊﾞｰ ON/OFF(&B)"_s, MenuItem::screenSettings, true),
        item(MenuItem::statusBar, u"ｽﾃｰﾀｽﾊﾞｰ ON／OFF(&T)"_s, MenuItem::screenSettings, true),
        item(MenuItem::stretch, u"ストレッチ ON/OFF(&F)"_s, MenuItem::screenSettings, true),
        item(MenuItem::onePage, u"表示モード [一面] [二面] 切り替え(&R)"_s, MenuItem::screenSettings),
        // The program's own, after the settings it was given.
        item(MenuItem::widePagesAlone, u"横長のページは一面で表示(&K)"_s, MenuItem::screenSettings, true),
        item(MenuItem::leftToRight, u"左から右へ読む(&L)"_s, MenuItem::screenSettings),
        item(MenuItem::numberOrder, u"名前の数字を数の順に並べる(&N)"_s, MenuItem::screenSettings, true),
        item(MenuItem::allFormats, u"フォルダのPNG・WebP・AVIF・JPEG XLも開く(&A)"_s,
             MenuItem::screenSettings, true),
        item(MenuItem::thumbnailShape, u"本棚の表紙は縦横比を保って縮める(&S)"_s, MenuItem::screenSettings,
             true),
        item(MenuItem::devicePixels, u"等倍表示は画面の1画素にページの1画素(&P)"_s, MenuItem::screenSettings,
             true),
        // Added to the program's own commands, before quitting, which stays the last item.
        item(MenuItem::fullScreen, u"全画面表示 ON/OFF(&W)"_s, MenuItem::popup),
        item(MenuItem::shiftPairs, u"見開きを1ページずらす(&D)"_s, MenuItem::popup),
        item(MenuItem::adjustments, u"画像の調整(&I)"_s, MenuItem::popup),
        item(MenuItem::brighter, u"明るく(&B)"_s, MenuItem::adjustments),
        item(MenuItem::darker, u"暗く(&D)"_s, MenuItem::adjustments),
        item(MenuItem::moreContrast, u"コントラストを強く(&C)"_s, MenuItem::adjustments),
        item(MenuItem::lessContrast, u"コントラストを弱く(&V)"_s, MenuItem::adjustments),
        item(MenuItem::gammaUp, u"中間の明るさを上げる(&G)"_s, MenuItem::adjustments),
        item(MenuItem::gammaDown, u"中間の明るさを下げる(&M)"_s, MenuItem::adjustments),
        item(MenuItem::greyscale, u"白黒で表示(&W)"_s, MenuItem::adjustments),
        item(MenuItem::resetAdjustments, u"調整を元に戻す(&R)"_s, MenuItem::adjustments),
        item(MenuItem::nextBook, u"次の巻を開く(&V)"_s, MenuItem::popup),
        item(MenuItem::previousBook, u"前の巻を開く(&Z)"_s, MenuItem::popup),
        // Filled with the books when the menu opens.
        item(MenuItem::recentBooks, u"最近読んだ本(&L)"_s, MenuItem::popup),
        item(MenuItem::resume, u"読みかけのページから開く(&M)"_s, MenuItem::popup, true),
        item(MenuItem::hiddenSeparator, u"-"_s, MenuItem::popup, false, true, false),
        item(MenuItem::separatorBeforeQuit, u"-"_s, MenuItem::popup),
        item(MenuItem::quit, u"Ruvoの終了(&X)"_s, MenuItem::popup),
        item(MenuItem::shelfMenu, u"本棚"_s, {}, false, true, false),
        item(MenuItem::tidyShelf, u"本棚の整理"_s, MenuItem::shelfMenu),
    };
    return table;
}

QString plainCaption(const QString& itemName)
{
    for (const MenuItemState& item : menuTable()) {
        if (item.name == itemName)
            return QString(item.caption).remove(QRegularExpression(u"\\(&.\\)$"_s));
    }
    return {};
}

bool opensSubmenu(const QString& itemName)
{
    return itemName == MenuItem::screenSettings || itemName == MenuItem::recentBooks ||
           itemName == MenuItem::adjustments;
}

} // namespace ruvo

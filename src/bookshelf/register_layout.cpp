#include "bookshelf/register_layout.h"

#include <algorithm>

namespace ruvo::RegisterLayout {

using namespace Qt::StringLiterals;

const QList<RegisterControl>& controls()
{
    static const QString window;
    static const QString panel = RegisterWindowControl::panel;
    // Sizes the layout leaves open are those that reach the next control.
    static const QList<RegisterControl> table = {
        {RegisterWindowControl::preview, window, 240, 120, 1515, 1890, {}},
        {RegisterWindowControl::titleCaption, window, 2040, 720, 1335, 255, u"本のタイトル"_s},
        {RegisterWindowControl::title, window, 2040, 960, 2055, 375, {}},
        {RegisterWindowControl::ok, window, 2520, 1560, 1455, 375, u"OK"_s},
        {RegisterWindowControl::cancel, window, 4200, 1560, 1455, 375, u"ｷｬﾝｾﾙ"_s},
        {RegisterWindowControl::panel, window, 120, 2160, 5655, 2895, {}},
        // Out of sight at the bottom edge: the thumbnail and the full-size page it is sampled from.
        {RegisterWindowControl::thumbnail, window, 120, 5160, 1455, 1845, {}},
        {RegisterWindowControl::page, window, 1680, 5160, 0, 0, {}},
        {RegisterWindowControl::labelCaption, panel, 120, 120, 705, 270, u"ﾗﾍﾞﾙ名"_s},
        {RegisterWindowControl::label, panel, 840, 120, 4695, 270, {}},
        {RegisterWindowControl::pathCaption, panel, 120, 360, 705, 495, u"ﾊﾟｽ"_s},
        {RegisterWindowControl::path, panel, 840, 360, 4695, 495, {}},
        {RegisterWindowControl::numberCaption, panel, 120, 960, 825, 255, u"登録本数"_s},
        {RegisterWindowControl::number, panel, 960, 960, 465, 255, {}},
        {RegisterWindowControl::numberUnit, panel, 1440, 960, 735, 255, u"冊目"_s},
        {RegisterWindowControl::guidance, panel, 120, 1440, 5415, 615, {}},
        {RegisterWindowControl::folderCaption, panel, 120, 2160, 5295, 255, u"記録ファイル格納フォルダ"_s},
        {RegisterWindowControl::folder, panel, 120, 2400, 5295, 495, {}},
    };
    return table;
}

const RegisterControl& control(const QString& name)
{
    const QList<RegisterControl>& table = controls();
    const auto it = std::find_if(table.cbegin(), table.cend(),
                                 [&name](const RegisterControl& entry) { return entry.name == name; });
    static const RegisterControl none;
    return it != table.cend() ? *it : none;
}

QColor panelColor()
{
    return QColor(128, 128, 255);
}

QColor countColor()
{
    return QColor(255, 255, 0);
}

QColor limitColor()
{
    return QColor(192, 0, 0);
}

} // namespace ruvo::RegisterLayout

#include "bookshelf/register_layout.h"

#include <algorithm>

namespace ruvo::RegisterLayout {

using namespace Qt::StringLiterals;

const QList<RegisterControl>& controls()
{
    static const QString window;
    static const QString panel = u"Picture3"_s;
    // Sizes the layout leaves open are those that reach the next control.
    static const QList<RegisterControl> table = {
        {u"Image1"_s, window, 240, 120, 1515, 1890, {}},
        {u"Label10"_s, window, 2040, 720, 1335, 255, u"本のタイトル"_s},
        {u"Text2"_s, window, 2040, 960, 2055, 375, {}},
        {u"Command1"_s, window, 2520, 1560, 1455, 375, u"OK"_s},
        {u"Command2"_s, window, 4200, 1560, 1455, 375, u"ｷｬﾝｾﾙ"_s},
        {u"Picture3"_s, window, 120, 2160, 5655, 2895, {}},
        // Out of sight at the bottom edge: the thumbnail and the full-size page it is sampled from.
        {u"Picture1"_s, window, 120, 5160, 1455, 1845, {}},
        {u"Picture2"_s, window, 1680, 5160, 0, 0, {}},
        {u"Label2"_s, panel, 120, 120, 705, 270, u"ﾗﾍﾞﾙ名"_s},
        {u"Text1"_s, panel, 840, 120, 4695, 270, {}},
        {u"Label6"_s, panel, 120, 360, 705, 495, u"ﾊﾟｽ"_s},
        {u"Text3"_s, panel, 840, 360, 4695, 495, {}},
        {u"Label7"_s, panel, 120, 960, 825, 255, u"登録本数"_s},
        {u"Label9"_s, panel, 960, 960, 465, 255, {}},
        {u"Label8"_s, panel, 1440, 960, 735, 255, u"冊目"_s},
        {u"Label4"_s, panel, 120, 1440, 5415, 615, {}},
        {u"Label5"_s, panel, 120, 2160, 5295, 255, u"記録ファイル格納フォルダ"_s},
        {u"Label3"_s, panel, 120, 2400, 5295, 495, {}},
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

#include "viewer/empty_area_text.h"

#include "commands/control_names.h"
#include "commands/menu_table.h"
#include "platform/readable_name.h"

namespace ruvo::EmptyAreaText {

using namespace Qt::StringLiterals;

QString noBook()
{
    return u"フォルダ・画像・アーカイブ・PDFをここにドロップしてください。\n"_s
           u"右クリックのメニューの「"_s +
           plainCaption(MenuItem::openFile) + u"」か「"_s + plainCaption(MenuItem::openShelf) +
           u"」からも開けます。"_s;
}

QString noPages(const QString& folder)
{
    return u"「"_s + readableName(folder) + u"」には開けるページがありません。\n\n"_s + noBook();
}

} // namespace ruvo::EmptyAreaText

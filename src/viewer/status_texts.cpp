#include "viewer/status_texts.h"

#include "platform/readable_name.h"

namespace ruvo::StatusText {

using namespace Qt::StringLiterals;

QString loading()
{
    return u"Now Loading....★"_s;
}

QString oneScreenMode()
{
    return u"One screen mode..★"_s;
}

QString twoScreensMode()
{
    return u"Two screens mode..★"_s;
}

QString lastPageAlone()
{
    return u"《二面表示モード＿最終のファイル→》"_s;
}

QString widePageAlone()
{
    return u"《二面表示モード＿横長のページ→》"_s;
}

QString pageLabel(int pageIndex, const QString& fileName)
{
    return u"["_s + QString::number(pageIndex + 1) + u"] "_s + readableName(fileName);
}

QString position(int pageIndex, int pageCount)
{
    return QString::number(pageIndex + 1) + u" / "_s + QString::number(pageCount);
}

QString noPages()
{
    return u"0 / 0"_s;
}

QString resumedAt(int pageIndex)
{
    return u"前回の続き（"_s + QString::number(pageIndex + 1) + u"ページ）から開きました"_s;
}

QString nextVolume(const QString& bookName, const QString& key)
{
    return u"次の巻「"_s + readableName(bookName) + u"」は "_s + key + u" キーで開きます"_s;
}

QString positionsLost()
{
    return u"読みかけの記録が読めないため、新しく記録し直します"_s;
}

} // namespace ruvo::StatusText

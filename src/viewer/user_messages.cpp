#include "viewer/user_messages.h"

#include "platform/readable_name.h"

namespace ruvo::Messages {

using namespace Qt::StringLiterals;

UserMessage missingFile(const QString& path)
{
    return {u"ファイルの存在確認"_s, u"ファイルが存在しません"_s + QChar(13) + readableName(path)};
}

UserMessage damagedPicture(const QString& pathOrName)
{
    return {u"読み込み時のエラー"_s, u"画像ファイルが破損している可能性があります"_s + QChar(13) +
                                         readableName(pathOrName) + u"を表示できませんでした"_s};
}

} // namespace ruvo::Messages

#include "browse/browse_messages.h"

#include "platform/readable_name.h"

namespace ruvo::BrowseMessages {

using namespace Qt::StringLiterals;

namespace {
const QChar lineBreak(13);
}

UserMessage noMedium()
{
    return {u"デバイスの呼び出し"_s, u"デバイスが装備されていません"_s};
}

UserMessage askNewShelf(const QString& folder)
{
    return {u"新規の本棚データ格納フォルダ登録"_s,
            u"指定のフォルダに本棚データファイルがありませんでした"_s + lineBreak +
                u"現在指定のフォルダに新規の本棚データを作成し格納フォルダとして設定しますか？"_s +
                lineBreak + readableName(folder)};
}

UserMessage shelfWriteFailed(const QString& folder)
{
    return {u"本棚データ書き込みエラー"_s,
            u"指定のフォルダに新規の本棚データファイルを作成できませんでした"_s + lineBreak +
                readableName(folder)};
}

UserMessage folderCreateFailed()
{
    return {u"新規フォルダ作成エラー"_s,
            u"新規フォルダ作成ができませんでした"_s + lineBreak +
                u"指定メディアが書き込み禁止になっている、または既に存在している可能性があります"_s};
}

} // namespace ruvo::BrowseMessages

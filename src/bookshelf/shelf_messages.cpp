#include "bookshelf/shelf_messages.h"

#include "bookshelf/shelf_file.h"
#include "platform/readable_name.h"

namespace ruvo::ShelfMessages {

using namespace Qt::StringLiterals;

namespace {
const QChar lineBreak(13);

QString recordFileLine(const QString& shelfFolder)
{
    return u"記録ファイル: "_s + readableName(shelfFilePath(shelfFolder));
}

const QString recordWriteTitle = u"記録ファイル書き込みエラー"_s;
const QString partlyRead = u"本棚データファイルの内容を一部しか読み取れませんでした"_s;
} // namespace

UserMessage registerWriteFailed(const QString& shelfFolder)
{
    return {
        recordWriteTitle,
        u"本棚データファイルへ記録できませんでした"_s + lineBreak +
            u"記録ファイルが読み取り専用になっている又はディスクが書き込みできない状態になっている可能性があります"_s +
            lineBreak + recordFileLine(shelfFolder)};
}

UserMessage saveWriteFailed(const QString& shelfFolder)
{
    return {recordWriteTitle, u"記録ファイルが読み取り専用になっているか存在しない可能性があります"_s +
                                  lineBreak + recordFileLine(shelfFolder)};
}

UserMessage thumbnailDeleteFailed(const QString& shelfFolder, const QString& thumbnailFile)
{
    return {u"サムネイルアイコン画像削除のエラー"_s,
            u"サムネイルアイコン画像の削除ができませんでした"_s + lineBreak +
                u"削除対象記録ファイルが読み取り専用になっているか存在しない可能性があります"_s + lineBreak +
                u"削除対象ファイル: "_s + readableName(thumbnailPath(shelfFolder, thumbnailFile))};
}

UserMessage damagedShelf(const QString& shelfFolder)
{
    return {u"本棚データファイルの確認"_s, partlyRead + lineBreak + u"読み取れた本だけを表示しています"_s +
                                               lineBreak +
                                               u"このファイルは、書き換えてよいか確認するまで変更しません"_s +
                                               lineBreak + recordFileLine(shelfFolder)};
}

UserMessage replaceDamagedShelf(const QString& shelfFolder)
{
    return {u"本棚データファイルの書き換え"_s,
            partlyRead + lineBreak + u"書き換えると、読み取れなかった内容は本棚から失われます"_s + lineBreak +
                u"元のファイルを同じフォルダに別名（"_s + shelfFileName() +
                u".bak など）で残してから書き換えますか？"_s + lineBreak + recordFileLine(shelfFolder)};
}

UserMessage backupFailed(const QString& shelfFolder)
{
    return {recordWriteTitle,
            u"元の本棚データファイルの控えを作成できなかったため、書き換えを中止しました"_s + lineBreak +
                recordFileLine(shelfFolder)};
}

} // namespace ruvo::ShelfMessages

#include "bookshelf/shelf_messages.h"

#include "bookshelf/shelf_file.h"

namespace ruvo::ShelfMessages {

using namespace Qt::StringLiterals;

namespace {
const QChar lineBreak(13);

QString recordFileLine(const QString& shelfFolder)
{
    return u"記録ファイル: "_s + shelfFilePath(shelfFolder);
}

const QString recordWriteTitle = u"記録ファイル書き込みエラー"_s;
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
                u"削除対象ファイル: "_s + thumbnailPath(shelfFolder, thumbnailFile)};
}

} // namespace ruvo::ShelfMessages

#include "bookshelf/bookshelf_texts.h"

#include "platform/readable_name.h"

namespace ruvo::BookshelfTexts {

using namespace Qt::StringLiterals;

namespace {
const QChar lineBreak(13);
const QString openingTitle = u"本棚からのパスの呼び出し"_s;
} // namespace

QString caption()
{
    return u"本棚"_s;
}

QString fontName()
{
    return u"ＭＳ Ｐゴシック"_s;
}

QString folderBar(const QString& shelfFolder)
{
    return u"本棚ﾃﾞｰﾀ格納ﾊﾟｽ >> "_s + shelfFolder;
}

QString bookCount(int count)
{
    return u"登録本数 "_s + QString::number(count) + u" 冊"_s;
}

QString ready()
{
    return u"レディ"_s;
}

QString entryToolTip(const ShelfEntry& entry)
{
    return entry.title + u" [ラベル名："_s + entry.volumeLabel + u"]"_s + u" パス："_s +
           readableName(entry.bookPath);
}

QString emptyIconCaption()
{
    return u"登録なし"_s;
}

UserMessage saveQuestion()
{
    return {u"本棚を閉じる"_s, u"本棚の変更点を保存しますか？"_s};
}

UserMessage bookNotFound(const ShelfEntry& entry)
{
    return {openingTitle, u"メディアまたはフォルダまたはファイルが見つかりませんでした"_s + lineBreak +
                              u"ボリュームラベル: "_s + entry.volumeLabel + lineBreak + u"パス: "_s +
                              entry.bookPath};
}

UserMessage noBookPath()
{
    return {openingTitle, u"新規登録なし"_s + lineBreak + u"「本棚に登録」から新規登録可能"_s};
}

} // namespace ruvo::BookshelfTexts

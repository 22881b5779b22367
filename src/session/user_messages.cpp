#include "session/user_messages.h"

#include "books/pdf_format.h"
#include "platform/readable_name.h"
#include "session/page_list.h"

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

namespace {

// What a book that cannot be opened is told with: the title, and the text for each reason,
// before and after its name.
struct RefusalTexts
{
    QString title;
    QString encrypted;
    QString noPages;
    QString tooLarge;
    QString damaged;
};

// A PDF, by its content or by its name, is told as a PDF; any other book as an archive.
const RefusalTexts& refusalTextsFor(const QString& path)
{
    static const RefusalTexts archive{
        u"書庫の読み込み"_s, u"暗号化された書庫は開けません"_s, u"書庫に表示できる画像がありません"_s,
        u"書庫に大きすぎる画像があります"_s, u"書庫ファイルが破損しているか、読めない形式です"_s};
    static const RefusalTexts pdf{u"PDFの読み込み"_s, u"パスワードで保護されたPDFは開けません"_s,
                                  u"PDFに表示できるページがありません"_s,
                                  u"PDFに大きすぎるページがあります"_s,
                                  u"PDFファイルが破損しているか、読めない形式です"_s};
    return path.endsWith(u".pdf"_s, Qt::CaseInsensitive) || isPdfFile(path) ? pdf : archive;
}

} // namespace

UserMessage unreadableArchive(const QString& path, BookFailure failure)
{
    const QString name = QChar(13) + readableName(path);
    const RefusalTexts& texts = refusalTextsFor(path);
    switch (failure) {
    case BookFailure::Encrypted:
        return {texts.title, texts.encrypted + name};
    case BookFailure::NoPages:
        return {texts.title, texts.noPages + name};
    case BookFailure::TooLarge:
        return {texts.title, texts.tooLarge + name + u"を開けませんでした"_s};
    default:
        return {texts.title, texts.damaged + name + u"を開けませんでした"_s};
    }
}

UserMessage pagesLeftOut(const QString& path, int pageCount)
{
    return {u"本の読み込み"_s, readableName(path) + QChar(13) + u"には"_s + QString::number(pageCount) +
                                   u"ページあります。表示できるのは最初の"_s +
                                   QString::number(PageList::maximumCount) + u"ページまでです"_s};
}

namespace {

// As much of a path as a message box shows on its lines: its start, where it is, and its end,
// which names what was asked for.
QString shownPath(const QString& path)
{
    constexpr qsizetype kept = 100;
    const QString name = readableName(path);
    if (name.size() <= 2 * kept + 1)
        return name;
    return name.left(kept) + QChar(0x2026) + name.right(kept);
}

} // namespace

UserMessage refusedBook(const QString& path, BookFailure failure)
{
    const QString name = QChar(13) + shownPath(path);
    switch (failure) {
    case BookFailure::NoPermission:
        return {u"本の読み込み"_s, u"読み取りの権限がありません"_s + name + u"を開けませんでした"_s};
    case BookFailure::NameTooLong:
        return {u"本の読み込み"_s, u"パスかファイル名が長すぎます"_s + name + u"を開けませんでした"_s};
    case BookFailure::NotFileOrFolder:
        return {u"本の読み込み"_s, u"ファイルでもフォルダでもありません（デバイスや名前付きパイプなど）"_s +
                                       name + u"は本として開けません"_s};
    case BookFailure::ReadFailed:
        return {u"本の読み込み"_s, u"読み込み中にエラーが起きました"_s + name + u"を開けませんでした"_s};
    default:
        return unreadableArchive(path, failure);
    }
}

} // namespace ruvo::Messages

#include "browse/form2.h"

#include "books/book.h"
#include "books/books.h"
#include "session/book_opener.h"

#include "imaging/picture_decoder.h"
#include "imaging/picture_formats.h"
#include "platform/file_services.h"
#include "platform/message_box_service.h"
#include "platform/paths.h"
#include "platform/shell_service.h"
#include "session/user_messages.h"

#include <algorithm>

namespace ruvo {

using namespace Qt::StringLiterals;

Form2::Form2(Platform platform) : m_platform(platform), m_drives(platform) {}

QString Form2::caption()
{
    return u"ファイルを開く"_s;
}

QString Form2::driveTip()
{
    return u"ドライブ指定"_s;
}

QString Form2::folderTip()
{
    return u"画像データ格納フォルダ指定"_s;
}

QString Form2::fileTip(PageFormats formats)
{
    QStringList patterns;
    for (const QString& suffix : pictureSuffixes(formats))
        patterns.append(u'*' + suffix);
    return patterns.join(u';') + u"ﾌｧｲﾙのみ表示"_s;
}

QString Form2::previewCheckCaption()
{
    return u"ﾌﾟﾚﾋﾞｭｰｳｨﾝﾄﾞｳ"_s;
}

QString Form2::previewTip()
{
    return u"プレビューウィンドウ"_s;
}

void Form2::Form_Load(const QString& startFolder)
{
    m_drives.setCurrentFor(startFolder);
    setFolder(startFolder);
    MEMOR();
    for (const QString& control : {u"Drive1"_s, u"Dir1"_s, u"File1"_s, u"Command1"_s, u"Command2"_s,
                                   u"Command3"_s, u"Label1"_s, u"Check1"_s})
        m_fontNames.insert(control, u"ＭＳ Ｐゴシック"_s);
}

QStringList Form2::drives() const
{
    return m_drives.drives();
}

bool Form2::setDrive(const QString& drive)
{
    const DriveList::Choice choice = m_drives.choose(drive);
    if (choice == DriveList::Choice::Changed)
        setFolder(drive);
    return choice != DriveList::Choice::Refused;
}

void Form2::setFolder(const QString& folder)
{
    setBook(m_platform.books.open(folder));
}

void Form2::setBook(std::shared_ptr<Book> book)
{
    m_preview = QImage();
    previewShown = false;
    m_pages.load(std::move(book));
}

QString Form2::pathOf(int index) const
{
    return m_pages.pathOf(index);
}

void Form2::File1_Click(int index)
{
    m_pages.select(index);
    m_okEnabled = true;
    const QString path = pathOf(index);
    if (m_pages.selectedIndex() < 0 || !m_pages.hasPage(index)) {
        m_okEnabled = false;
        const UserMessage message = Messages::missingFile(path);
        m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
        return;
    }
    if (!m_previewOn) {
        m_preview = QImage();
        return;
    }
    DecodedPicture decoded = m_platform.pictures.decode(m_pages.pageAt(index));
    if (decoded.isValid()) {
        m_preview = std::move(decoded.image);
    } else {
        const UserMessage message = Messages::damagedPicture(m_pages.name(index));
        m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
        m_preview = m_opener ? m_opener->placeholderPicture() : QImage();
    }
    previewShown = true;
}

void Form2::File1_DblClick(int index)
{
    File1_Click(index);
    if (m_previewOn || !m_okEnabled || !m_opener)
        return;
    MEMOR();
    m_visible = false;
    m_opener->openChosenPage(m_pages.selectedIndex());
}

void Form2::Check1_Click(bool checked)
{
    m_previewOn = checked;
    m_preview = QImage();
    previewShown = false;
    // Turned on, it previews the page already chosen, as a click on it would.
    if (checked && m_pages.selectedIndex() >= 0)
        File1_Click(m_pages.selectedIndex());
}

void Form2::Image1_Click()
{
    if (previewShown)
        Command1_Click();
}

void Form2::Command1_Click()
{
    if (!m_opener)
        return;
    // A book that cannot be opened says why; the browser stays, and Cancel returns to the
    // book that was open.
    if (const BookFailure failure = bookFailure(); failure != BookFailure::None) {
        const UserMessage message = Messages::refusedBook(folder(), failure);
        m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
        return;
    }
    MEMOR();
    m_visible = false;
    // Without a selection the first page is chosen, as a click on it would.
    const int firstPage = std::max(0, m_pages.selectedIndex());
    const bool pageChosen = m_pages.selectedIndex() >= 0;
    if (!m_pages.isEmpty() && !pageChosen)
        File1_Click(0);
    m_opener->openChosenFolder(firstPage, pageChosen);
}

BookFailure Form2::bookFailure() const
{
    return m_pages.book() ? m_pages.book()->failure() : BookFailure::None;
}

void Form2::Command2_Click()
{
    setDrive(m_savedDrive);
    setFolder(m_savedFolder);
    m_visible = false;
}

void Form2::Command3_Click()
{
    m_platform.shell.showFolder(folder());
}

void Form2::Form_Unload()
{
    Command2_Click();
}

void Form2::dropFiles(const QStringList& paths)
{
    if (m_opener)
        m_opener->dropFiles(paths);
}

void Form2::MEMOR()
{
    m_savedDrive = m_drives.current();
    m_savedFolder = folder().endsWith(pathSeparator) ? folder() : folder() + pathSeparator;
}

QString Form2::countText() const
{
    return u"画像ﾌｧｲﾙ "_s + QString::number(m_pages.count()) + u" 個"_s;
}

} // namespace ruvo

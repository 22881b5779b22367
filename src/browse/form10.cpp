#include "browse/form10.h"

#include "bookshelf/shelf_file.h"
#include "browse/browse_messages.h"
#include "commands/control_names.h"
#include "platform/file_services.h"
#include "platform/message_box_service.h"
#include "platform/modal_window_service.h"
#include "platform/paths.h"
#include "session/record_file.h"

namespace ruvo {

using namespace Qt::StringLiterals;

Form10::Form10(Platform platform, ViewerState& state)
    : m_platform(platform), m_state(state), m_drives(platform)
{
}

QString Form10::caption()
{
    return u"別の本棚データを指定または新規作成"_s;
}

QString Form10::label1()
{
    return u"本棚データ格納フォルダを指定してください"_s;
}

QString Form10::label3()
{
    return u"本棚データファイル\u3000(Hondana.ruv)"_s;
}

void Form10::Form_Load(const QString& startFolder)
{
    for (const QString& control : {u"Drive1"_s, u"Dir1"_s, u"File1"_s, u"Label1"_s, u"Label2"_s, u"Label3"_s,
                                   u"Command1"_s, u"Command2"_s, u"Command3"_s})
        m_fontNames.insert(control, u"ＭＳ Ｐゴシック"_s);
    m_label2 = u"指定のフォルダに本棚データファイルが"_s + QChar(13) + u"存在しない場合、新規に作成します"_s;
    m_drives.setCurrentFor(startFolder);
    Dir1_Change(startFolder);
}

QStringList Form10::drives() const
{
    return m_drives.drives();
}

bool Form10::Drive1_Change(const QString& drive)
{
    const DriveList::Choice choice = m_drives.choose(drive);
    if (choice == DriveList::Choice::Changed)
        Dir1_Change(drive);
    return choice != DriveList::Choice::Refused;
}

void Form10::Dir1_Change(const QString& folder)
{
    m_folder = folderPathForm(folder);
    refreshFiles();
}

void Form10::refreshFiles()
{
    m_files.clear();
    // The name as the shelf is read: another case names another file here.
    if (m_platform.files.listFiles(m_folder).value_or(QStringList()).contains(shelfFileName()))
        m_files.append(shelfFileName());
}

void Form10::Command1_Click()
{
    const QString folder = m_folder;
    // The folder may have changed since it was listed; the answer must hold now.
    refreshFiles();
    if (m_files.isEmpty()) {
        const UserMessage question = BrowseMessages::askNewShelf(folder);
        if (m_platform.messages.show(question.title, question.text, MessageButtons::YesNo) !=
            MessageAnswer::Yes)
            return;
        // A listing can miss a shelf file the folder does hold (a folder that cannot be listed):
        // an existing shelf is switched to, never replaced by an empty one.
        const bool hasShelf = !m_platform.files.lookup(shelfFilePath(folder)).isEmpty();
        if (!hasShelf && !createEmptyShelfFile(m_platform.files, folder)) {
            reportWriteFailure(folder);
            return;
        }
    }
    const std::optional<QString> stored =
        RecordFile(m_platform.files, m_state.programFolder).writeShelfFolder(folder);
    if (!stored) {
        reportWriteFailure(folder);
        return;
    }
    m_state.shelfFolder = *stored;
    m_open = false;
}

void Form10::reportWriteFailure(const QString& folder)
{
    const UserMessage message = BrowseMessages::shelfWriteFailed(folder);
    m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
}

void Form10::Command3_Click()
{
    m_platform.modal.showModal(WindowName::newFolder);
}

} // namespace ruvo

#include "browse/form2.h"

#include "platform/file_services.h"
#include "platform/message_box_service.h"
#include "platform/paths.h"

namespace ruvo {

using namespace Qt::StringLiterals;

Form2::Form2(Platform platform) : m_platform(platform) {}

void Form2::Form_Load(const QString& startFolder)
{
    m_drive = m_platform.files.volumeRoot(startFolder);
    setFolder(startFolder);
    MEMOR();
}

bool Form2::setDrive(const QString& drive)
{
    if (drive == m_drive)
        return true;
    if (!m_platform.files.listFiles(drive)) {
        m_platform.messages.show(u"デバイスの呼び出し"_s, u"デバイスが装備されていません"_s, MessageButtons::Ok);
        return false;
    }
    m_drive = drive;
    setFolder(drive);
    return true;
}

void Form2::setFolder(const QString& folder)
{
    preview = QImage();
    previewShown = 0;
    m_pages.load(folderPathForm(folder), m_platform.files);
}

QString Form2::pathOf(int index) const
{
    return joinPath(folder(), m_pages.name(index));
}

void Form2::MEMOR()
{
    m_savedDrive = m_drive;
    m_savedFolder = folder().endsWith(pathSeparator) ? folder() : folder() + pathSeparator;
}

QString Form2::countText() const
{
    return u"画像ﾌｧｲﾙ "_s + QString::number(m_pages.count()) + u" 個"_s;
}

} // namespace ruvo

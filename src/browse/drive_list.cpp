#include "browse/drive_list.h"

#include "browse/browse_messages.h"
#include "platform/file_services.h"
#include "platform/message_box_service.h"

namespace ruvo {

void DriveList::setCurrentFor(const QString& path)
{
    m_current = m_platform.files.volumeRoot(path);
}

QStringList DriveList::drives() const
{
    QStringList roots = m_platform.files.volumeRoots();
    if (!m_current.isEmpty() && !roots.contains(m_current))
        roots.append(m_current);
    return roots;
}

DriveList::Choice DriveList::choose(const QString& drive)
{
    if (drive == m_current)
        return Choice::Same;
    if (!m_platform.files.listFiles(drive)) {
        const UserMessage message = BrowseMessages::noMedium();
        m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
        return Choice::Refused;
    }
    m_current = drive;
    return Choice::Changed;
}

} // namespace ruvo

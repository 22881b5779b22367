#include "bookshelf/shelf_write_guard.h"

#include "bookshelf/shelf_file.h"
#include "bookshelf/shelf_messages.h"
#include "platform/file_services.h"
#include "platform/message_box_service.h"
#include "platform/paths.h"

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {

// A copy is made in memory first; a shelf file larger than this is no shelf to copy.
constexpr qsizetype backupLimit = 256 * 1024 * 1024;
// The copies one folder may gather before something is plainly wrong with it.
constexpr int backupNames = 1000;

} // namespace

QString shelfBackupName(int n)
{
    return shelfFileName() + u".bak"_s + (n == 0 ? QString() : QString::number(n));
}

void ShelfWriteGuard::take(const QString& shelfFolder, const ShelfReading& reading)
{
    m_shelfFolder = shelfFolder;
    m_verdict = reading.verdict;
    m_lines = reading.lines;
    m_backupPath.clear();
}

void ShelfWriteGuard::tellIfDamaged() const
{
    if (!readDamaged())
        return;
    const UserMessage message = ShelfMessages::damagedShelf(m_shelfFolder);
    m_messages.show(message.title, message.text, MessageButtons::Ok);
}

bool ShelfWriteGuard::allowsReplacing()
{
    if (!readDamaged() || !m_backupPath.isEmpty())
        return true;
    const UserMessage question = ShelfMessages::replaceDamagedShelf(m_shelfFolder);
    if (m_messages.show(question.title, question.text, MessageButtons::YesNoDefaultNo) != MessageAnswer::Yes)
        return false;
    if (keepBackup())
        return true;
    const UserMessage message = ShelfMessages::backupFailed(m_shelfFolder);
    m_messages.show(message.title, message.text, MessageButtons::Ok);
    return false;
}

bool ShelfWriteGuard::keepBackup()
{
    // The bytes as they are now, which are what the write would replace.
    const std::optional<QByteArray> bytes = m_files.readFile(shelfFilePath(m_shelfFolder), backupLimit);
    if (!bytes || bytes->size() > backupLimit)
        return false;
    for (int n = 0; n < backupNames; ++n) {
        const QString path = joinPath(m_shelfFolder, shelfBackupName(n));
        if (m_files.entryKind(path))
            continue;
        if (m_files.createFile(path, *bytes)) {
            m_backupPath = path;
            return true;
        }
        // Only a name taken in the meantime is worth another try.
        if (!m_files.entryKind(path))
            return false;
    }
    return false;
}

} // namespace ruvo

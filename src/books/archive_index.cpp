#include "books/archive_index.h"

#include "books/archive_reader.h"
#include "books/member_paths.h"
#include "imaging/picture_limits.h"
#include "platform/file_stamp.h"

#include <QSet>

#include <mutex>

namespace ruvo {

ArchiveIndex indexArchive(const QString& archivePath)
{
    ArchiveIndex index;
    ArchiveReader reader(archivePath);
    const auto failed = [&](ArchiveIndex::Failure failure, const QString& detail) {
        index.failure = failure;
        index.detail = detail;
        index.pages.clear();
        return index;
    };
    if (!reader.isOpen())
        return failed(ArchiveIndex::Failure::Unreadable, reader.error());
    QSet<QString> seen;
    for (;;) {
        const ArchiveReader::Step step = reader.next();
        if (step == ArchiveReader::Step::End)
            break;
        if (step == ArchiveReader::Step::Failed) {
            // A RAR whose names are encrypted cannot even be listed.
            return failed(reader.holdsEncryptedEntries() ? ArchiveIndex::Failure::Encrypted
                                                         : ArchiveIndex::Failure::Damaged,
                          reader.error());
        }
        const QString path = reader.path();
        if (!reader.isRegularFile() || !isPageMember(path))
            continue;
        if (reader.isEncrypted())
            return failed(ArchiveIndex::Failure::Encrypted, path);
        if (reader.declaredSize() > kArchivePageMaxBytes)
            return failed(ArchiveIndex::Failure::TooLarge, path);
        // A path stored twice names one page: the first.
        if (seen.contains(path))
            continue;
        seen.insert(path);
        index.pages.append(path);
    }
    if (index.pages.isEmpty())
        return failed(ArchiveIndex::Failure::NoPages, {});
    return index;
}

ArchiveIndex readArchiveIndex(const QString& archivePath)
{
    // Opening a book asks for its index more than once (to tell whether it can be opened,
    // then to list it); the archive is read once.
    static std::mutex mutex;
    static QString lastPath;
    static FileStamp lastStamp;
    static ArchiveIndex lastIndex;
    const FileStamp stamp = fileStampOf(archivePath);
    {
        const std::lock_guard lock(mutex);
        if (stamp.size >= 0 && archivePath == lastPath && stamp == lastStamp)
            return lastIndex;
    }
    ArchiveIndex index = indexArchive(archivePath);
    const std::lock_guard lock(mutex);
    lastPath = archivePath;
    lastStamp = stamp;
    lastIndex = index;
    return index;
}

} // namespace ruvo

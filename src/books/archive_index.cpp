#include "books/archive_index.h"

#include "books/archive_reader.h"
#include "books/member_paths.h"
#include "imaging/picture_limits.h"

#include <QSet>

namespace ruvo {

ArchiveIndex indexArchive(const QString& archivePath)
{
    ArchiveIndex index;
    ArchiveReader reader(archivePath);
    index.stamp = reader.stamp();
    const auto failed = [&](ArchiveIndex::Failure failure, const QString& detail) {
        index.failure = failure;
        index.detail = detail;
        index.pages.clear();
        index.storedPaths.clear();
        return index;
    };
    if (!reader.isOpen())
        return failed(ArchiveIndex::Failure::Unreadable, reader.error());
    // The pages under their own paths, then those that climbed out under what is left of
    // theirs, but where that names a page already.
    QStringList stored;
    QSet<QString> trusted;
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
        if (!reader.isPageEntry())
            continue;
        if (reader.isEncrypted())
            return failed(ArchiveIndex::Failure::Encrypted, path);
        if (reader.declaredSize() > kArchivePageMaxBytes)
            return failed(ArchiveIndex::Failure::TooLarge, path);
        stored.append(path);
        if (isTrustedMemberPath(path))
            trusted.insert(path);
    }
    // A path stored twice names one page: the first.
    QSet<QString> listed;
    for (const QString& path : std::as_const(stored)) {
        const QString name = listedMemberPath(path);
        if (listed.contains(name) || (name != path && trusted.contains(name)))
            continue;
        listed.insert(name);
        index.pages.append(name);
        if (name != path)
            index.storedPaths.insert(name, path);
    }
    if (index.pages.isEmpty())
        return failed(ArchiveIndex::Failure::NoPages, {});
    return index;
}

} // namespace ruvo

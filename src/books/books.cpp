#include "books/books.h"

#include "books/archive_book.h"
#include "books/archive_format.h"
#include "books/archive_page_path.h"
#include "books/archive_page_source.h"
#include "books/folder_book.h"
#include "imaging/file_page_source.h"
#include "imaging/picture_limits.h"
#include "platform/paths.h"

namespace ruvo {

Books::Books(const FileServices& files, ArchiveMembers::Options options)
    : m_files(files), m_options(std::move(options))
{
    if (!m_options.budget)
        m_options.budget = std::make_shared<UnpackBudget>(kArchivePageMaxBytes);
}

bool Books::isArchive(const QString& path) const
{
    return archiveFormatOfFile(path) != ArchiveFormat::None;
}

std::optional<ArchivePagePath> Books::archivePageOf(const QString& path) const
{
    return splitArchivePagePath(path);
}

std::shared_ptr<Book> Books::open(const QString& location)
{
    const QString at = folderPathForm(location);
    if (isArchive(at))
        return std::make_shared<ArchiveBook>(at, membersOf(at));
    return std::make_shared<FolderBook>(at, m_files);
}

std::unique_ptr<PageSource> Books::sourceOf(const QString& path)
{
    if (const std::optional<ArchivePagePath> inArchive = archivePageOf(path))
        return std::make_unique<ArchivePageSource>(membersOf(inArchive->archive), inArchive->member);
    return std::make_unique<FilePageSource>(path);
}

FileStamp Books::stampOf(const QString& path)
{
    {
        // A page of an archive held open is told without looking for its archive again.
        const std::lock_guard lock(m_mutex);
        for (const Held& held : std::as_const(m_archives)) {
            if (path.size() > held.path.size() && path.startsWith(held.path) &&
                path.at(held.path.size()) == u'/')
                return fileStampOf(held.path);
        }
    }
    const FileStamp stamp = fileStampOf(path);
    if (stamp.size >= 0)
        return stamp;
    const std::optional<ArchivePagePath> inArchive = archivePageOf(path);
    return inArchive ? fileStampOf(inArchive->archive) : stamp;
}

std::shared_ptr<ArchiveMembers> Books::membersOf(const QString& archivePath)
{
    const FileStamp stamp = fileStampOf(archivePath);
    std::shared_ptr<ArchiveMembers> dropped;
    const std::lock_guard lock(m_mutex);
    for (qsizetype i = 0; i < m_archives.size(); ++i) {
        if (m_archives.at(i).path != archivePath)
            continue;
        Held held = m_archives.takeAt(i);
        if (held.stamp == stamp) {
            m_archives.prepend(held);
            return held.members;
        }
        dropped = std::move(held.members);
        break;
    }
    auto members = std::make_shared<ArchiveMembers>(archivePath, m_options);
    m_archives.prepend(Held{archivePath, stamp, members});
    while (m_archives.size() > archivesKept)
        m_archives.removeLast();
    return members;
}

} // namespace ruvo

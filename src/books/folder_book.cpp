#include "books/folder_book.h"

#include "books/page_names.h"
#include "imaging/file_page_source.h"
#include "platform/file_services.h"
#include "platform/paths.h"

namespace ruvo {

FolderBook::FolderBook(QString folder, const FileServices& files, NameOrder order, PageFormats formats)
    : m_folder(std::move(folder)), m_files(files), m_formats(formats)
{
    const std::optional<QStringList> all = files.listFiles(m_folder);
    if (!all) {
        // Asked why only now that the listing failed; a folder that reads when asked has
        // failed all the same.
        const ReadFault fault = files.readFault(m_folder);
        m_failure = fault == ReadFault::None ? BookFailure::ReadFailed : bookFailureOf(fault);
        return;
    }
    for (const QString& name : *all) {
        if (hasPageExtension(name, m_formats))
            m_names.append(name);
    }
    sortPageNames(m_names, order);
}

bool FolderBook::hasPage(const QString& name) const
{
    return !m_files.lookup(pathOf(name)).isEmpty();
}

std::unique_ptr<PageSource> FolderBook::sourceOf(const QString& name) const
{
    return std::make_unique<FilePageSource>(pathOf(name), m_formats);
}

FileStamp FolderBook::stampOf(const QString& name) const
{
    return fileStampOf(pathOf(name));
}

QString FolderBook::pathOf(const QString& name) const
{
    return joinPath(m_folder, name);
}

std::optional<PageFacts> FolderBook::readFacts(const QString& name) const
{
    const std::unique_ptr<QIODevice> file = sourceOf(name)->open(nullptr);
    return file ? readPageFacts(*file, m_formats) : std::nullopt;
}

} // namespace ruvo

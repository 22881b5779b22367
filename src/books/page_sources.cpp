#include "books/page_sources.h"

#include "books/archive_page_path.h"
#include "books/archive_page_source.h"
#include "imaging/file_page_source.h"

namespace ruvo {

std::unique_ptr<PageSource> pageSourceOf(const QString& path)
{
    if (const std::optional<ArchivePagePath> inArchive = splitArchivePagePath(path))
        return std::make_unique<ArchivePageSource>(
            std::make_shared<ArchiveBook>(inArchive->archive, ArchiveBook::Options{}), inArchive->member);
    return std::make_unique<FilePageSource>(path);
}

} // namespace ruvo

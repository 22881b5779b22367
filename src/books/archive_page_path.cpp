#include "books/archive_page_path.h"

#include "books/archive_format.h"
#include "books/pdf_format.h"
#include "platform/native_file.h"

namespace ruvo {

std::optional<ArchivePagePath> splitArchivePagePath(const QString& path)
{
    if (statusOf(path))
        return std::nullopt;
    for (qsizetype slash = path.lastIndexOf(u'/'); slash > 0; slash = path.lastIndexOf(u'/', slash - 1)) {
        const QString prefix = path.left(slash);
        const std::optional<struct stat> status = statusOf(prefix);
        if (!status)
            continue;
        // The longest part that exists decides: a folder there means the path is missing.
        if (!S_ISREG(status->st_mode) ||
            (archiveFormatOfFile(prefix) == ArchiveFormat::None && !isPdfFile(prefix)))
            return std::nullopt;
        return ArchivePagePath{prefix, path.mid(slash + 1)};
    }
    return std::nullopt;
}

QString archivePagePath(const QString& archive, const QString& member)
{
    return archive + u'/' + member;
}

} // namespace ruvo

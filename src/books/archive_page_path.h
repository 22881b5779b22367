#pragma once

#include <QString>
#include <optional>

namespace ruvo {

// A page inside an archive has a path of its own: the archive's path, "/", then the
// member's path; a PDF book's page likewise, with its number for the member. No real path goes
// on past a regular file, so the split is unambiguous.
struct ArchivePagePath
{
    QString archive;
    QString member;
};

// The archive and member a path names, when it names a page inside an archive or a PDF: the
// longest part of it that exists is an archive file or a PDF. Nothing for any other path, one that exists
// among them.
std::optional<ArchivePagePath> splitArchivePagePath(const QString& path);

// The path of a member of an archive.
QString archivePagePath(const QString& archive, const QString& member);

} // namespace ruvo

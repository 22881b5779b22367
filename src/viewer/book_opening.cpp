#include "viewer/book_opening.h"

#include "books/archive_format.h"
#include "books/books.h"
#include "books/page_names.h"
#include "platform/file_services.h"
#include "platform/paths.h"
#include "session/page_list.h"

#include <QDir>
#include <QFileInfo>

namespace ruvo {

BookOpening bookOpening(const QString& path, const FileServices& files, const Books& books)
{
    BookOpening opening;
    opening.path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const auto refused = [&](BookFailure failure) {
        opening.kind = BookOpening::Kind::Refused;
        opening.failure = failure;
        return opening;
    };
    const std::optional<int> attributes = files.attributes(opening.path);
    if (!attributes) {
        // A page inside an archive opens the archive at that page.
        if (const std::optional<ArchivePagePath> inArchive = books.archivePageOf(opening.path)) {
            opening.kind = BookOpening::Kind::Book;
            opening.folder = inArchive->archive;
            opening.pageName = inArchive->member;
            return opening;
        }
        // What may be there, but cannot be reached, is no path that is gone.
        if (const BookFailure failure = bookFailureOf(files.readFault(opening.path));
            failure != BookFailure::None)
            return refused(failure);
        return opening;
    }
    // Every folder opens as a book, whatever else its attributes say.
    if (*attributes & FileAttribute::Directory) {
        opening.kind = BookOpening::Kind::Book;
        opening.folder = opening.path;
        return opening;
    }
    // An archive is a book whatever its name says.
    if (books.isArchive(opening.path)) {
        opening.kind = BookOpening::Kind::Book;
        opening.folder = opening.path;
        return opening;
    }
    // Why it cannot be read comes before what its name makes of it.
    if (const BookFailure failure = bookFailureOf(files.readFault(opening.path));
        failure != BookFailure::None)
        return refused(failure);
    if (!hasPageExtension(opening.path, books.folderFormats())) {
        if (hasArchiveExtension(opening.path))
            return refused(BookFailure::Unreadable);
        opening.kind = BookOpening::Kind::NotAPage;
        return opening;
    }
    opening.kind = BookOpening::Kind::Book;
    opening.folder = folderOf(opening.path);
    opening.pageName = fileNameOf(opening.path);
    return opening;
}

int pageIndexOf(const PageList& pages, const QString& pageName)
{
    if (pageName.isEmpty())
        return -1;
    const QString lowerName = pageName.toLower();
    const QStringList& names = pages.names();
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i) == pageName || names.at(i) == lowerName)
            return i;
    }
    return -1;
}

} // namespace ruvo

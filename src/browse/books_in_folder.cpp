#include "browse/books_in_folder.h"

#include "books/books.h"
#include "books/page_names.h"
#include "platform/file_services.h"
#include "platform/paths.h"

#include <QSet>

#include <algorithm>

namespace ruvo {

namespace {

QStringList archivesIn(const QString& folder, const QStringList& files, const Books& books)
{
    QStringList archives;
    for (const QString& name : files) {
        // A page is never an archive; only the other files are opened to be told.
        if (!hasPageExtension(name, books.folderFormats()) && books.isArchive(joinPath(folder, name)))
            archives.append(name);
    }
    return archives;
}

bool holdsPages(const QString& folder, const FileServices& files, PageFormats formats)
{
    const QStringList names = files.listFiles(folder).value_or(QStringList());
    return std::any_of(names.cbegin(), names.cend(),
                       [formats](const QString& name) { return hasPageExtension(name, formats); });
}

} // namespace

QList<BookInFolder> booksInFolder(const QString& folder, const FileServices& files, const Books& books)
{
    const QStringList archiveNames =
        archivesIn(folder, files.listFiles(folder).value_or(QStringList()), books);
    const QSet<QString> archives(archiveNames.cbegin(), archiveNames.cend());
    QStringList names = files.listFolders(folder).value_or(QStringList()) + archiveNames;
    sortPageNames(names, books.folderOrder());
    QList<BookInFolder> found;
    found.reserve(names.size());
    for (const QString& name : std::as_const(names))
        found.append(BookInFolder{name, archives.contains(name)});
    return found;
}

QString neighbourBook(const QString& location, bool forward, const FileServices& files, const Books& books)
{
    const QString book = folderPathForm(location);
    const QString folder = folderOf(book);
    if (folder.isEmpty() || isRootPath(book))
        return QString();
    const QList<BookInFolder> siblings = booksInFolder(folder, files, books);
    const QString name = fileNameOf(book);
    const auto at = std::find_if(siblings.cbegin(), siblings.cend(),
                                 [&](const BookInFolder& sibling) { return sibling.name == name; });
    if (at == siblings.cend())
        return QString();
    const qsizetype step = forward ? 1 : -1;
    for (qsizetype i = (at - siblings.cbegin()) + step; i >= 0 && i < siblings.size(); i += step) {
        const QString path = joinPath(folder, siblings.at(i).name);
        // A folder of folders (extras, a series' parts) is passed over: it is no volume.
        if (siblings.at(i).archive || holdsPages(path, files, books.folderFormats()))
            return path;
    }
    return QString();
}

} // namespace ruvo

#pragma once

#include <QList>
#include <QString>

namespace ruvo {

class Books;
class FileServices;

// A book a folder holds: a folder of its own, or an archive file (as the books tell it).
struct BookInFolder
{
    QString name;
    bool archive = false;
};

// The books directly in a folder, folders and archives alike, in the order the browser lists
// them; none when the folder cannot be read.
QList<BookInFolder> booksInFolder(const QString& folder, const FileServices& files, const Books& books);

// The book after (or before) the one at location among the books of its folder that hold
// pages: an archive, or a folder with at least one page. "" when there is none.
QString neighbourBook(const QString& location, bool forward, const FileServices& files, const Books& books);

} // namespace ruvo

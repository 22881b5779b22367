#include "bookshelf/shelf_file.h"

#include "platform/file_services.h"
#include "platform/path_on_disk.h"
#include "platform/paths.h"

#include <QStringList>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {

// A field is one line of the file: a line break inside it would shift every
// record after it, and a NUL byte would make the file one no reader takes
// whole, so each is stored as a space.
QString asLine(const QString& field)
{
    if (!field.contains(u'\n') && !field.contains(u'\r') && !field.contains(QChar::Null))
        return field;
    QString line = field;
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    line.replace(QChar::Null, u' ');
    return line;
}

// The count as the numeric print form writes it: a space, the digits, a space.
QString countLine(qsizetype count)
{
    return u' ' + QString::number(count) + u' ';
}

} // namespace

QString shelfFileName()
{
    return u"Hondana.ruv"_s;
}

QString shelfFilePath(const QString& shelfFolder)
{
    return joinPath(shelfFolder, shelfFileName());
}

QString thumbnailFileName(int n)
{
    return QString::number(n) + u"ruv.bmp"_s;
}

QString thumbnailPath(const QString& shelfFolder, const QString& thumbnailFile)
{
    return joinPath(shelfFolder, thumbnailFile);
}

ShelfReading readShelfFile(const FileServices& files, const QString& shelfFolder)
{
    const QString path = shelfFilePath(shelfFolder);
    if (const std::optional<QByteArray> bytes = files.readFile(path, shelfReadLimit)) {
        ShelfReading reading = readShelfBytes(*bytes);
        for (ShelfEntry& entry : reading.entries)
            entry.bookPath = pathOnDisk(files, entry.bookPath);
        return reading;
    }
    ShelfReading reading;
    reading.verdict = files.entryKind(path) ? ShelfVerdict::Damaged : ShelfVerdict::Missing;
    return reading;
}

QStringList shelfFileLines(const QList<ShelfEntry>& entries)
{
    QStringList lines;
    lines.reserve(1 + entries.size() * shelfRecordLines);
    lines.append(countLine(entries.size()));
    for (const ShelfEntry& entry : entries) {
        lines.append(asLine(entry.volumeLabel));
        lines.append(asLine(entry.bookPath));
        lines.append(asLine(entry.title));
        lines.append(asLine(entry.thumbnailFile));
    }
    return lines;
}

bool writeShelfFile(FileServices& files, const QString& shelfFolder, const QList<ShelfEntry>& entries)
{
    return files.writeLines(shelfFilePath(shelfFolder), shelfFileLines(entries));
}

bool createEmptyShelfFile(FileServices& files, const QString& shelfFolder)
{
    return files.writeLines(shelfFilePath(shelfFolder), {u"0"_s});
}

QString nextThumbnailName(const FileServices& files, const QString& shelfFolder, const QSet<QString>& taken)
{
    // Anything of the name counts as taken, a folder too: saving over it would fail every time.
    // So does a link, even a dangling one: a thumbnail is never written through a link.
    for (int n = 0;; ++n) {
        const QString name = thumbnailFileName(n);
        if (taken.contains(name))
            continue;
        const QString path = thumbnailPath(shelfFolder, name);
        if (files.lookup(path, true).isEmpty() && !files.attributes(path) && !files.entryKind(path))
            return name;
    }
}

bool isBareFileName(const QString& name)
{
    if (name.isEmpty() || name == u"."_s || name == u".."_s)
        return false;
    // Both separators: a shelf may have been written on a system that uses the other one.
    return !name.contains(pathSeparator) && !name.contains(u'/') && !name.contains(u'\\');
}

bool isReadableThumbnail(const FileServices& files, const QString& shelfFolder, const QString& thumbnailFile)
{
    return isBareFileName(thumbnailFile) &&
           files.entryKind(thumbnailPath(shelfFolder, thumbnailFile)) == EntryKind::PlainFile;
}

ThumbnailRemoval removeThumbnail(FileServices& files, const QString& shelfFolder,
                                 const QString& thumbnailFile)
{
    if (!isBareFileName(thumbnailFile))
        return ThumbnailRemoval::Refused;
    return files.removeFile(thumbnailPath(shelfFolder, thumbnailFile)) ? ThumbnailRemoval::Removed
                                                                       : ThumbnailRemoval::Failed;
}

} // namespace ruvo

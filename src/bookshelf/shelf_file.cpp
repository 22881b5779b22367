#include "bookshelf/shelf_file.h"

#include "common/number_text.h"
#include "platform/file_services.h"
#include "platform/paths.h"

#include <QStringList>
#include <algorithm>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {

constexpr int linesPerEntry = 4;

// A field is one line of the file: a line break inside it would shift every
// record after it, so it is stored as a space.
QString asLine(const QString& field)
{
    if (!field.contains(u'\n') && !field.contains(u'\r'))
        return field;
    QString line = field;
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
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

QString thumbnailPath(const QString& shelfFolder, const QString& thumbnailFile)
{
    return joinPath(shelfFolder, thumbnailFile);
}

ShelfReading readShelfFile(const FileServices& files, const QString& shelfFolder)
{
    ShelfReading reading;
    const std::optional<QStringList> lines = files.readLines(shelfFilePath(shelfFolder));
    if (!lines)
        return reading;
    reading.readable = true;
    if (lines->isEmpty())
        return reading;

    const int count = std::clamp(leadingInteger(lines->constFirst()), 0, shelfTableSize);
    const auto line = [&lines](qsizetype index) {
        return index < lines->size() ? lines->at(index) : QString();
    };
    reading.entries.reserve(count);
    for (int i = 0; i < count; ++i) {
        const qsizetype first = 1 + qsizetype(i) * linesPerEntry;
        reading.entries.append({line(first), line(first + 1), line(first + 2), line(first + 3)});
    }
    return reading;
}

QStringList shelfFileLines(const QList<ShelfEntry>& entries)
{
    QStringList lines;
    lines.reserve(1 + entries.size() * linesPerEntry);
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

QString nextThumbnailName(const FileServices& files, const QString& shelfFolder)
{
    // Anything of the name counts as taken, a folder too: saving over it would fail every time.
    // So does a link, even a dangling one: a thumbnail is never written through a link.
    for (int n = 0;; ++n) {
        const QString name = QString::number(n) + u"ruv.bmp"_s;
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

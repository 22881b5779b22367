#pragma once

#include <QString>
#include <optional>

namespace ruvo {

class FileServices;
class MessageBoxService;

// The record file "defruv.ini" in the program folder: one line naming the shelf
// folder, so that the choice travels with the program.
class RecordFile
{
public:
    RecordFile(FileServices& files, const QString& programFolder);

    QString path() const;
    // The record file of the program in programFolder.
    static QString pathIn(const QString& programFolder);
    QString defaultShelfFolder() const;

    // The shelf folder to use at start-up: the file's first line when that
    // folder holds a shelf file, otherwise the default folder. A missing or
    // unreadable record file reads as an empty line.
    QString readShelfFolder() const;

    // Replaces the file with the folder as its one line; returns the folder as
    // stored, or nothing when the file could not be written (it then keeps its
    // old line).
    std::optional<QString> writeShelfFolder(const QString& folder);

    // Whether the shelf folder may be changed: a read-only record file is
    // refused with a message.
    bool allowsChange(MessageBoxService& messages) const;

    static QString readOnlyTitle();
    static QString readOnlyText(const QString& recordPath);

private:
    FileServices& m_files;
    QString m_programFolder;
};

} // namespace ruvo

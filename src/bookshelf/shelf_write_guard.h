#pragma once

#include "bookshelf/shelf_reading.h"

#include <QSet>
#include <QString>

namespace ruvo {

class FileServices;
class MessageBoxService;

// Stands between a window and the shelf file it read. A shelf read whole, or a
// missing one, may be replaced at once; one that was not fully understood only
// once the user agrees, and only after its old bytes are kept beside it under a
// name nothing had.
class ShelfWriteGuard
{
public:
    ShelfWriteGuard(FileServices& files, MessageBoxService& messages) : m_files(files), m_messages(messages)
    {
    }

    // What the window read from the shelf file of this folder.
    void take(const QString& shelfFolder, const ShelfReading& reading);
    // Tells the user when the file was not fully understood.
    void tellIfDamaged() const;
    // Whether the shelf file may be replaced now. A damaged one asks first (No
    // is the default) and on Yes keeps a copy; a copy that cannot be made is
    // reported and the answer is no. Once a copy is kept, the window writes on
    // without asking again.
    bool allowsReplacing();
    // Whether the file was not fully understood when it was read.
    bool readDamaged() const { return m_verdict == ShelfVerdict::Damaged; }
    // Every line the file held: names no new thumbnail takes and, while the file
    // was damaged, thumbnails no save deletes.
    const QSet<QString>& mentionedNames() const { return m_lines; }
    // The copy of the damaged file, once kept.
    const QString& backupPath() const { return m_backupPath; }

private:
    bool keepBackup();

    FileServices& m_files;
    MessageBoxService& m_messages;
    QString m_shelfFolder;
    ShelfVerdict m_verdict = ShelfVerdict::Missing;
    QSet<QString> m_lines;
    QString m_backupPath;
};

// The name of the n-th copy of a shelf file kept before it was replaced:
// "Hondana.ruv.bak", then "Hondana.ruv.bak1", "Hondana.ruv.bak2", ...
QString shelfBackupName(int n);

} // namespace ruvo

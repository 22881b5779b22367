#pragma once

#include "session/reading_positions.h"

#include <QString>

namespace ruvo {

class FileServices;

// The reading positions on disk, in the program's state folder. A file that cannot be read or
// understood never stops anything: reading goes on with no positions, and the file is kept
// beside the new one as ".bak" before the first write. Without a folder, the positions live
// for the run only.
class PositionsFile
{
public:
    enum class Loaded
    {
        // There was no file: a first run.
        None,
        Read,
        // A file was there but is not one this program wrote, or cannot be read.
        Damaged,
    };

    PositionsFile(FileServices& files, const QString& folder);

    static QString fileName();
    QString path() const;

    // Reads the file, once; later calls answer what the first one found.
    Loaded load();
    ReadingPositions& positions() { return m_positions; }

    // Writes the positions in place of the file, the folder made where needed: true only
    // when they are on disk. A full disk leaves the file as it was.
    bool save();

private:
    bool makeFolder();

    FileServices& m_files;
    QString m_folder;
    ReadingPositions m_positions;
    std::optional<Loaded> m_loaded;
    // The damaged file still waits to be moved aside.
    bool m_damagedInPlace = false;
};

} // namespace ruvo

#pragma once

#include <QString>

namespace ruvo {

// Which file a path names and its size and time of last change, which tell a file changed
// or replaced since it was read. A missing file has the size -1.
struct FileStamp
{
    qint64 size = -1;
    // Nanoseconds since the epoch.
    qint64 modified = 0;
    quint64 device = 0;
    quint64 inode = 0;

    bool operator==(const FileStamp& other) const = default;
};

// The stamp of what path names, links followed.
FileStamp fileStampOf(const QString& path);
// The stamp of an open file.
FileStamp fileStampOf(int fd);

} // namespace ruvo

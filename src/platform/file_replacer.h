#pragma once

#include "platform/file_system_calls.h"

#include <QByteArray>
#include <QString>

namespace ruvo {

// Puts a file in place so that, whatever fails and even after a power cut, the
// path holds either its old contents byte for byte or the complete new ones.
// The bytes go to a temporary file beside the target, which is checked (every
// byte written, synced, closed, of the right length) before it is renamed over
// the target; the folder is synced after the rename. Nothing is written
// through a dangling link, and a folder, a FIFO or a device is never replaced.
class FileReplacer
{
public:
    explicit FileReplacer(FileSystemCalls calls = FileSystemCalls::system()) : m_calls(calls) {}

    // Replaces the file at path (or creates it); true only when the new
    // contents are on disk under that path.
    bool replace(const QString& path, const QByteArray& bytes) const;
    // Makes a new file at path, never over anything that has the name (a
    // dangling link included); true only when the complete contents are on
    // disk. On failure the file is taken away again.
    bool create(const QString& path, const QByteArray& bytes) const;

private:
    bool writeAll(int fd, const QByteArray& bytes) const;
    bool syncFolderOf(const QByteArray& path) const;

    FileSystemCalls m_calls;
};

} // namespace ruvo

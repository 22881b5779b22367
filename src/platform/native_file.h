#pragma once

#include "platform/read_fault.h"

#include <QFile>
#include <QString>
#include <optional>

#include <sys/stat.h>

namespace ruvo {

// Opening and inspecting files by their native names (see native_name.h), so that a name
// which is not UTF-8 still reaches its file.

// Opens a plain file for reading. False when there is none (errno is ENOENT), when it
// cannot be opened, or when the path names a folder, FIFO or device (errno is EINVAL):
// a FIFO never blocks the caller.
bool openForReading(QFile& file, const QString& path);
// The status of what the path names, links followed; nothing when it does not exist.
std::optional<struct stat> statusOf(const QString& path);
// Why the path, links followed, cannot be read: a plain file or a folder is opened to read
// it (and closed unread); anything else is not opened at all, since opening a device may
// have effects of its own.
ReadFault readFaultOf(const QString& path);

} // namespace ruvo

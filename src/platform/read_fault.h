#pragma once

namespace ruvo {

// Why what a path names cannot be read, as the file system tells it.
enum class ReadFault
{
    None,
    // Nothing is there, or a part of the path on the way is no folder.
    Missing,
    // The user may not read it, or may not pass through a folder on the way.
    NoPermission,
    // The path, or a name in it, is longer than the system allows.
    NameTooLong,
    // A device, a FIFO or a socket: there, but neither a plain file nor a folder.
    NotFileOrFolder,
    // Any other failure of the system (an input/output error, too many open files, ...).
    Failed
};

} // namespace ruvo

#pragma once

#include "platform/read_fault.h"

namespace ruvo {

// Why a book cannot be opened. A folder opens unless it cannot be read (one that is not
// there any more opens as a book of no pages); an archive may not.
enum class BookFailure
{
    None,
    // Not an archive this viewer reads, or not a file that can be read at all.
    Unreadable,
    // Encrypted as a whole, or holding encrypted pages.
    Encrypted,
    Damaged,
    NoPages,
    // A page that declares more bytes than a page may take.
    TooLarge,
    // The user may not read the folder or the file, or may not pass through a folder on the
    // way to it.
    NoPermission,
    // The path, or a name in it, is longer than the system allows.
    NameTooLong,
    // A device, a FIFO or a socket, which holds no pages.
    NotFileOrFolder,
    // A folder or file that the system failed to read for another reason.
    ReadFailed
};

// The failure to open a book at a path that the file system's fault makes: None for a path
// that can be read, and for one where nothing is, which its callers tell apart.
BookFailure bookFailureOf(ReadFault fault);

} // namespace ruvo

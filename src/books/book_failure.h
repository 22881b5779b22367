#pragma once

namespace ruvo {

// Why a book cannot be opened. A folder always opens (an unreadable one as a book of no
// pages); an archive may not.
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
    TooLarge
};

} // namespace ruvo

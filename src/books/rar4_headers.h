#pragma once

#include <QIODevice>

namespace ruvo {

// What the block headers of a RAR 4 archive (and RAR 3, which shares its layout) say of it,
// read without unpacking anything: whether its members are compressed as one stream, and
// whether any of them, or the headers themselves, are encrypted.
struct Rar4Headers
{
    bool isRar4 = false;
    // The main header's flag, or any member's saying it goes on from the one before.
    bool solid = false;
    // The names cannot even be read: nothing past the main header is known.
    bool encryptedHeaders = false;
    bool encryptedMembers = false;
};

// Walks the blocks from the start of the file, header to header: to the second member when
// the archive is not solid, to the end when it is; a damaged block ends the walk with what
// was learnt before it. encryptedMembers is only told for a solid archive.
Rar4Headers readRar4Headers(QIODevice& file);

} // namespace ruvo

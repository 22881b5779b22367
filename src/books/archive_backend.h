#pragma once

#include <QString>

namespace ruvo {

// Where a pass through an archive stands after moving on.
enum class ArchiveStep
{
    Entry,
    End,
    Failed
};

// One library's pass through an archive file, entry by entry (see archive_reader.h, which
// picks the library for the file and holds what is common to both).
class ArchiveBackend
{
public:
    virtual ~ArchiveBackend() = default;

    // Why the archive could not be opened or read on; empty while all is well.
    virtual QString error() const = 0;
    virtual ArchiveStep next() = 0;
    virtual QString path() const = 0;
    virtual bool isRegularFile() const = 0;
    virtual bool isEncrypted() const = 0;
    // -1 when the entry declares no size.
    virtual qint64 declaredSize() const = 0;
    virtual bool holdsEncryptedEntries() const = 0;
    // Unpacks the entry's next bytes, at most maxBytes of them: how many, 0 at its end, -1
    // when it cannot be unpacked, with the reason in error.
    virtual qint64 readBlock(char* into, qint64 maxBytes, QString* error) = 0;
    // Whether the archive is a tar under a compression of the whole file.
    virtual bool isCompressedTar() const { return false; }
};

} // namespace ruvo

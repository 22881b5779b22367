#pragma once

#include "books/archive_backend.h"

struct archive;
struct archive_entry;

namespace ruvo {

// A pass through an archive with libarchive: ZIP, RAR 4 (but a solid one) and 5, 7z, and tar,
// plain or under gzip, bzip2, xz or zstd, each told by its content.
class LibarchiveBackend : public ArchiveBackend
{
public:
    // Reads the open file at fd, which it does not own.
    explicit LibarchiveBackend(int fd);
    ~LibarchiveBackend() override;
    LibarchiveBackend(const LibarchiveBackend&) = delete;
    LibarchiveBackend& operator=(const LibarchiveBackend&) = delete;

    QString error() const override { return m_error; }
    ArchiveStep next() override;
    QString path() const override;
    bool isRegularFile() const override;
    bool isEncrypted() const override;
    qint64 declaredSize() const override;
    bool holdsEncryptedEntries() const override;
    qint64 readBlock(char* into, qint64 maxBytes, QString* error) override;
    bool isCompressedTar() const override;

private:
    void fail(const QString& reason);

    struct archive* m_archive = nullptr;
    struct archive_entry* m_entry = nullptr;
    QString m_error;
};

} // namespace ruvo

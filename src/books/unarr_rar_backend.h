#pragma once

#include "books/archive_backend.h"

typedef struct ar_stream_s ar_stream;
typedef struct ar_archive_s ar_archive;

namespace ruvo {

// A pass through a solid RAR 4 archive with unarr, which unpacks its members as the one
// stream they are (libarchive refuses every member after the first).
class UnarrRarBackend : public ArchiveBackend
{
public:
    // Reads the open file at fd, which it does not own, through a reading of its own;
    // encryptedMembers is what the archive's headers say of its members.
    UnarrRarBackend(int fd, bool encryptedMembers);
    ~UnarrRarBackend() override;
    UnarrRarBackend(const UnarrRarBackend&) = delete;
    UnarrRarBackend& operator=(const UnarrRarBackend&) = delete;

    QString error() const override { return m_error; }
    ArchiveStep next() override;
    QString path() const override;
    bool isRegularFile() const override;
    bool isEncrypted() const override { return m_hasEntry && m_encryptedMembers; }
    qint64 declaredSize() const override;
    bool holdsEncryptedEntries() const override { return m_encryptedMembers; }
    qint64 readBlock(char* into, qint64 maxBytes, QString* error) override;

private:
    ar_stream* m_stream = nullptr;
    ar_archive* m_archive = nullptr;
    const bool m_encryptedMembers;
    bool m_hasEntry = false;
    qint64 m_left = 0;
    QString m_error;
};

} // namespace ruvo

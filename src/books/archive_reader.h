#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>

struct archive;
struct archive_entry;

namespace ruvo {

// One pass through an archive file with libarchive, entry by entry: ZIP, RAR 4 and 5, 7z
// and tar, told by their content. The file is opened by its native name, and only when it
// is a plain file.
class ArchiveReader
{
public:
    enum class Step
    {
        Entry,
        End,
        Failed
    };

    explicit ArchiveReader(const QString& path);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Why the archive could not be opened or read on; empty while all is well.
    const QString& error() const { return m_error; }
    bool isOpen() const { return m_archive != nullptr && m_error.isEmpty(); }

    // Moves on to the next entry; its data, unread, is skipped.
    Step next();
    // The entry's path as the archive stores it, native bytes kept: UTF-8 where the archive
    // says its names are, otherwise its own bytes.
    QString path() const;
    bool isRegularFile() const;
    bool isEncrypted() const;
    // The size the entry declares; -1 when it declares none.
    qint64 declaredSize() const;
    // Whether the archive has said it holds encrypted entries, or failed for one.
    bool holdsEncryptedEntries() const;
    // The entry's data, when it is at most maxBytes long; nothing, with the reason in
    // error, when it is longer or cannot be read.
    std::optional<QByteArray> readData(qint64 maxBytes, QString* error);

private:
    void fail(const QString& reason);

    QFile m_file;
    struct archive* m_archive = nullptr;
    struct archive_entry* m_entry = nullptr;
    QString m_error;
};

} // namespace ruvo

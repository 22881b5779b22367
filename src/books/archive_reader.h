#pragma once

#include "books/archive_backend.h"
#include "platform/file_stamp.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>
#include <optional>

namespace ruvo {

// One pass through an archive file, entry by entry: ZIP, RAR 4 and 5, 7z and tar (plain or
// compressed as a whole), told by their content. The file is opened by its native name, and
// only when it is a plain file; the pass reads that file to its end, whatever later takes
// its name.
class ArchiveReader
{
public:
    using Step = ArchiveStep;

    explicit ArchiveReader(const QString& path);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Why the archive could not be opened or read on; empty while all is well.
    QString error() const;
    bool isOpen() const { return m_backend != nullptr && error().isEmpty(); }
    // The file read, as it was when it was opened.
    const FileStamp& stamp() const { return m_stamp; }

    // Moves on to the next entry; its data, unread, is skipped.
    Step next();
    // The entry's path as the archive stores it, native bytes kept: UTF-8 where the archive
    // says its names are, otherwise its own bytes.
    QString path() const;
    bool isRegularFile() const;
    bool isEncrypted() const;
    // The size the entry declares; -1 when it declares none.
    qint64 declaredSize() const;
    // Whether the entry is a page of the book: a plain file that is not empty, listed under a
    // page's path (see member_paths.h). An empty one holds no picture, whatever its name, and
    // is left out as junk is.
    bool isPageEntry() const;
    // Whether the archive has said it holds encrypted entries, or failed for one.
    bool holdsEncryptedEntries() const;
    // Whether the file is a tar compressed as a whole, once its first entry is read.
    bool isCompressedTar() const;
    // The entry's data, when it is at most maxBytes long; nothing, with the reason in
    // error, when it is longer, unpacks to more than it declares, or cannot be read. No
    // more is ever held than it declares.
    std::optional<QByteArray> readData(qint64 maxBytes, QString* error);
    // The entry's first bytes, at most that many of them, and never more than it declares.
    std::optional<QByteArray> readHead(qint64 bytes, QString* error);

private:
    // Whether there is an entry whose data can be read; the reason in error when not.
    bool canRead(QString* error) const;

    QFile m_file;
    FileStamp m_stamp;
    QString m_openError;
    std::unique_ptr<ArchiveBackend> m_backend;
    bool m_hasEntry = false;
};

} // namespace ruvo

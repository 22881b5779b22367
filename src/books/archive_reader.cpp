#include "books/archive_reader.h"

#include "platform/native_file.h"
#include "platform/native_name.h"

#include <archive.h>
#include <archive_entry.h>

namespace ruvo {

namespace {

constexpr qsizetype kReadBlockBytes = 16 * 1024;

} // namespace

ArchiveReader::ArchiveReader(const QString& path)
{
    // The file is opened here, so that a folder, a FIFO or a device is refused unread.
    if (!openForReading(m_file, path)) {
        m_error = QStringLiteral("cannot open the archive");
        return;
    }
    m_archive = archive_read_new();
    if (!m_archive) {
        m_error = QStringLiteral("not enough memory");
        return;
    }
    // A ZIP is read from its central directory, which lists every member with its offset.
    archive_read_support_format_zip_seekable(m_archive);
    archive_read_support_format_rar(m_archive);
    archive_read_support_format_rar5(m_archive);
    archive_read_support_format_7zip(m_archive);
    archive_read_support_format_tar(m_archive);
    if (archive_read_open_fd(m_archive, m_file.handle(), size_t(kReadBlockBytes)) != ARCHIVE_OK)
        fail(QStringLiteral("not a readable archive"));
}

ArchiveReader::~ArchiveReader()
{
    if (m_archive)
        archive_read_free(m_archive);
}

void ArchiveReader::fail(const QString& reason)
{
    const char* detail = m_archive ? archive_error_string(m_archive) : nullptr;
    m_error = detail ? reason + QStringLiteral(": ") + QString::fromUtf8(detail) : reason;
}

ArchiveReader::Step ArchiveReader::next()
{
    if (!isOpen())
        return Step::Failed;
    const int result = archive_read_next_header(m_archive, &m_entry);
    if (result == ARCHIVE_EOF)
        return Step::End;
    // A warning (a name that does not convert, say) leaves the entry usable.
    if (result == ARCHIVE_OK || result == ARCHIVE_WARN)
        return Step::Entry;
    m_entry = nullptr;
    fail(QStringLiteral("the archive is damaged"));
    return Step::Failed;
}

QString ArchiveReader::path() const
{
    if (!m_entry)
        return {};
    // Names the archive declares as Unicode come as UTF-8; the others (a ZIP made on a
    // Japanese system, say) do not convert, and keep their own bytes.
    if (const char* utf8 = archive_entry_pathname_utf8(m_entry))
        return nameFromNative(utf8);
    const char* raw = archive_entry_pathname(m_entry);
    return raw ? nameFromNative(raw) : QString();
}

bool ArchiveReader::isRegularFile() const
{
    return m_entry && archive_entry_filetype(m_entry) == AE_IFREG;
}

bool ArchiveReader::isEncrypted() const
{
    return m_entry && archive_entry_is_encrypted(m_entry);
}

qint64 ArchiveReader::declaredSize() const
{
    return m_entry && archive_entry_size_is_set(m_entry) ? qint64(archive_entry_size(m_entry)) : -1;
}

bool ArchiveReader::holdsEncryptedEntries() const
{
    if (!m_archive)
        return false;
    if (archive_read_has_encrypted_entries(m_archive) > 0)
        return true;
    // Some readers (RAR 5 with encrypted names, in libarchive before 3.7) do not say so, and
    // only fail saying why.
    const char* detail = archive_error_string(m_archive);
    return detail && QByteArrayView(detail).contains("ncrypt");
}

std::optional<QByteArray> ArchiveReader::readData(qint64 maxBytes, QString* error)
{
    const auto refuse = [&](const QString& reason) {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (!m_entry)
        return refuse(QStringLiteral("no member to read"));
    if (isEncrypted())
        return refuse(QStringLiteral("the member is encrypted"));
    const qint64 declared = declaredSize();
    if (declared > maxBytes)
        return refuse(QStringLiteral("the member is too large"));
    QByteArray data;
    data.reserve(declared > 0 ? declared : 0);
    QByteArray block(kReadBlockBytes, Qt::Uninitialized);
    for (;;) {
        const la_ssize_t got = archive_read_data(m_archive, block.data(), size_t(block.size()));
        if (got == 0)
            return data;
        if (got < 0) {
            const char* detail = archive_error_string(m_archive);
            return refuse(QStringLiteral("the member is damaged") +
                          (detail ? QStringLiteral(": ") + QString::fromUtf8(detail) : QString()));
        }
        // A member may unpack to more than it declares: it is cut off at the limit.
        if (data.size() + got > maxBytes)
            return refuse(QStringLiteral("the member is too large"));
        data.append(block.constData(), got);
    }
}

} // namespace ruvo

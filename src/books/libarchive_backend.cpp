#include "books/libarchive_backend.h"

#include "platform/native_name.h"

#include <archive.h>
#include <archive_entry.h>

namespace ruvo {

namespace {

constexpr size_t kReadBlockBytes = 16 * 1024;

} // namespace

LibarchiveBackend::LibarchiveBackend(int fd)
{
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
    // A tar is often compressed as a whole.
    archive_read_support_filter_gzip(m_archive);
    archive_read_support_filter_bzip2(m_archive);
    archive_read_support_filter_xz(m_archive);
    archive_read_support_filter_zstd(m_archive);
    if (archive_read_open_fd(m_archive, fd, kReadBlockBytes) != ARCHIVE_OK)
        fail(QStringLiteral("not a readable archive"));
}

LibarchiveBackend::~LibarchiveBackend()
{
    if (m_archive)
        archive_read_free(m_archive);
}

void LibarchiveBackend::fail(const QString& reason)
{
    const char* detail = m_archive ? archive_error_string(m_archive) : nullptr;
    m_error = detail ? reason + QStringLiteral(": ") + QString::fromUtf8(detail) : reason;
}

ArchiveStep LibarchiveBackend::next()
{
    if (!m_archive || !m_error.isEmpty())
        return ArchiveStep::Failed;
    const int result = archive_read_next_header(m_archive, &m_entry);
    if (result == ARCHIVE_EOF)
        return ArchiveStep::End;
    // A warning (a name that does not convert, say) leaves the entry usable.
    if (result == ARCHIVE_OK || result == ARCHIVE_WARN)
        return ArchiveStep::Entry;
    m_entry = nullptr;
    fail(QStringLiteral("the archive is damaged"));
    return ArchiveStep::Failed;
}

QString LibarchiveBackend::path() const
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

bool LibarchiveBackend::isRegularFile() const
{
    return m_entry && archive_entry_filetype(m_entry) == AE_IFREG;
}

bool LibarchiveBackend::isEncrypted() const
{
    return m_entry && archive_entry_is_encrypted(m_entry);
}

qint64 LibarchiveBackend::declaredSize() const
{
    return m_entry && archive_entry_size_is_set(m_entry) ? qint64(archive_entry_size(m_entry)) : -1;
}

bool LibarchiveBackend::holdsEncryptedEntries() const
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

qint64 LibarchiveBackend::readBlock(char* into, qint64 maxBytes, QString* error)
{
    const la_ssize_t got = archive_read_data(m_archive, into, size_t(maxBytes));
    if (got >= 0)
        return got;
    if (error) {
        const char* detail = archive_error_string(m_archive);
        *error = QStringLiteral("the member is damaged") +
                 (detail ? QStringLiteral(": ") + QString::fromUtf8(detail) : QString());
    }
    return -1;
}

bool LibarchiveBackend::isCompressedTar() const
{
    if (!m_archive || !m_entry)
        return false;
    // The filters count the file's own reading as one.
    return (archive_format(m_archive) & ARCHIVE_FORMAT_BASE_MASK) == ARCHIVE_FORMAT_TAR &&
           archive_filter_count(m_archive) > 1 && archive_filter_code(m_archive, 0) != ARCHIVE_FILTER_NONE;
}

} // namespace ruvo

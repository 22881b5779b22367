#include "books/unarr_rar_backend.h"

#include "platform/native_name.h"

#include <unarr.h>

namespace ruvo {

UnarrRarBackend::UnarrRarBackend(int fd, bool encryptedMembers) : m_encryptedMembers(encryptedMembers)
{
    // The same file, opened anew so that this reading keeps a position of its own: a file
    // replaced since it was opened is not read in its place.
    const QByteArray open = "/proc/self/fd/" + QByteArray::number(fd);
    m_stream = ar_open_file(open.constData());
    m_archive = m_stream ? ar_open_rar_archive(m_stream) : nullptr;
    if (!m_archive)
        m_error = QStringLiteral("not a readable archive");
}

UnarrRarBackend::~UnarrRarBackend()
{
    if (m_archive)
        ar_close_archive(m_archive);
    if (m_stream)
        ar_close(m_stream);
}

ArchiveStep UnarrRarBackend::next()
{
    m_hasEntry = false;
    if (!m_archive || !m_error.isEmpty())
        return ArchiveStep::Failed;
    if (ar_parse_entry(m_archive)) {
        m_hasEntry = true;
        m_left = qint64(ar_entry_get_size(m_archive));
        return ArchiveStep::Entry;
    }
    if (ar_at_eof(m_archive))
        return ArchiveStep::End;
    m_error = QStringLiteral("the archive is damaged");
    return ArchiveStep::Failed;
}

QString UnarrRarBackend::path() const
{
    const char* name = m_hasEntry ? ar_entry_get_name(m_archive) : nullptr;
    return name ? nameFromNative(name) : QString();
}

bool UnarrRarBackend::isRegularFile() const
{
    return m_hasEntry && !path().endsWith(u'/');
}

qint64 UnarrRarBackend::declaredSize() const
{
    return m_hasEntry ? qint64(ar_entry_get_size(m_archive)) : -1;
}

qint64 UnarrRarBackend::readBlock(char* into, qint64 maxBytes, QString* error)
{
    const qint64 count = std::min(maxBytes, m_left);
    if (count <= 0)
        return 0;
    if (!ar_entry_uncompress(m_archive, into, size_t(count))) {
        if (error)
            *error = QStringLiteral("the member is damaged");
        return -1;
    }
    m_left -= count;
    return count;
}

} // namespace ruvo

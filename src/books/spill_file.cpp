#include "books/spill_file.h"

#include "platform/native_name.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace ruvo {

SpillFile::SpillFile(const QString& folder)
{
    const QByteArray where = nativeName(folder.isEmpty() ? QDir::tempPath() : folder);
    m_fd = ::open(where.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (m_fd >= 0)
        return;
    // A file system without unnamed files: a named one, its name removed at once.
    QByteArray pattern = where + "/ruvo-spill-XXXXXX";
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd >= 0)
        ::unlink(pattern.constData());
}

SpillFile::~SpillFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<qint64> SpillFile::append(const QByteArray& bytes)
{
    if (m_fd < 0)
        return std::nullopt;
    const qint64 start = m_end;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote =
            ::pwrite(m_fd, bytes.constData() + done, size_t(bytes.size() - done), start + done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return std::nullopt;
        done += wrote;
    }
    m_end += done;
    return start;
}

std::optional<QByteArray> SpillFile::read(qint64 offset, qint64 size) const
{
    if (m_fd < 0 || offset < 0 || size < 0 || offset + size > m_end)
        return std::nullopt;
    QByteArray bytes(size, Qt::Uninitialized);
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::pread(m_fd, bytes.data() + done, size_t(size - done), offset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt;
        done += got;
    }
    return bytes;
}

} // namespace ruvo

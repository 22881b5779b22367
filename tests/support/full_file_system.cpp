#include "support/full_file_system.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace ruvo::test {

FullFileSystem::FullFileSystem(int kilobytes)
{
    if (!m_dir.isValid())
        return;
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
    m_mounted =
        ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData()) == 0;
}

FullFileSystem::~FullFileSystem()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool FullFileSystem::fillLeaving(qint64 freeBytes)
{
    const QByteArray filler = QFile::encodeName(m_dir.path() + QStringLiteral("/.filler"));
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'x');
    qint64 size = 0;
    for (;;) {
        const ssize_t written = ::write(fd, block.constData(), size_t(block.size()));
        if (written <= 0)
            break;
        size += written;
    }
    const bool full = errno == ENOSPC;
    const bool freed = freeBytes == 0 || ::ftruncate(fd, std::max<qint64>(0, size - freeBytes)) == 0;
    ::close(fd);
    return full && freed;
}

} // namespace ruvo::test

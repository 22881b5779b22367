#include "platform/file_replacer.h"

#include "platform/native_name.h"

#include <optional>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ruvo {

namespace {

int createExclusively(const char* path, mode_t mode)
{
    return ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
}

} // namespace

FileSystemCalls FileSystemCalls::system()
{
    return {::mkstemp, ::write, ::fsync, ::close, ::rename, ::unlink, ::mkdir, createExclusively};
}

namespace {

// The file that a write to path really replaces: a link to a plain file is
// followed, so that a shelf kept elsewhere through a link stays there.
// Nothing when the path names something that must not be replaced.
std::optional<QByteArray> replacedFile(const QByteArray& path)
{
    struct stat link;
    if (::lstat(path.constData(), &link) != 0)
        return errno == ENOENT ? std::optional<QByteArray>(path) : std::nullopt;
    if (S_ISREG(link.st_mode))
        return path;
    if (!S_ISLNK(link.st_mode))
        return std::nullopt;
    struct stat target;
    if (::stat(path.constData(), &target) != 0 || !S_ISREG(target.st_mode))
        return std::nullopt;
    char resolved[PATH_MAX];
    if (!::realpath(path.constData(), resolved))
        return std::nullopt;
    return QByteArray(resolved);
}

mode_t permissionsFor(const QByteArray& path)
{
    struct stat info;
    if (::stat(path.constData(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArray(".");
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

} // namespace

bool FileReplacer::writeAll(int fd, const QByteArray& bytes) const
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = m_calls.write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    if (m_calls.fsync(fd) != 0)
        return false;
    // What the file system holds, not what the calls said: a short file never
    // replaces a complete one.
    struct stat info;
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size == bytes.size();
}

bool FileReplacer::replace(const QString& path, const QByteArray& bytes) const
{
    const std::optional<QByteArray> target = replacedFile(nativeName(path));
    if (!target)
        return false;
    QByteArray temporary = *target + ".XXXXXX";
    const int fd = m_calls.create(temporary.data());
    if (fd < 0)
        return false;
    // mkstemp makes the file readable by its owner only: a replaced file keeps its own
    // permissions, a new one gets those any new file of the user gets.
    ::fchmod(fd, permissionsFor(*target));
    const bool written = writeAll(fd, bytes);
    const bool closed = m_calls.close(fd) == 0;
    if (!written || !closed || m_calls.rename(temporary.constData(), target->constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    return syncFolderOf(*target);
}

bool FileReplacer::create(const QString& path, const QByteArray& bytes) const
{
    const QByteArray name = nativeName(path);
    if (name.isEmpty())
        return false;
    const int fd = m_calls.createNew(name.constData(), permissionsFor(name));
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes);
    const bool closed = m_calls.close(fd) == 0;
    if (written && closed && syncFolderOf(name))
        return true;
    ::unlink(name.constData());
    return false;
}

bool FileReplacer::syncFolderOf(const QByteArray& path) const
{
    // A new name lasts only once the folder is synced; a file system that
    // cannot sync a folder says so with EINVAL and keeps it anyway.
    const int folder = ::open(folderOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return false;
    const bool synced = m_calls.fsync(folder) == 0 || errno == EINVAL;
    ::close(folder);
    return synced;
}

} // namespace ruvo

#include "platform/native_file.h"

#include "platform/native_name.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace ruvo {

bool openForReading(QFile& file, const QString& path)
{
    if (path.isEmpty()) {
        errno = ENOENT;
        return false;
    }
    const int fd = ::open(nativeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return false;
    }
    // Non-blocking only mattered while the kind of file was unknown.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        errno = EIO;
        return false;
    }
    return true;
}

std::optional<struct stat> statusOf(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    struct stat info;
    if (::stat(nativeName(path).constData(), &info) != 0)
        return std::nullopt;
    return info;
}

namespace {

ReadFault faultOfError(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ReadFault::Missing;
    case EACCES:
    case EPERM:
        return ReadFault::NoPermission;
    case ENAMETOOLONG:
        return ReadFault::NameTooLong;
    default:
        return ReadFault::Failed;
    }
}

} // namespace

ReadFault readFaultOf(const QString& path)
{
    if (path.isEmpty())
        return ReadFault::Missing;
    const QByteArray name = nativeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0)
        return faultOfError(errno);
    const bool folder = S_ISDIR(info.st_mode);
    if (!folder && !S_ISREG(info.st_mode))
        return ReadFault::NotFileOrFolder;
    // Non-blocking and typed, so that what took the name meanwhile is neither waited on nor
    // taken for what was there.
    const int fd =
        ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (folder ? O_DIRECTORY : 0));
    if (fd < 0)
        return faultOfError(errno);
    ::close(fd);
    return ReadFault::None;
}

} // namespace ruvo

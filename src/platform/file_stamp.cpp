#include "platform/file_stamp.h"

#include "platform/native_file.h"

namespace ruvo {

namespace {

FileStamp stampOf(const struct stat& status)
{
    return {qint64(status.st_size), qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
            quint64(status.st_dev), quint64(status.st_ino)};
}

} // namespace

FileStamp fileStampOf(const QString& path)
{
    const std::optional<struct stat> status = statusOf(path);
    return status ? stampOf(*status) : FileStamp{};
}

FileStamp fileStampOf(int fd)
{
    struct stat status = {};
    return ::fstat(fd, &status) == 0 ? stampOf(status) : FileStamp{};
}

} // namespace ruvo

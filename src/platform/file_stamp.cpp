#include "platform/file_stamp.h"

#include "platform/native_file.h"

namespace ruvo {

FileStamp fileStampOf(const QString& path)
{
    const std::optional<struct stat> status = statusOf(path);
    if (!status)
        return {};
    return {qint64(status->st_size),
            qint64(status->st_mtim.tv_sec) * 1'000'000'000 + status->st_mtim.tv_nsec};
}

} // namespace ruvo

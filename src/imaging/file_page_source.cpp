#include "imaging/file_page_source.h"

#include "platform/native_file.h"

#include <QFile>

#include <cerrno>
#include <cstring>

namespace ruvo {

std::unique_ptr<QIODevice> FilePageSource::open(QString* error) const
{
    auto file = std::make_unique<QFile>();
    if (openForReading(*file, m_path))
        return file;
    if (error)
        *error = errno == ENOENT
                     ? QStringLiteral("file not found")
                     : QStringLiteral("cannot open file: ") + QString::fromLocal8Bit(std::strerror(errno));
    return nullptr;
}

} // namespace ruvo

#include "scratch_file.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <unistd.h>

namespace ruvo::fuzz {

namespace {

QString scratchRoot()
{
    // Memory, not disk: a fuzzer writes the file hundreds of times a second.
    return QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
}

} // namespace

ScratchFile::ScratchFile(const QString& fileName)
{
    QByteArray folder = QFile::encodeName(scratchRoot() + QStringLiteral("/ruvo-fuzz-XXXXXX"));
    if (!::mkdtemp(folder.data()))
        std::abort();
    m_folder = QFile::decodeName(folder);
    m_path = m_folder + QLatin1Char('/') + fileName;
}

ScratchFile::~ScratchFile()
{
    QDir(m_folder).removeRecursively();
}

void ScratchFile::write(const uint8_t* data, size_t size) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    if (file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
}

} // namespace ruvo::fuzz

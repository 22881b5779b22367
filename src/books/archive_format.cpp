#include "books/archive_format.h"

#include "platform/native_file.h"

#include <QFile>

namespace ruvo {

ArchiveFormat archiveFormatOfContent(QByteArrayView head)
{
    // A ZIP starts with a local file header, or, when it holds nothing, with the end of its
    // central directory.
    if (head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06"))
        return ArchiveFormat::Zip;
    // RAR 4 and RAR 5 share the first six bytes of their marks.
    if (head.startsWith("Rar!\x1A\x07"))
        return ArchiveFormat::Rar;
    if (head.startsWith("7z\xBC\xAF\x27\x1C"))
        return ArchiveFormat::SevenZip;
    // POSIX and GNU tar headers carry "ustar" at byte 257.
    if (head.size() >= 262 && head.sliced(257, 5) == QByteArrayView("ustar"))
        return ArchiveFormat::Tar;
    return ArchiveFormat::None;
}

ArchiveFormat archiveFormatOfFile(const QString& path)
{
    QFile file;
    if (!openForReading(file, path))
        return ArchiveFormat::None;
    return archiveFormatOfContent(file.read(archiveSignatureBytes));
}

} // namespace ruvo

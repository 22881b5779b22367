#include "books/archive_format.h"

#include "books/archive_reader.h"
#include "platform/native_file.h"

#include <QFile>
#include <QStringList>

#include <algorithm>

namespace ruvo {

namespace {

bool isCompressedStream(QByteArrayView head)
{
    return head.startsWith("\x1F\x8B") || head.startsWith("BZh") ||
           head.startsWith(QByteArrayView("\xFD"
                                          "7zXZ\x00",
                                          6)) ||
           head.startsWith("\x28\xB5\x2F\xFD");
}

} // namespace

bool hasArchiveExtension(const QString& name)
{
    static const QStringList suffixes{
        QStringLiteral(".cbz"), QStringLiteral(".zip"), QStringLiteral(".cbr"),  QStringLiteral(".rar"),
        QStringLiteral(".cb7"), QStringLiteral(".7z"),  QStringLiteral(".cbt"),  QStringLiteral(".tar"),
        QStringLiteral(".tgz"), QStringLiteral(".gz"),  QStringLiteral(".tbz2"), QStringLiteral(".bz2"),
        QStringLiteral(".txz"), QStringLiteral(".xz"),  QStringLiteral(".tzst"), QStringLiteral(".zst")};
    return std::any_of(suffixes.cbegin(), suffixes.cend(),
                       [&](const QString& suffix) { return name.endsWith(suffix, Qt::CaseInsensitive); });
}

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
    if (isCompressedStream(head))
        return ArchiveFormat::CompressedTar;
    return ArchiveFormat::None;
}

ArchiveFormat archiveFormatOfFile(const QString& path)
{
    QFile file;
    if (!openForReading(file, path))
        return ArchiveFormat::None;
    const ArchiveFormat format = archiveFormatOfContent(file.read(archiveSignatureBytes));
    if (format != ArchiveFormat::CompressedTar)
        return format;
    // What is compressed is told by unpacking the start of it.
    ArchiveReader reader(path);
    return reader.next() == ArchiveReader::Step::Entry && reader.isCompressedTar() ? format
                                                                                   : ArchiveFormat::None;
}

} // namespace ruvo

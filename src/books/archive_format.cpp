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

// The endings of archive books' names, a tar compressed as a whole by both of its names, and
// a PDF book's. An
// ending that ends another comes after it, so that ".tar.gz" is found before ".gz".
const QStringList& archiveSuffixes()
{
    static const QStringList suffixes{
        QStringLiteral(".tar.bz2"), QStringLiteral(".tar.zst"), QStringLiteral(".tar.gz"),
        QStringLiteral(".tar.xz"),  QStringLiteral(".tbz2"),    QStringLiteral(".tzst"),
        QStringLiteral(".cbz"),     QStringLiteral(".zip"),     QStringLiteral(".cbr"),
        QStringLiteral(".rar"),     QStringLiteral(".cb7"),     QStringLiteral(".cbt"),
        QStringLiteral(".tar"),     QStringLiteral(".tgz"),     QStringLiteral(".bz2"),
        QStringLiteral(".txz"),     QStringLiteral(".zst"),     QStringLiteral(".7z"),
        QStringLiteral(".gz"),      QStringLiteral(".xz"),      QStringLiteral(".pdf")};
    return suffixes;
}

qsizetype archiveSuffixLength(const QString& name)
{
    const QStringList& suffixes = archiveSuffixes();
    const auto found = std::find_if(suffixes.cbegin(), suffixes.cend(), [&](const QString& suffix) {
        return name.endsWith(suffix, Qt::CaseInsensitive);
    });
    return found == suffixes.cend() ? 0 : found->size();
}

} // namespace

bool hasArchiveExtension(const QString& name)
{
    return archiveSuffixLength(name) > 0;
}

QString withoutArchiveExtension(const QString& name)
{
    const qsizetype suffix = archiveSuffixLength(name);
    return suffix < name.size() ? name.chopped(suffix) : name;
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

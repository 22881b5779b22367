#pragma once

#include <QByteArrayView>
#include <QString>

namespace ruvo {

// The archive formats a book may come in, told by their first bytes, never by the name.
enum class ArchiveFormat
{
    None,
    Zip,
    Rar,
    SevenZip,
    Tar,
    // A tar compressed as a whole with gzip, bzip2, xz or zstd. Its first bytes only tell the
    // compression: what is compressed is told by reading its first entry.
    CompressedTar
};

// How many of a file's first bytes archiveFormatOfContent() looks at.
inline constexpr int archiveSignatureBytes = 265;

// The format the first bytes tell; CompressedTar for any stream those compressions make.
ArchiveFormat archiveFormatOfContent(QByteArrayView head);

// The format of the regular file at path (native bytes kept); None for anything else,
// a folder, a FIFO, a file that cannot be read, or a compressed file that holds no tar
// among them.
ArchiveFormat archiveFormatOfFile(const QString& path);

// Whether the name ends as archive books' names do (".cbz", ".rar", ".tar.gz" and the like)
// or a PDF book's (".pdf"), compared without regard to case. It tells nothing of what the file holds: only
// how to speak of a file that turns out to be no archive.
bool hasArchiveExtension(const QString& name);

// The name without the ending hasArchiveExtension() knows it by (both parts of ".tar.gz"), as
// a reader would call the book: "Vol01" for "Vol01.cbz". A name with no such ending, or with
// nothing before it, stays whole.
QString withoutArchiveExtension(const QString& name);

} // namespace ruvo

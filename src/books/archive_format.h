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
    Tar
};

// How many of a file's first bytes archiveFormatOfContent() looks at.
inline constexpr int archiveSignatureBytes = 265;

ArchiveFormat archiveFormatOfContent(QByteArrayView head);

// The format of the regular file at path (native bytes kept); None for anything else,
// a folder, a FIFO or a file that cannot be read among them.
ArchiveFormat archiveFormatOfFile(const QString& path);

} // namespace ruvo

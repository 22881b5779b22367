#pragma once

#include <QByteArrayView>
#include <QString>

namespace ruvo {

// How many of a file's first bytes may come before a PDF's "%PDF-" header.
inline constexpr int pdfSignatureBytes = 1024;

// Whether the first bytes are a PDF's: "%PDF-" among its first pdfSignatureBytes bytes.
bool isPdfContent(QByteArrayView head);

// Whether the regular file at path is a PDF, told by its content, never by its name. False
// for a folder, a FIFO or a file that cannot be read.
bool isPdfFile(const QString& path);

} // namespace ruvo

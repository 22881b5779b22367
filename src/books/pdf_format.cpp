#include "books/pdf_format.h"

#include "platform/native_file.h"

#include <QFile>

#include <algorithm>

namespace ruvo {

bool isPdfContent(QByteArrayView head)
{
    return head.first(std::min<qsizetype>(head.size(), pdfSignatureBytes)).indexOf("%PDF-") >= 0;
}

bool isPdfFile(const QString& path)
{
    QFile file;
    return openForReading(file, path) && isPdfContent(file.read(pdfSignatureBytes));
}

} // namespace ruvo

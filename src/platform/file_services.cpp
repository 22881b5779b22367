#include "platform/file_services.h"

#include "platform/code_page.h"

namespace ruvo {

bool FileServices::writeLines(const QString& path, const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return writeFile(path, encodeCodePageText(text));
}

} // namespace ruvo

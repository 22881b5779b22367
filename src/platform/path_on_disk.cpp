#include "platform/path_on_disk.h"

#include "platform/code_page.h"
#include "platform/file_services.h"
#include "platform/native_name.h"

#include <QStringList>

#include <algorithm>

namespace ruvo {

namespace {

bool isAscii(const QString& part)
{
    return std::all_of(part.cbegin(), part.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

QString pathOnDisk(const FileServices& files, const QString& path)
{
    const QStringList parts = path.split(u'/');
    QString found = parts.constFirst();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        const QString prefix = found + u'/';
        // Both forms of a name in ASCII are the same bytes; a name that holds bytes already
        // is them.
        if (isAscii(part) || holdsForeignBytes(part) || files.entryKind(prefix + part)) {
            found = prefix + part;
            continue;
        }
        const std::optional<QByteArray> legacy = encodeCodePageStrictly(part);
        if (legacy && files.entryKind(prefix + nameFromNative(*legacy))) {
            found = prefix + nameFromNative(*legacy);
            continue;
        }
        return found + u'/' + QStringList(parts.mid(i)).join(u'/');
    }
    return found;
}

} // namespace ruvo

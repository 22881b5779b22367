#include "books/member_paths.h"

#include "imaging/picture_formats.h"

#include <QStringList>

namespace ruvo {

bool isTrustedMemberPath(const QString& path)
{
    if (path.isEmpty() || path.startsWith(u'/') || path.startsWith(u'\\'))
        return false;
    // A drive letter is as absolute as a leading separator, on the systems that write one.
    if (path.size() >= 2 && path.at(1) == u':')
        return false;
    const QStringList parts = QString(path).replace(u'\\', u'/').split(u'/');
    return !parts.contains(QStringLiteral(".."));
}

QString listedMemberPath(const QString& path)
{
    if (isTrustedMemberPath(path))
        return path;
    QString rest = QString(path).replace(u'\\', u'/');
    if (rest.size() >= 2 && rest.at(1) == u':')
        rest.remove(0, 2);
    QStringList kept;
    for (const QString& part : rest.split(u'/')) {
        if (!part.isEmpty() && part != u'.' && part != QStringLiteral(".."))
            kept.append(part);
    }
    return kept.join(u'/');
}

bool isPageMember(const QString& path)
{
    if (!isTrustedMemberPath(path) || path.endsWith(u'/'))
        return false;
    if (path.startsWith(QStringLiteral("__MACOSX/")))
        return false;
    // Hidden files, and whatever lies in a hidden folder (a thumbnail cache, an editor's
    // leftovers), are no pages; a part that is "." is the folder itself.
    const QStringList parts = QString(path).replace(u'\\', u'/').split(u'/');
    for (const QString& part : parts) {
        if (part.startsWith(u'.') && part != u'.')
            return false;
    }
    return archivePictureFormatOfName(parts.last()) != nullptr;
}

} // namespace ruvo

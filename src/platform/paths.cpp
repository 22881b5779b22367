#include "platform/paths.h"

namespace ruvo {

bool isRootPath(const QString& path)
{
    return path.size() == 1 && path.front() == pathSeparator;
}

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.endsWith(pathSeparator))
        return folder + name;
    return folder + pathSeparator + name;
}

QString withoutTrailingSeparator(const QString& path)
{
    if (path.endsWith(pathSeparator))
        return path.chopped(1);
    return path;
}

QString folderPathForm(const QString& path)
{
    if (isRootPath(path))
        return path;
    return withoutTrailingSeparator(path);
}

QString fileNameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(pathSeparator) + 1);
}

QString folderOf(const QString& path)
{
    const qsizetype at = path.lastIndexOf(pathSeparator);
    if (at < 0)
        return QString();
    if (at == 0)
        return QString(pathSeparator);
    return path.left(at);
}

} // namespace ruvo

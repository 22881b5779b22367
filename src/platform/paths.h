#pragma once

#include <QChar>
#include <QString>

namespace ruvo {

// The one place that knows the path separator and the rules around roots: a
// folder path never ends in a separator except a root, and joining to a root
// does not double the separator.
inline constexpr QChar pathSeparator = u'/';

bool isRootPath(const QString& path);
QString joinPath(const QString& folder, const QString& name);
// Drops one trailing separator; the root itself becomes "".
QString withoutTrailingSeparator(const QString& path);
// Drops one trailing separator unless the path is the root.
QString folderPathForm(const QString& path);
QString fileNameOf(const QString& path);
QString folderOf(const QString& path);

} // namespace ruvo

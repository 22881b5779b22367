#pragma once

#include <QString>
#include <QStringList>

namespace ruvo {

// Whether the name or path ends in one of the page image extensions of a folder book,
// compared without regard to case.
bool hasPageExtension(const QString& nameOrPath);

// Sorts page names (or members' paths) into reading order: by the names the reader reads
// (a name in code page 932 bytes as its Japanese), without regard to case.
void sortPageNames(QStringList& names);

} // namespace ruvo

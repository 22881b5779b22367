#pragma once

#include "imaging/picture_formats.h"

#include <QString>
#include <QStringList>

namespace ruvo {

// Whether the name or path ends in one of the extensions of the formats given, compared
// without regard to case.
bool hasPageExtension(const QString& nameOrPath, PageFormats formats);

// How names are put in order.
enum class NameOrder
{
    // Character by character, without regard to case.
    Characters,
    // The same, but a run of digits (full-width ones too) against another is compared by the
    // number it makes: p2 before p10, 第2話 before 第10話. Names whose numbers are alike
    // keep the character order among themselves (p01 before p1).
    Numbers
};

// Sorts page names (or members' paths) into reading order: by the names the reader reads
// (a name in code page 932 bytes as its Japanese), in the order given.
void sortPageNames(QStringList& names, NameOrder order);

} // namespace ruvo

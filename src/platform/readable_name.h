#pragma once

#include <QString>

namespace ruvo {

// The name as a reader should see it: each part of a path that is not UTF-8 is read as
// code page 932 where it is valid there, otherwise its stray bytes show as U+FFFD; a control
// character (a line break, a tab) shows as its visible mark (U+2400 to U+2421).
QString readableName(const QString& name);

} // namespace ruvo

#pragma once

#include "imaging/picture_formats.h"

#include <QString>
#include <QStringList>

namespace ruvo {

// What the drop-help window lists as accepted drops, one entry a line.
QStringList dropHelpLines(PageFormats formats);

} // namespace ruvo

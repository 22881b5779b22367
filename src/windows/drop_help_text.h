#pragma once

#include <QString>
#include <QStringList>

namespace ruvo {

// What the drop-help window lists as accepted drops, one entry a line.
QStringList dropHelpLines();

} // namespace ruvo

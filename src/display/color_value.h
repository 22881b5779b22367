#pragma once

#include <QColor>

namespace ruvo {

// Colours are kept as red + 256 * green + 65536 * blue at the program's edges
// (settings, swatches); QColor inside the windows.
QColor colorFromValue(int value);
int colorValue(const QColor& color);

} // namespace ruvo

#pragma once

#include <QString>

namespace ruvo {

// The program's texts break lines with carriage returns (alone or before a
// line feed); the toolkit's labels and message boxes break them with line feeds.
QString withLineBreaks(QString text);

} // namespace ruvo

#pragma once

#include <QFont>
#include <QString>

namespace ruvo {

// The font a window names for its text, with the Japanese Gothic faces that
// stand in for it where it is not installed.
QFont namedFont(const QString& family, const QFont& base = QFont());

} // namespace ruvo

#pragma once

#include <QString>

namespace ruvo::EmptyAreaText {

// What the viewing area says while no book is open: how to open one.
QString noBook();

// What it says when the folder opened holds no page: that, naming the folder, then how to
// open another.
QString noPages(const QString& folder);

} // namespace ruvo::EmptyAreaText

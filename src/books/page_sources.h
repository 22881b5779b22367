#pragma once

#include "imaging/page_source.h"

#include <QString>
#include <memory>

namespace ruvo {

// Where the page at path is read from: a member of an archive when the path goes on inside
// an archive file, the file itself otherwise. The archive is opened for this page alone;
// the program reads its books' pages through ArchiveBooks.
std::unique_ptr<PageSource> pageSourceOf(const QString& path);

} // namespace ruvo

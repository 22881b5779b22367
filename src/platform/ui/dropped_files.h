#pragma once

#include <QStringList>

class QMimeData;

namespace ruvo {

// The local files a drop carries, in the order the file manager gave them;
// empty for a drop without a file list (text, say).
QStringList droppedFiles(const QMimeData* data);

} // namespace ruvo

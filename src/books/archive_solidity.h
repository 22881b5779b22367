#pragma once

#include <QByteArrayView>
#include <QString>

namespace ruvo {

// Whether an archive is solid: its members compressed as one stream, so that reaching one
// means unpacking every member before it. A 7z archive is taken as solid (its writers make
// it so unless told otherwise), and so is a tar compressed as a whole; a RAR says so in its
// headers; ZIP and plain tar never are.
bool isSolidArchiveContent(QByteArrayView head);
bool isSolidArchive(const QString& path);

} // namespace ruvo

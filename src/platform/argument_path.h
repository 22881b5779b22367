#pragma once

#include <QString>
#include <QUrl>

namespace ruvo {

// The path a command-line text names. File managers hand a file over as a path
// or, some of them, as a file URI ("file:///home/me/My%20Book"): a file URI of
// this machine becomes its decoded path; a URI of any other kind, or of another
// host, names nothing that can be opened here and gives ""; any other text is a
// path and stays as it is (a relative one is resolved where the program started).
QString pathOfArgument(const QString& text);
// The path of a file URI of this machine, its bytes kept exactly even where they are not
// UTF-8; "" for a URI of another kind or host.
QString pathOfFileUrl(const QUrl& url);

} // namespace ruvo

#include "platform/ui/dropped_files.h"

#include "platform/native_name.h"

#include <QMimeData>
#include <QUrl>

namespace ruvo {

namespace {

// QUrl replaces percent-encoded bytes that are not UTF-8; a file named in another
// encoding keeps its exact bytes.
QString localPathOf(const QUrl& url)
{
    const bool onThisMachine = url.host().isEmpty() || url.host() == QLatin1String("localhost");
    if (onThisMachine) {
        const QString exact =
            nameFromNative(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
        if (holdsForeignBytes(exact))
            return exact;
    }
    return url.toLocalFile();
}

} // namespace

QStringList droppedFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths.append(localPathOf(url));
    }
    return paths;
}

} // namespace ruvo

#include "platform/ui/dropped_files.h"

#include <QMimeData>
#include <QUrl>

namespace ruvo {

QStringList droppedFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace ruvo

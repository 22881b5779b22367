#include "platform/ui/dropped_files.h"

#include "platform/argument_path.h"

#include <QMimeData>
#include <QUrl>

namespace ruvo {

QStringList droppedFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        const QString path = pathOfFileUrl(url);
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

} // namespace ruvo

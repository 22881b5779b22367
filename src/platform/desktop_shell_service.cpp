#include "platform/desktop_shell_service.h"

#include <QDesktopServices>
#include <QUrl>

namespace ruvo {

bool DesktopShellService::showFolder(const QString& folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

bool DesktopShellService::open(const QString& target)
{
    const QUrl url = QUrl::fromUserInput(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace ruvo

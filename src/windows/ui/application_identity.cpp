#include "windows/ui/application_identity.h"

#include <QApplication>

using namespace Qt::StringLiterals;

// At global scope, as the resource system needs: the icon lives in a static
// library, and nothing else would pull its resource in.
static void loadDesktopResources()
{
    Q_INIT_RESOURCE(desktop);
}

namespace ruvo {

QIcon applicationIcon()
{
    loadDesktopResources();
    return QIcon(u":/app/ruvo.svg"_s);
}

void applyApplicationIdentity()
{
    QApplication::setApplicationName(u"Ruvo"_s);
    QApplication::setOrganizationName(u"Dudado"_s);
    QApplication::setDesktopFileName(QStringLiteral(RUVO_APP_ID));
}

void applyApplicationIcon()
{
    QApplication::setWindowIcon(applicationIcon());
}

} // namespace ruvo

#include "platform/ui/window_show_state.h"

#include "common/twips.h"

#include <QWidget>

namespace ruvo {

int windowShowStateOf(Qt::WindowStates states)
{
    if (states & Qt::WindowMinimized)
        return WindowShowState::Minimized;
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return WindowShowState::Maximized;
    return WindowShowState::Normal;
}

WindowGeometry windowGeometryOf(const QWidget& window)
{
    WindowGeometry geometry;
    geometry.state = windowShowStateOf(window.windowState());
    geometry.visible = window.isVisible();
    geometry.left = toTwips(window.x());
    geometry.top = toTwips(window.y());
    geometry.width = toTwips(window.width());
    geometry.height = toTwips(window.height());
    geometry.clientWidth = geometry.width;
    geometry.clientHeight = geometry.height;
    return geometry;
}

} // namespace ruvo

#include "platform/ui/window_show_state.h"

#include "viewer/window_state.h"

namespace ruvo {

int windowShowStateOf(Qt::WindowStates states)
{
    if (states & Qt::WindowMinimized)
        return WindowShowState::Minimized;
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return WindowShowState::Maximized;
    return WindowShowState::Normal;
}

} // namespace ruvo

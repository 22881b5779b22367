#pragma once

#include <QString>

namespace ruvo {

namespace WindowShowState {
constexpr int Normal = 0;
constexpr int Minimized = 1;
constexpr int Maximized = 2;
} // namespace WindowShowState

// A top-level window as its logic sees it: outer position and size and inner
// (scale) size in twips, show state and caption.
struct WindowState
{
    QString caption;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int scaleWidth = 0;
    int scaleHeight = 0;
    int state = WindowShowState::Normal;
};

// What a window's view reports of itself: its show state, whether it is on
// screen, its outer position and size in twips, and its inner size in the
// unit its logic measures in.
struct WindowGeometry
{
    int state = WindowShowState::Normal;
    bool visible = false;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int clientWidth = 0;
    int clientHeight = 0;
};

} // namespace ruvo

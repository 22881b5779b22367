#pragma once

#include <QtGlobal>

namespace ruvo {

// Automatic scrolling moves the frame up by a step each tick until its bottom
// has passed the bottom of the viewing area, then back down until its top has
// come below the area's top, and so on.
struct AutoScroll
{
    qint32 position = 0;    // the top the next tick gives the frame
    bool returning = false; // while the frame moves back down
};

// One tick: returns the frame's new top. The turn-back position is where the
// way down ends; it is 0 in every state the window can reach.
double autoScrollTick(AutoScroll& scroll, int step, int range, int turnBack = 0);

} // namespace ruvo

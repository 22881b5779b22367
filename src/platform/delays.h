#pragma once

namespace ruvo {

// Timer intervals of the program's windows, in milliseconds. Tests inject zeros
// so that nothing waits on real time.
struct Delays
{
    int splash = 100;
    int modeNotice = 500;
    int dropHelp = 2000;
    int panRepeat = 300;
    // Automatic scrolling runs "as fast as the timer ticks": a desktop timer's
    // real resolution.
    int scrollTick = 16;
};

} // namespace ruvo

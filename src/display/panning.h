#pragma once

namespace ruvo {

// One step of panning: the frame moves so that the pressed point (in frame
// twips) comes to the middle of the viewing area, never opening a gap at the
// right or bottom edge. Which coordinates change depends on how the frame
// compares with the area.
struct PanStep
{
    bool setLeft = false;
    bool setTop = false;
    double left = 0;
    double top = 0;
};

struct PanFrame
{
    double areaWidth = 0;
    double areaHeight = 0;
    double frameLeft = 0;
    double frameWidth = 0;
    double frameHeight = 0;
};

PanStep panStep(const PanFrame& frame, double pressX, double pressY);

} // namespace ruvo

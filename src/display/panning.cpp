#include "display/panning.h"

#include "common/number_text.h"

namespace ruvo {

PanStep panStep(const PanFrame& f, double pressX, double pressY)
{
    const double v = f.areaWidth;
    const double u = f.areaHeight;
    const double w = f.frameWidth;
    const double h = f.frameHeight;
    int left = roundHalfEven(v / 2 - pressX);
    int top = roundHalfEven(u / 2 - pressY);
    if (left > 0)
        left = 0;
    if (top > 0)
        top = 0;
    if (u - h > top)
        top = roundHalfEven(u - h);
    if (v - w > left)
        left = roundHalfEven(v - w);

    const bool narrower = w < v;
    const bool shorter = h < u;
    const bool sticksOut = f.frameLeft < 0 || v - w < f.frameLeft;
    PanStep step;
    step.left = left;
    step.top = top;
    if (narrower && shorter) {
        step.setLeft = step.setTop = sticksOut;
    } else if (narrower) {
        step.setLeft = sticksOut;
        step.setTop = true;
    } else if (shorter) {
        step.setLeft = true;
    } else {
        step.setLeft = step.setTop = true;
    }
    return step;
}

} // namespace ruvo

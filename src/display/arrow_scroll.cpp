#include "display/arrow_scroll.h"

namespace ruvo {

namespace {
constexpr float snapMargin = 600;
constexpr double moveStep = 300;

// Positions are single-precision values: compare them as such.
float single(double value)
{
    return static_cast<float>(value);
}
} // namespace

double scrollUp(double top)
{
    if (single(top) + snapMargin > 0)
        return 0;
    return top + moveStep + moveStep;
}

double scrollDown(double top, double frameHeight, double areaHeight)
{
    const double bottom = areaHeight - frameHeight;
    if (single(bottom) > single(top) - snapMargin)
        return bottom;
    return top - moveStep - moveStep;
}

double scrollLeft(double left, double frameWidth, double areaWidth)
{
    if (!(frameWidth > areaWidth))
        return left;
    if (single(left) + snapMargin > 0)
        return 0;
    return left + moveStep + moveStep;
}

double scrollRight(double left, double frameWidth, double areaWidth)
{
    const double rightEdge = areaWidth - frameWidth;
    if (single(rightEdge) > single(left) - snapMargin)
        return rightEdge;
    return left - moveStep - moveStep;
}

} // namespace ruvo

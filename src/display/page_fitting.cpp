#include "display/page_fitting.h"

#include "common/number_text.h"

#include <algorithm>

namespace ruvo {

FrameFit fitSpread(QSizeF firstPage, QSizeF secondPage, QSizeF area)
{
    const int height = roundHalfEven(std::max(firstPage.height(), secondPage.height()));
    const int width = roundHalfEven(secondPage.width() + firstPage.width());
    int top = 0;
    if (area.height() > height) {
        const int gap = roundHalfEven(area.height() - height);
        top = roundHalfEven(gap / 2.0);
    }
    FrameFit fit;
    fit.width = secondPage.width() + firstPage.width();
    fit.height = height;
    fit.top = top;
    if (fit.width >= area.width()) {
        fit.left = area.width() - width;
    } else {
        const int spare = roundHalfEven(area.width() - width);
        const int half = roundHalfEven(spare / 2.0);
        fit.left = area.width() - width - half;
    }
    fit.scrollRange = roundHalfEven(fit.height - area.height());
    return fit;
}

FrameFit fitSinglePage(QSizeF page, QSizeF area)
{
    const double w = page.width();
    const double h = page.height();
    const double v = area.width();
    const double u = area.height();
    FrameFit fit;
    fit.width = w;
    fit.height = h;
    fit.left = w >= v ? v - w : roundHalfEven(v - w) / 2.0;
    if (w >= v)
        fit.top = h >= u ? 0 : roundHalfEven(u - h) / 2.0;
    else
        fit.top = h > u ? 0 : roundHalfEven(u - h) / 2.0;
    fit.scrollRange = roundHalfEven(h - u);
    return fit;
}

QPointF placementPosition(Placement placement, QSizeF frame, QSizeF area)
{
    const double right = area.width() - frame.width();
    const double bottom = area.height() - frame.height();
    switch (placement) {
    case Placement::UpperRight:
        return {right, 0};
    case Placement::LowerRight:
        return {right, bottom};
    case Placement::Centre:
        return {right / 2, bottom / 2};
    case Placement::UpperLeft:
        return {0, 0};
    case Placement::LowerLeft:
        return {0, bottom};
    }
    return {};
}

} // namespace ruvo

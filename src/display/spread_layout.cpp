#include "display/spread_layout.h"

namespace ruvo {

namespace {

// A page not there (a size never set) is a page of no size.
SpreadPages known(const SpreadPages& pages)
{
    const auto orNone = [](QSizeF size) { return size.isValid() ? size : QSizeF(0, 0); };
    return SpreadPages{orNone(pages.first), orNone(pages.second)};
}

// Where a box from left over width goes when what holds it, width across, is turned over.
double mirrored(double left, double width, double across)
{
    return across - left - width;
}

} // namespace

FrameLayout layOutFrame(const SpreadPages& spread, QSizeF area, ReadingDirection direction)
{
    const SpreadPages pages = known(spread);
    FrameLayout layout;
    layout.second = QPointF(0, 0);
    layout.first = QPointF(pages.second.width(), 0);
    layout.frame = fitSpread(pages.first, pages.second, area);
    if (direction == ReadingDirection::LeftToRight) {
        FrameFit& frame = layout.frame;
        layout.first.setX(mirrored(layout.first.x(), pages.first.width(), frame.width));
        layout.second.setX(mirrored(layout.second.x(), pages.second.width(), frame.width));
        frame.left = mirrored(frame.left, frame.width, area.width());
    }
    return layout;
}

StretchedLayout layOutStretched(const SpreadPages& spread, QSizeF area, bool wholeArea,
                                const SpreadPages& before, ReadingDirection direction)
{
    const SpreadPages pages = known(spread);
    StretchedLayout layout;
    layout.first = stretchFirstPage(pages.first, area, wholeArea, before.first);
    // A page alone has no second beside it.
    if (!wholeArea && !pages.second.isEmpty())
        layout.second = stretchSecondPage(pages.second, area, before.second);
    if (direction == ReadingDirection::LeftToRight) {
        for (StretchedImage* image : {&layout.first, &layout.second})
            image->left = mirrored(image->left, image->width, area.width());
    }
    return layout;
}

} // namespace ruvo

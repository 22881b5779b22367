#include "display/spread_layout.h"

namespace ruvo {

namespace {

// A page not there (a size never set) is a page of no size.
SpreadPages known(const SpreadPages& pages)
{
    const auto orNone = [](QSizeF size) { return size.isValid() ? size : QSizeF(0, 0); };
    return SpreadPages{orNone(pages.first), orNone(pages.second)};
}

} // namespace

FrameLayout layOutFrame(const SpreadPages& spread, QSizeF area)
{
    const SpreadPages pages = known(spread);
    FrameLayout layout;
    layout.second = QPointF(0, 0);
    layout.first = QPointF(pages.second.width(), 0);
    layout.frame = fitSpread(pages.first, pages.second, area);
    return layout;
}

StretchedLayout layOutStretched(const SpreadPages& spread, QSizeF area, bool wholeArea,
                                const SpreadPages& before)
{
    const SpreadPages pages = known(spread);
    StretchedLayout layout;
    layout.first = stretchFirstPage(pages.first, area, wholeArea, before.first);
    // A page alone has no second beside it.
    if (!wholeArea && !pages.second.isEmpty())
        layout.second = stretchSecondPage(pages.second, area, before.second);
    return layout;
}

} // namespace ruvo

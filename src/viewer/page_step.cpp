#include "viewer/page_step.h"

#include <algorithm>

namespace ruvo {

int stepForward(int pageIndex, int pageCount)
{
    return std::min(pageIndex + 1, pageCount - 1);
}

int stepBackward(int pageIndex, int pageCount, bool onePageMode, bool lastPageShownAlone)
{
    int index;
    if (!lastPageShownAlone) {
        index = pageIndex - (onePageMode ? 1 : 3);
    } else if (pageCount == 2) {
        index = pageIndex - 1;
    } else if (pageCount == 3) {
        index = pageIndex - 2;
    } else if (pageIndex != pageCount - 1) {
        index = pageIndex - 3;
    } else {
        index = pageIndex - 2;
    }
    // Never before the first page, also for a one-page book in two-page mode.
    return std::max(index, 0);
}

} // namespace ruvo

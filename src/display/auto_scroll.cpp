#include "display/auto_scroll.h"

namespace ruvo {

double autoScrollTick(AutoScroll& scroll, int step, int range, int turnBack)
{
    double top = 0;
    if (!scroll.returning) {
        top = scroll.position;
        scroll.position -= step;
        if (scroll.position < -range)
            scroll.returning = true;
    }
    if (scroll.returning) {
        top = scroll.position;
        scroll.position += step;
        if (top > -turnBack) {
            scroll.returning = false;
            scroll.position = -turnBack;
        }
    }
    return top;
}

} // namespace ruvo

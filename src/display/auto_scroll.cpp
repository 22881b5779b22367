#include "display/auto_scroll.h"

namespace ruvo {

double autoScrollTick(AutoScroll& scroll, int step, int range, int turnBack)
{
    double top = 0;
    if (scroll.returning == 0) {
        top = scroll.position;
        scroll.position -= step;
        if (scroll.position < -range)
            scroll.returning = 1;
    }
    if (scroll.returning == 1) {
        top = scroll.position;
        scroll.position += step;
        if (top > -turnBack) {
            scroll.returning = 0;
            scroll.position = -turnBack;
        }
    }
    return top;
}

} // namespace ruvo

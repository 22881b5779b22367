#include "commands/command_availability.h"

namespace ruvo {

Availability evaluateAvailability(const AvailabilityInput& in)
{
    Availability out;
    out.endCheckArmed = in.endCheckArmed;
    // Registering needs a page on screen: a folder without pages has none to register.
    out.registerEnabled = in.pageIndex >= 0 && in.pageCount > 0;
    const int n = in.pageCount;
    const int i = in.pageIndex;

    // Later rules override earlier ones.
    if (in.onePageMode) {
        out.nextEnabled = i < n - 1;
        out.previousEnabled = i < n;
        if (i == n)
            out.nextEnabled = false;
        if (i == 0)
            out.previousEnabled = false;
        return out;
    }

    if (i >= n - 1 && in.endCheckArmed) {
        out.nextEnabled = false;
        out.endCheckArmed = false;
    } else {
        out.nextEnabled = true;
    }
    out.previousEnabled = i < n;
    if (i == n - 1 && in.spreadShown)
        out.nextEnabled = false;
    if (i < 2)
        out.previousEnabled = false;
    if (i == n - 1)
        out.nextEnabled = false;
    if (i == n - 1 && n == 2)
        out.previousEnabled = true;
    if (n < 1) {
        out.nextEnabled = false;
        out.previousEnabled = false;
    }
    return out;
}

} // namespace ruvo

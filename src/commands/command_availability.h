#pragma once

#include <QtGlobal>

namespace ruvo {

struct AvailabilityInput
{
    int pageIndex = 0;
    int pageCount = 0;
    bool endCheckArmed = false;
    // Two pages are on screen.
    bool spreadShown = false;
    bool onePageMode = false;
};

struct Availability
{
    bool registerEnabled = false;
    bool nextEnabled = false;
    bool previousEnabled = false;
    // The end check is used up once it has disabled the next-page commands.
    bool endCheckArmed = false;
};

// Which of register, next and previous the position in the book allows. In
// two-page mode the index is that of the second page of the spread on screen.
Availability evaluateAvailability(const AvailabilityInput& input);

} // namespace ruvo

#pragma once

#include "imaging/picture_decoder.h"

#include <chrono>
#include <memory>

namespace ruvo {

// The spare core kept idle for the length of a piece of work that runs threads of its own, a
// library's that cannot be handed the spare core itself: the work may then use two threads, the
// caller's and the one the spare core would have run, and never more. The spare core is only
// counted on when it takes up the hold within a short wait; one that is busy takes it up later,
// if ever, and lets go at once.
class SpareHold
{
public:
    // Offers the hold to the spare core (none: nothing is offered).
    explicit SpareHold(const SpareCore& spare);
    // Lets go of the spare core.
    ~SpareHold();
    SpareHold(const SpareHold&) = delete;
    SpareHold& operator=(const SpareHold&) = delete;

    // Whether the spare core holds, waiting up to wait for it to take up the hold; once this
    // has answered false, the spare core never holds.
    bool held(std::chrono::microseconds wait);

private:
    struct State;
    std::shared_ptr<State> m_state;
};

} // namespace ruvo

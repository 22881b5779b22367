#pragma once

namespace ruvo {

// Where a wheel event falls in a touchpad gesture (momentum after the lift
// counts as part of it); a mouse wheel has none.
enum class WheelPhase
{
    None,
    Begin,
    Update,
    End
};

// Turns wheel deltas (eighths of a degree, 120 to a mouse notch, positive
// away from the user) into whole steps. A mouse notch is one step; a
// touchpad's small deltas add up until they make one. Where each step turns a
// page, one touchpad gesture gives at most one step, however far it goes, and
// none once it has stepped another way (scrolled a page, say).
class WheelSteps
{
public:
    static constexpr int notch = 120;

    // Positive steps are upwards.
    int take(int angleDelta, WheelPhase phase, bool onePerGesture);

private:
    int m_pending = 0;
    bool m_gestureStepped = false;
};

} // namespace ruvo

#include "display/wheel_steps.h"

namespace ruvo {

int WheelSteps::take(int angleDelta, WheelPhase phase, bool onePerGesture)
{
    // The momentum that may follow a gesture's end belongs to that gesture:
    // only a new gesture may step again.
    if (phase == WheelPhase::Begin)
        m_gestureStepped = false;
    if (phase == WheelPhase::Begin || phase == WheelPhase::End) {
        m_pending = 0;
        if (phase == WheelPhase::End)
            return 0;
    }
    // A reversed direction starts over rather than cancelling what was gathered.
    if ((m_pending > 0 && angleDelta < 0) || (m_pending < 0 && angleDelta > 0))
        m_pending = 0;
    m_pending += angleDelta;
    int steps = m_pending / notch;
    m_pending -= steps * notch;
    const bool inGesture = phase != WheelPhase::None;
    if (!inGesture || steps == 0)
        return steps;
    // A gesture that has stepped already, by whatever steps, gives no step that must be
    // its only one.
    if (onePerGesture) {
        if (m_gestureStepped)
            return 0;
        m_gestureStepped = true;
        m_pending = 0;
        return steps > 0 ? 1 : -1;
    }
    m_gestureStepped = true;
    return steps;
}

} // namespace ruvo

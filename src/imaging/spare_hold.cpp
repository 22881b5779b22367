#include "imaging/spare_hold.h"

#include <atomic>
#include <thread>

namespace ruvo {

namespace {

enum Hold : int
{
    Offered,
    Holding,
    LetGo
};

} // namespace

struct SpareHold::State
{
    std::atomic<int> hold{Offered};
    // A spare core that runs its work at once on the caller's own thread has no thread to
    // spare: holding there would wait for itself.
    const std::thread::id caller = std::this_thread::get_id();
};

SpareHold::SpareHold(const SpareCore& spare)
{
    if (!spare)
        return;
    m_state = std::make_shared<State>();
    spare([state = m_state] {
        int expected = Offered;
        if (std::this_thread::get_id() == state->caller ||
            !state->hold.compare_exchange_strong(expected, Holding))
            return;
        state->hold.wait(Holding);
    });
}

SpareHold::~SpareHold()
{
    if (!m_state)
        return;
    m_state->hold.store(LetGo);
    m_state->hold.notify_all();
}

bool SpareHold::held(std::chrono::microseconds wait)
{
    if (!m_state)
        return false;
    const auto until = std::chrono::steady_clock::now() + wait;
    while (m_state->hold.load() == Offered && std::chrono::steady_clock::now() < until)
        std::this_thread::yield();
    int expected = Offered;
    // Not taken up in time: withdrawn, unless the spare core takes it up this very moment.
    if (m_state->hold.compare_exchange_strong(expected, LetGo))
        return false;
    return expected == Holding;
}

} // namespace ruvo

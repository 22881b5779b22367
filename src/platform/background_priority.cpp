#include "platform/background_priority.h"

#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>

namespace ruvo {

namespace {
constexpr int backgroundNiceness = 10;
constexpr int lowestPriority = 19;
} // namespace

void lowerThisThreadPriority()
{
    // On Linux a thread has a nice value of its own, set through its thread id; it starts
    // as that of the thread that made it.
    [[maybe_unused]] thread_local const bool lowered = [] {
        const int now = ::getpriority(PRIO_PROCESS, ::gettid());
        return ::setpriority(PRIO_PROCESS, ::gettid(), std::min(now + backgroundNiceness, lowestPriority)) ==
               0;
    }();
}

} // namespace ruvo

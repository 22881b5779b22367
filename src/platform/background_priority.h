#pragma once

namespace ruvo {

// Lowers the calling worker thread's scheduling priority (by 10 nice levels), once per
// thread: work done ahead never takes a core from the thread that draws the window, and
// still runs whenever a core is free.
void lowerThisThreadPriority();

} // namespace ruvo

#pragma once

#include "platform/file_system_calls.h"

namespace ruvo::test {

// The real system calls behind a counter of the steps that change the disk
// (create, write, sync, close, rename, delete, make a folder, make a new
// file), failing the chosen one as the disk would: a write with ENOSPC, every
// other step with EIO. Only the one step fails; every step after it works again.
//
// The calls are plain functions, so the counter is shared: one armed fault
// at a time, which is how the tests use it.
class WriteFault
{
public:
    // The counting calls, to give to the file services under test.
    static FileSystemCalls calls();
    // Restarts the count and fails the step-th step from now; 0 fails none.
    static void failStep(int step);
    // The steps counted since the last failStep.
    static int steps();
    // Whether the armed step has been reached and failed.
    static bool struck();
};

} // namespace ruvo::test

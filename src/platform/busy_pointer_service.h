#pragma once

namespace ruvo {

// The busy pointer (the arrow with hourglass) of the main window, shown while a
// command runs. Calls nest: the pointer is busy from the first setBusy until
// the restore that matches it, and the default after.
class BusyPointerService
{
public:
    virtual ~BusyPointerService() = default;
    virtual void setBusy() = 0;
    virtual void restore() = 0;
};

} // namespace ruvo

#pragma once

#include "platform/busy_pointer_service.h"

namespace ruvo::test {

// Counts how often the pointer was set busy and restored, and how deep the
// calls nest now.
class FakeBusyPointer : public BusyPointerService
{
public:
    void setBusy() override
    {
        ++sets;
        ++depth;
    }
    void restore() override
    {
        ++restores;
        --depth;
    }
    bool isBusy() const { return depth > 0; }

    int sets = 0;
    int restores = 0;
    int depth = 0;
};

} // namespace ruvo::test

#pragma once

#include "platform/busy_pointer_service.h"

namespace ruvo {

// Shows the busy pointer for as long as it lives, however the command it
// guards ends.
class BusyPointer
{
public:
    explicit BusyPointer(BusyPointerService& pointer) : m_pointer(pointer) { m_pointer.setBusy(); }
    ~BusyPointer() { m_pointer.restore(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    BusyPointerService& m_pointer;
};

} // namespace ruvo

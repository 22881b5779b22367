// Enabling the page, register and placement commands from the viewer state.
#include "browse/form2.h"
#include "commands/command_availability.h"
#include "commands/command_group.h"
#include "viewer/form1.h"

namespace ruvo {

void Form1::BOTNHANTEI()
{
    AvailabilityInput input;
    input.pageIndex = m_reading.index();
    input.pageCount = pages().count();
    input.endCheckArmed = m_fields.endCheckArmed;
    input.spreadShown = m_reading.shown().count == 2;
    input.onePageMode = onePageMode();
    Availability availability = evaluateAvailability(input);
    // A page alone may stand anywhere, the second page among them: there is a spread before it.
    if (spreadsByShape() && input.pageCount > 0 && m_reading.shown().first > 0)
        availability.previousEnabled = true;
    setGroupEnabled(m_controls, CommandGroup::Register, availability.registerEnabled);
    setGroupEnabled(m_controls, CommandGroup::Next, availability.nextEnabled);
    setGroupEnabled(m_controls, CommandGroup::Previous, availability.previousEnabled);
    m_fields.endCheckArmed = availability.endCheckArmed;
}

void Form1::BotanOK()
{
    if (!stretchOn())
        setGroupEnabled(m_controls, CommandGroup::Placements, true);
}

void Form1::BOTANOFFD()
{
    setGroupEnabled(m_controls, CommandGroup::Placements, false);
}

} // namespace ruvo

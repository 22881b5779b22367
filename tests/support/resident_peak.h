#pragma once

#include <QtGlobal>

namespace ruvo::test {

// How far the most memory the process held in RAM at once rose since this was made: what the
// work in between cost at its peak, as the system counts it (a page counts once it is touched).
// Where the system lets a process reset its peak, it is reset to what is held when this is
// made; elsewhere the rise is over the peak since the process began, which hides a cost only
// as large as that peak was above what is held now.
class ResidentPeak
{
public:
    ResidentPeak();

    // In bytes; -1 when the system does not tell.
    qint64 growth() const;

private:
    qint64 m_start = 0;
};

} // namespace ruvo::test

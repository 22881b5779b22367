#include "books/unpack_budget.h"

namespace ruvo {

UnpackBudget::Share::Share(UnpackBudget& budget, qint64 bytes)
    : m_budget(budget), m_bytes(std::max<qint64>(bytes, 0))
{
    std::unique_lock lock(m_budget.m_mutex);
    const auto fits = [&] { return m_budget.m_held == 0 || m_budget.m_held + m_bytes <= m_budget.m_bytes; };
    if (!fits()) {
        ++m_budget.m_waiting;
        m_budget.m_released.wait(lock, fits);
        --m_budget.m_waiting;
    }
    m_budget.m_held += m_bytes;
}

UnpackBudget::Share::~Share()
{
    {
        const std::lock_guard lock(m_budget.m_mutex);
        m_budget.m_held -= m_bytes;
    }
    m_budget.m_released.notify_all();
}

qint64 UnpackBudget::held() const
{
    const std::lock_guard lock(m_mutex);
    return m_held;
}

int UnpackBudget::waiting() const
{
    const std::lock_guard lock(m_mutex);
    return m_waiting;
}

} // namespace ruvo

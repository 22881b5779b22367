#include "common/change_batch.h"

#include <utility>

namespace ruvo {

void ChangeBatch::note()
{
    if (m_depth > 0) {
        m_pending = true;
        return;
    }
    m_notify();
}

void ChangeBatch::flush()
{
    if (m_depth == 0)
        return;
    m_pending = false;
    m_notify();
}

void ChangeBatch::afterNotice(std::function<void()> work)
{
    if (m_depth == 0) {
        work();
        return;
    }
    m_afterNotice = std::move(work);
}

ChangeBatch::Scope::~Scope()
{
    if (--m_batch.m_depth > 0)
        return;
    if (m_batch.m_pending) {
        m_batch.m_pending = false;
        m_batch.m_notify();
    }
    if (m_batch.m_afterNotice)
        std::exchange(m_batch.m_afterNotice, nullptr)();
}

} // namespace ruvo

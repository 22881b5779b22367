#include "common/change_batch.h"

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

ChangeBatch::Scope::~Scope()
{
    if (--m_batch.m_depth > 0 || !m_batch.m_pending)
        return;
    m_batch.m_pending = false;
    m_batch.m_notify();
}

} // namespace ruvo

#include "platform/system_random_service.h"

#include <QTime>

namespace ruvo {

SystemRandomService::SystemRandomService()
{
    reseed();
}

double SystemRandomService::next()
{
    return m_distribution(m_engine);
}

void SystemRandomService::reseed()
{
    m_engine.seed(static_cast<std::mt19937::result_type>(QTime::currentTime().msecsSinceStartOfDay()));
}

} // namespace ruvo

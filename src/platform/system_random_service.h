#pragma once

#include "platform/random_service.h"

#include <random>

namespace ruvo {

class SystemRandomService : public RandomService
{
public:
    SystemRandomService();
    double next() override;
    void reseed() override;

private:
    std::mt19937 m_engine;
    std::uniform_real_distribution<double> m_distribution{0.0, 1.0};
};

} // namespace ruvo

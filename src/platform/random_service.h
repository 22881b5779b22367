#pragma once

namespace ruvo {

class RandomService
{
public:
    virtual ~RandomService() = default;
    // Uniform in [0, 1).
    virtual double next() = 0;
    virtual void reseed() = 0;
};

} // namespace ruvo

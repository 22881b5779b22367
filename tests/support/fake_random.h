#pragma once

#include "platform/random_service.h"

#include <QList>

namespace ruvo::test {

// Returns the scripted values in turn, then 0.
class FakeRandom : public RandomService
{
public:
    double next() override { return values.isEmpty() ? 0.0 : values.takeFirst(); }
    void reseed() override { ++reseedCount; }

    QList<double> values;
    int reseedCount = 0;
};

} // namespace ruvo::test

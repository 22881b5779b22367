#pragma once

namespace ruvo {

struct SliderState
{
    int minimum = 0;
    int maximum = 10;
    int smallChange = 1;
    int largeChange = 5;
    int tickFrequency = 1;
    int value = 0;
};

} // namespace ruvo

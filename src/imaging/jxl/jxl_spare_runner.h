#pragma once

#include "imaging/picture_decoder.h"

#include <jxl/parallel_runner.h>

namespace ruvo {

// The parallel runner libjxl is given: every range of work it hands over is done on the calling
// thread and, when a spare core is given and begins in time, on the spare core beside it, each
// taking the next item as it finishes one. Never more than those two threads work for it; a
// spare core that begins after the range is done takes nothing.
class JxlSpareRunner
{
public:
    explicit JxlSpareRunner(SpareCore spare) : m_spare(std::move(spare)) {}

    // For JxlDecoderSetParallelRunner, with a JxlSpareRunner as runner.
    static JxlParallelRetCode run(void* runner, void* jpegxl, JxlParallelRunInit init,
                                  JxlParallelRunFunction work, uint32_t start, uint32_t end);

private:
    SpareCore m_spare;
};

} // namespace ruvo

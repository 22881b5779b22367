#pragma once

#include <cstdint>

namespace ruvo::fuzz {

// The most heap the process held at once since the last start(), above what it held then, as
// the sanitizer's allocator counts it: every allocation, Qt's, poppler's and ours alike. The
// count starts with the first start().
class HeapPeak
{
public:
    static void start();
    // In bytes.
    static std::int64_t growth();
};

} // namespace ruvo::fuzz

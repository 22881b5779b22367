#pragma once

#include "imaging/scaling/area_scaler.h"

#include <QImage>
#include <cstdint>
#include <vector>

namespace ruvo {

// The source rows of a picture scaled into the target as they arrive, in order, from the
// first row on, in runs of any length: each new row is written as soon as its last source
// row is in, while the rows it was made from may still be in the processor's cache.
class ScalingBand
{
public:
    // targetBits: the memory of an image of the scaler's size and target format.
    ScalingBand(const AreaScaler& scaler, uchar* targetBits, qsizetype bytesPerLine);

    // The next count source rows, bytesPerLine apart.
    void addRows(const uchar* rows, qsizetype bytesPerLine, int count);
    // The row after the last one added.
    int nextRow() const { return m_nextRow; }

private:
    void finishTargetRow();

    const AreaScaler& m_scaler;
    uchar* const m_bits;
    const qsizetype m_bytesPerLine;
    int m_nextRow = 0;
    // The sums of the new row being gathered and of the one after it.
    int m_targetRow = 0;
    std::vector<uint32_t> m_sums;
    std::vector<uint32_t> m_nextSums;
};

} // namespace ruvo

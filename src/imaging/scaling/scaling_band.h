#pragma once

#include "imaging/scaling/area_scaler.h"

#include <QImage>
#include <cstdint>
#include <vector>

namespace ruvo {

// A run of source rows scaled into the target as they arrive, in order, from a first row
// on. The new rows that lie wholly within the band are written as soon as their last source
// row is in. A new row shared with the band above or below is kept as sums, to be joined
// with that band's part of it once both are done.
class ScalingBand
{
public:
    // targetBits: the memory of an image of the scaler's size and target format.
    ScalingBand(const AreaScaler& scaler, uchar* targetBits, qsizetype bytesPerLine, int firstRow);

    // Begins again, with nothing added, at another first row. Nothing is allocated here, so
    // that a band made ready beforehand can be started on another thread.
    void restartAt(int firstRow);

    // The next count source rows, bytesPerLine apart.
    void addRows(const uchar* rows, qsizetype bytesPerLine, int count);
    // The row after the last one added.
    int nextRow() const { return m_nextRow; }

    // Writes the new row the upper band (which ends where the lower begins) shares with
    // the lower one, once both have all their rows.
    static void join(ScalingBand& upper, ScalingBand& lower);

private:
    void finishTargetRow();
    bool sharesWithBelow() const;

    const AreaScaler& m_scaler;
    uchar* const m_bits;
    const qsizetype m_bytesPerLine;
    int m_firstRow = 0;
    int m_nextRow = 0;
    // The sums of the new row being gathered and of the one after it.
    int m_targetRow = 0;
    std::vector<uint32_t> m_sums;
    std::vector<uint32_t> m_nextSums;
    // The new row shared with the band above, when there is one.
    std::vector<uint32_t> m_sharedAbove;
};

} // namespace ruvo

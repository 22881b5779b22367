#include "imaging/scaling/scaling_band.h"

#include <algorithm>

namespace ruvo {

ScalingBand::ScalingBand(const AreaScaler& scaler, uchar* targetBits, qsizetype bytesPerLine)
    : m_scaler(scaler), m_bits(targetBits), m_bytesPerLine(bytesPerLine), m_sums(size_t(scaler.sumsPerRow())),
      m_nextSums(size_t(scaler.sumsPerRow()))
{
}

void ScalingBand::addRows(const uchar* rows, qsizetype bytesPerLine, int count)
{
    for (int i = 0; i < count; ++i, ++m_nextRow) {
        m_scaler.addRow(rows + i * bytesPerLine, m_nextRow, m_sums.data(), m_nextSums.data());
        if (m_scaler.endsTargetRow(m_nextRow))
            finishTargetRow();
    }
}

void ScalingBand::finishTargetRow()
{
    m_scaler.writeRow(m_sums.data(), m_bits + m_targetRow * m_bytesPerLine);
    m_sums.swap(m_nextSums);
    std::fill(m_nextSums.begin(), m_nextSums.end(), 0);
    ++m_targetRow;
}

} // namespace ruvo

#include "imaging/scaling/scaling_band.h"

#include <algorithm>

namespace ruvo {

ScalingBand::ScalingBand(const AreaScaler& scaler, uchar* targetBits, qsizetype bytesPerLine, int firstRow)
    : m_scaler(scaler), m_bits(targetBits), m_bytesPerLine(bytesPerLine), m_sums(size_t(scaler.sumsPerRow())),
      m_nextSums(size_t(scaler.sumsPerRow()))
{
    m_sharedAbove.reserve(m_sums.size());
    restartAt(firstRow);
}

void ScalingBand::restartAt(int firstRow)
{
    m_firstRow = firstRow;
    m_nextRow = firstRow;
    m_targetRow = firstRow < m_scaler.from().height() ? m_scaler.targetRowOf(firstRow) : 0;
    std::fill(m_sums.begin(), m_sums.end(), 0);
    std::fill(m_nextSums.begin(), m_nextSums.end(), 0);
    m_sharedAbove.clear();
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
    if (m_scaler.firstSourceRow(m_targetRow) < m_firstRow)
        m_sharedAbove.assign(m_sums.begin(), m_sums.end());
    else
        m_scaler.writeRow(m_sums.data(), m_bits + m_targetRow * m_bytesPerLine);
    m_sums.swap(m_nextSums);
    std::fill(m_nextSums.begin(), m_nextSums.end(), 0);
    ++m_targetRow;
}

bool ScalingBand::sharesWithBelow() const
{
    return m_targetRow < m_scaler.to().height() && m_scaler.firstSourceRow(m_targetRow) < m_nextRow;
}

void ScalingBand::join(ScalingBand& upper, ScalingBand& lower)
{
    if (!upper.sharesWithBelow())
        return;
    std::vector<uint32_t>& sums = upper.m_sums;
    if (!lower.m_sharedAbove.empty()) {
        for (size_t i = 0; i < sums.size(); ++i)
            sums[i] += lower.m_sharedAbove[i];
    }
    upper.m_scaler.writeRow(sums.data(), upper.m_bits + upper.m_targetRow * upper.m_bytesPerLine);
}

} // namespace ruvo

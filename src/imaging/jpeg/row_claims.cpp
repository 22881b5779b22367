#include "imaging/jpeg/row_claims.h"

#include <algorithm>

namespace ruvo {

RowClaims::RowClaims(int height, int groupRows)
    : m_height(height), m_groupRows(std::max(1, groupRows)), m_rows(pack(height, 0))
{
}

quint64 RowClaims::pack(int boundary, int claimed)
{
    return quint64(quint32(boundary)) << 32 | quint32(claimed);
}

int RowClaims::boundary(quint64 rows)
{
    return int(rows >> 32);
}

int RowClaims::claimed(quint64 rows)
{
    return int(quint32(rows));
}

int RowClaims::claim()
{
    quint64 rows = m_rows.load();
    int next = 0;
    do {
        if (claimed(rows) >= boundary(rows))
            return boundary(rows);
        next = std::min(claimed(rows) + m_groupRows, boundary(rows));
    } while (!m_rows.compare_exchange_weak(rows, pack(boundary(rows), next)));
    return next;
}

bool RowClaims::doClaimed(const std::function<bool(int from, int end)>& rows)
{
    for (int row = 0;;) {
        const int next = claim();
        if (next <= row)
            return true;
        if (!rows(row, next))
            return false;
        row = next;
    }
}

bool RowClaims::close()
{
    quint64 rows = m_rows.load();
    do {
        if (boundary(rows) < m_height)
            return true;
    } while (!m_rows.compare_exchange_weak(rows, pack(m_height, m_height)));
    return false;
}

int RowClaims::take(const std::function<int(int claimed)>& splitAfter)
{
    quint64 rows = m_rows.load();
    int from = m_height;
    do {
        // Only the first taker may take: after it, the boundary is no longer the height.
        if (boundary(rows) < m_height)
            return m_height;
        from = splitAfter(claimed(rows));
        if (from >= m_height || from < claimed(rows))
            return m_height;
    } while (!m_rows.compare_exchange_weak(rows, pack(from, claimed(rows))));
    return from;
}

} // namespace ruvo

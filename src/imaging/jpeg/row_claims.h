#pragma once

#include <QtGlobal>

#include <atomic>
#include <functional>

namespace ruvo {

// The rows of a picture shared between a caller and a spare core. The caller claims its
// rows a group at a time, from the top. The spare core, whenever it begins, takes the rows
// from a point below the caller's claims, chosen from how far the caller has come by then;
// once the caller has closed its claims, a spare core that had not begun takes nothing.
// Both sides change one word together, so that no row is ever done twice or left out.
class RowClaims
{
public:
    RowClaims(int height, int groupRows);

    // For the caller: the end of the next group of rows to do; where the caller's rows end
    // when none are left.
    int claim();
    // For the caller: does its rows with rows(from, end), a claimed group at a time, until
    // none are left or rows() fails; false when it failed.
    bool doClaimed(const std::function<bool(int from, int end)>& rows);
    // For the caller, once it stops for whatever reason: whether the spare core took rows,
    // and so is to be waited for.
    bool close();

    // For the spare core: takes the rows from splitAfter(claimed) on, where claimed is the
    // end of the caller's claims so far, when that lies at or below the claims and above
    // the last row. The first row taken, or the height when none were.
    int take(const std::function<int(int claimed)>& splitAfter);

    int height() const { return m_height; }

private:
    static quint64 pack(int boundary, int claimed);
    static int boundary(quint64 rows);
    static int claimed(quint64 rows);

    const int m_height;
    const int m_groupRows;
    // Where the spare core's rows begin (the height while it has none), and the end of the
    // caller's claims.
    std::atomic<quint64> m_rows;
};

} // namespace ruvo

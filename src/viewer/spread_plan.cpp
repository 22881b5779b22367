#include "viewer/spread_plan.h"

#include "viewer/page_step.h"

#include <algorithm>

namespace ruvo {

SpreadPlan::SpreadPlan(int pageCount, IsWide isWide, Pairing pairing)
    : m_count(pageCount), m_isWide(std::move(isWide)), m_pairing(pairing)
{
}

void SpreadPlan::setPairing(Pairing pairing)
{
    m_pairing = pairing;
    m_after.clear();
    m_before.clear();
}

void SpreadPlan::anchorAt(int page, bool shifted)
{
    m_anchor = std::clamp(page, 0, std::max(0, m_count - 1));
    m_shifted = shifted;
    m_after.clear();
    m_before.clear();
}

bool SpreadPlan::wide(int page) const
{
    return page >= 0 && page < m_count && m_isWide && m_isWide(page);
}

int SpreadPlan::countFrom(int first) const
{
    const bool alone =
        wide(first) || first + 1 >= m_count || wide(first + 1) || (m_shifted && first == m_anchor);
    return alone ? 1 : 2;
}

Spread SpreadPlan::endingAt(int last) const
{
    // At the very front the first page pairs with the second, as a step back to it always does.
    if (!wide(last) && last - 1 < 0)
        return Spread{0, countFrom(0)};
    if (wide(last) || wide(last - 1))
        return Spread{last, 1};
    return Spread{last - 1, 2};
}

void SpreadPlan::extendAfter(int page)
{
    while (m_after.isEmpty() || m_after.last().last() < page) {
        const int first = m_after.isEmpty() ? m_anchor : m_after.last().last() + 1;
        if (first >= m_count)
            return;
        m_after.append(Spread{first, countFrom(first)});
    }
}

void SpreadPlan::extendBefore(int page)
{
    while (m_before.isEmpty() || m_before.last().first > page) {
        const int last = m_before.isEmpty() ? m_anchor - 1 : m_before.last().first - 1;
        if (last < 0)
            return;
        m_before.append(endingAt(last));
    }
}

Spread SpreadPlan::spreadAt(int first)
{
    first = std::clamp(first, 0, std::max(0, m_count - 1));
    if (m_count <= 0)
        return Spread{0, 0};
    if (m_pairing == Pairing::OnePage)
        return Spread{first, 1};
    if (m_pairing == Pairing::EveryTwo)
        return Spread{first, first + 1 < m_count ? 2 : 1};
    const QList<Spread>& side = first >= m_anchor ? m_after : m_before;
    if (first >= m_anchor)
        extendAfter(first);
    else
        extendBefore(first);
    const auto found = std::find_if(side.cbegin(), side.cend(),
                                    [first](const Spread& spread) { return spread.first == first; });
    if (found != side.cend())
        return *found;
    anchorAt(first);
    return spreadAt(first);
}

Spread SpreadPlan::next(const Spread& shown)
{
    if (m_pairing != Pairing::ByShape)
        return spreadAt(stepForward(shown.last(), m_count));
    return spreadAt(std::min(shown.first + shown.count, m_count - 1));
}

Spread SpreadPlan::previous(const Spread& shown)
{
    // Two at a time, a page alone is the last page after an even run.
    if (m_pairing != Pairing::ByShape)
        return spreadAt(stepBackward(shown.last(), m_count, m_pairing == Pairing::OnePage,
                                     m_pairing == Pairing::EveryTwo && shown.count == 1));
    const int last = shown.first - 1;
    if (last < 0)
        return spreadAt(0);
    if (last >= m_anchor) {
        extendAfter(last);
        for (const Spread& spread : std::as_const(m_after)) {
            if (spread.last() == last)
                return spread;
        }
    } else {
        extendBefore(last);
        for (const Spread& spread : std::as_const(m_before)) {
            if (spread.first <= last && last <= spread.last())
                return spread;
        }
    }
    // The spread shown was no spread of the pairing: it starts anew there.
    anchorAt(shown.first);
    return previous(shown);
}

Spread SpreadPlan::last()
{
    const int end = m_count - 1;
    if (m_count <= 0)
        return Spread{0, 0};
    if (m_pairing == Pairing::OnePage)
        return Spread{end, 1};
    if (m_pairing == Pairing::EveryTwo)
        return spreadAt(end - end % 2);
    // Paired back from the end: the last two pages, unless either stands alone.
    const int first = end > 0 && !wide(end) && !wide(end - 1) ? end - 1 : end;
    anchorAt(first);
    return spreadAt(first);
}

} // namespace ruvo

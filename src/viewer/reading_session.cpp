#include "viewer/reading_session.h"

#include <algorithm>

namespace ruvo {

ReadingSession::ReadingSession(Changed changed) : m_changed(std::move(changed)) {}

void ReadingSession::setBook(const QString& name, int pageCount, SpreadPlan::IsWide isWide)
{
    if (name == m_book && pageCount == m_plan.pageCount())
        return;
    m_book = name;
    const Pairing pairing = m_plan.pairing();
    m_plan = SpreadPlan(pageCount, std::move(isWide), pairing);
    // Nothing of the book is on screen yet: the page index stands where it was put, held to
    // the book's pages.
    m_index = clamped(m_index);
    m_shown = Spread{m_index, 1};
    m_plan.anchorAt(m_index);
    moved();
}

void ReadingSession::setPairing(Pairing pairing)
{
    if (pairing != m_plan.pairing())
        m_plan.setPairing(pairing);
}

bool ReadingSession::shiftedHere() const
{
    return pairing() == Pairing::ByShape && m_plan.isShifted() && m_plan.anchor() == m_shown.first;
}

Spread ReadingSession::spreadAtIndex()
{
    return m_plan.spreadAt(m_index);
}

Spread ReadingSession::nextSpread() const
{
    // Asked of a copy, so that a spread not yet shown never moves the pairing.
    SpreadPlan plan = m_plan;
    return plan.next(m_shown);
}

Spread ReadingSession::previousSpread() const
{
    SpreadPlan plan = m_plan;
    return plan.previous(m_shown);
}

void ReadingSession::moveTo(int page)
{
    m_index = clamped(page);
    moved();
}

void ReadingSession::turn(bool back)
{
    m_index = (back ? m_plan.previous(m_shown) : m_plan.next(m_shown)).first;
    moved();
}

void ReadingSession::toFirst()
{
    m_index = 0;
    if (pairing() == Pairing::ByShape)
        m_plan.anchorAt(0);
    moved();
}

void ReadingSession::toLast()
{
    m_index = m_plan.last().first;
    moved();
}

void ReadingSession::anchorAt(int page, bool shifted)
{
    m_plan.anchorAt(page, shifted);
}

void ReadingSession::shift()
{
    // Only the pairing by shape has pairs to move: the others show the same spread again.
    if (pairing() == Pairing::ByShape)
        m_plan.anchorAt(m_shown.first, !shiftedHere());
    m_index = m_shown.first;
    moved();
}

void ReadingSession::show(const Spread& spread)
{
    m_shown = spread;
    m_index = spread.last();
    moved();
}

int ReadingSession::clamped(int page) const
{
    return std::clamp(page, 0, std::max(0, pageCount() - 1));
}

void ReadingSession::moved()
{
    if (m_changed)
        m_changed();
}

} // namespace ruvo

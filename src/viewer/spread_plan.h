#pragma once

#include <QList>

#include <functional>

namespace ruvo {

// Pages shown side by side in two-page reading: the first of them and how many (one or two).
struct Spread
{
    int first = 0;
    int count = 0;

    int last() const { return first + count - 1; }
    bool operator==(const Spread& other) const = default;
};

// How pages come on screen: one at a time; two at a time from wherever reading stands, the last
// page alone after an even run; or two at a time with a page wider than it is tall alone.
enum class Pairing
{
    OnePage,
    EveryTwo,
    ByShape,
};

// How a book's pages pair up into spreads, by one of the pairings.
//
// One at a time, every page is a spread of its own. Two at a time, any page starts a spread
// of it and the next; a turn forward goes on from the spread's last page, a turn back goes to
// the pair before it, and from the last page alone to the pair before that.
//
// By shape, the pairing starts at an anchor, the page reading started from: from there on, each spread
// is two pages, unless its first page is wide, is the last page, or is followed by a wide
// page, which then starts the next spread. Before the anchor, pages pair up the other way,
// from the anchor back, with a wide page alone there too; at the very front, the first page
// pairs with the second again, whatever was shown last. Turning forward and back walks
// through the same spreads. Shifted, the page at the anchor stands alone, moving every pair
// after it by one page.
//
// Whether a page is wide is asked only of the pages the spreads asked for take in, and of
// the page after each.
class SpreadPlan
{
public:
    using IsWide = std::function<bool(int page)>;

    SpreadPlan() = default;
    SpreadPlan(int pageCount, IsWide isWide, Pairing pairing = Pairing::ByShape);

    int pageCount() const { return m_count; }
    Pairing pairing() const { return m_pairing; }
    // Pairs the pages another way; the anchor and the shift are kept for the pairing by shape.
    void setPairing(Pairing pairing);

    // Starts the pairing anew at page.
    void anchorAt(int page, bool shifted = false);
    int anchor() const { return m_anchor; }
    bool isShifted() const { return m_shifted; }

    // The spread that starts at first; a page that starts no spread of the pairing starts
    // it anew there.
    Spread spreadAt(int first);
    // The spread after the one given, the last page alone at the end; the one before it, the
    // first spread at the front.
    Spread next(const Spread& shown);
    Spread previous(const Spread& shown);
    // The book's last spread, as turning towards the end comes to it; by shape, paired back
    // from the end, where the pairing starts anew.
    Spread last();

private:
    bool wide(int page) const;
    // How many pages the spread that starts at first takes, going forward from the anchor.
    int countFrom(int first) const;
    // The spread that ends at last, going back from the anchor.
    Spread endingAt(int last) const;
    // The spreads that start at first or after it, back to the anchor, worked out.
    void extendAfter(int page);
    void extendBefore(int page);

    int m_count = 0;
    IsWide m_isWide;
    Pairing m_pairing = Pairing::ByShape;
    int m_anchor = 0;
    bool m_shifted = false;
    // From the anchor on, in order; before the anchor, from it back.
    QList<Spread> m_after;
    QList<Spread> m_before;
};

} // namespace ruvo

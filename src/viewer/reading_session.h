#pragma once

#include "viewer/spread_plan.h"

#include <QString>

#include <functional>

namespace ruvo {

// Where the reader is in the open book, and every move of it: the pages on screen, the page
// index the commands step, and the pairing of the book's pages into spreads.
//
// The page index is the last page on screen: after a spread, its second page. A step moves it
// alone, to the page the next showing starts at; showing pages puts it on their last again.
// Every move is told once, by the change notice.
class ReadingSession
{
public:
    using Changed = std::function<void()>;

    explicit ReadingSession(Changed changed = {});

    // The book listed: its name (a folder or an archive), its pages and how to tell a wide one.
    // The same book listed again keeps the position, held to its pages, and the pairing's
    // anchor; another starts at its first page.
    void setBook(const QString& name, int pageCount, SpreadPlan::IsWide isWide);
    const QString& bookName() const { return m_book; }
    int pageCount() const { return m_plan.pageCount(); }

    void setPairing(Pairing pairing);
    Pairing pairing() const { return m_plan.pairing(); }

    int index() const { return m_index; }
    Spread shown() const { return m_shown; }
    // The reader's shift stands the first page on screen alone.
    bool shiftedHere() const;

    // The spread a showing at the page index puts on screen.
    Spread spreadAtIndex();
    // The spreads the next and the previous turn will show; nothing moves.
    Spread nextSpread() const;
    Spread previousSpread() const;

    // Moves the page index alone, to a page chosen (an opening, the browser).
    void moveTo(int page);
    // Turns to the next or the previous spread, or to the first or the last of the book: the
    // page index moves to its first page, to be shown.
    void turn(bool back);
    void toFirst();
    void toLast();
    // Starts the pairing anew at page (a resumed place, the first page).
    void anchorAt(int page, bool shifted = false);
    // By shape, the first page on screen stands alone, moving every pair after it by one page;
    // again, it pairs as before. The page index moves to it, to be shown.
    void shift();

    // Pages come on screen: the page index goes to the last of them.
    void show(const Spread& spread);

private:
    int clamped(int page) const;
    void moved();

    Changed m_changed;
    QString m_book;
    SpreadPlan m_plan;
    int m_index = 0;
    Spread m_shown;
};

} // namespace ruvo

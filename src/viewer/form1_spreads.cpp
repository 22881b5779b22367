// Two-page reading that follows the pages' shapes: a page wider than it is tall stands
// alone, and the pairs of pages can be moved by one.
#include "books/book.h"
#include "browse/form2.h"
#include "session/settings_store.h"
#include "viewer/form1.h"
#include "viewer/status_texts.h"

namespace ruvo {

bool Form1::spreadsByShape() const
{
    return !onePageMode() && m_controls.menu(MenuItem::widePagesAlone).checked;
}

bool Form1::pageIsWide(int index) const
{
    const std::shared_ptr<Book>& book = pages().book();
    if (!book)
        return false;
    // Read from the page's header, once for the book: no page is decoded to learn it.
    const std::optional<PageFacts> facts = book->factsOf(pages().name(index));
    return facts && facts->size.width() > facts->size.height();
}

bool Form1::widePageShownAlone() const
{
    // No second page is on screen beside it.
    return spreadsByShape() && m_controls.picture3.width <= 0 && pageIsWide(m_state.pageIndex);
}

SpreadPlan& Form1::spreads()
{
    // A folder listed again is the same book: the pairing holds while its pages do.
    if (pages().folder() != m_spreadsFolder || pages().count() != m_spreadsCount) {
        m_spreadsFolder = pages().folder();
        m_spreadsCount = pages().count();
        m_spreads = SpreadPlan(m_spreadsCount, [this](int index) { return pageIsWide(index); });
        m_spreads.anchorAt(shownSpread().first);
    }
    return m_spreads;
}

Spread Form1::shownSpread() const
{
    // After a spread the index is its second page; a page alone keeps its own.
    if (m_fields.spreadShown)
        return Spread{m_state.pageIndex - 1, 2};
    return Spread{m_state.pageIndex, 1};
}

bool Form1::turnThroughSpreads(bool back)
{
    if (!spreadsByShape() || pages().isEmpty())
        return false;
    SpreadPlan& plan = spreads();
    const Spread shown = shownSpread();
    m_state.pageIndex = qint16(back ? plan.previous(shown).first : plan.next(shown).first);
    return true;
}

void Form1::loadSpread()
{
    // A page set from outside a turn (an opening, the browser, a mode switch) that starts no
    // spread of the book's pairing starts it anew; one that does keeps it, shifted or not.
    const Spread spread = spreads().spreadAt(m_state.pageIndex);
    m_state.pageIndex = qint16(spread.first);
    RUVIHENS();
    if (spread.count == 2) {
        RUVINEW2();
        return;
    }
    RUVINEW1();
    // The last page alone keeps its own marker, which the step back reads.
    if (spread.first + 1 < pages().count())
        m_controls.statusBar.panel(2) = StatusText::widePageAlone();
}

void Form1::widePagesAloneClick()
{
    MenuItemState& item = m_controls.menu(MenuItem::widePagesAlone);
    item.checked = !item.checked;
    SettingsStore(m_platform.settings).writeNumber(Setting::widePagesAlone, item.checked ? 1 : 0);
    if (onePageMode() || pages().isEmpty())
        return;
    // The spread on screen is shown again from its first page, paired as now asked.
    m_state.pageIndex = qint16(shownSpread().first);
    MTUGI();
}

void Form1::devicePixelsClick()
{
    toggleStoredSwitch(MenuItem::devicePixels, Setting::devicePixels);
    if (pages().isEmpty())
        return;
    // The spread on screen is laid out again at its pages' new sizes.
    m_state.pageIndex = qint16(shownSpread().first);
    MTUGI();
}

void Form1::shiftPairsClick()
{
    if (!spreadsByShape() || pages().isEmpty())
        return;
    SpreadPlan& plan = spreads();
    const Spread shown = shownSpread();
    // Shifted at the spread on screen, its first page stands alone; shifted back, it pairs again.
    const bool shifted = !(plan.isShifted() && plan.anchor() == shown.first);
    plan.anchorAt(shown.first, shifted);
    m_state.pageIndex = qint16(shown.first);
    MTUGI();
}

} // namespace ruvo

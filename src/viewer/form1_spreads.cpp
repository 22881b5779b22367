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
    return m_mode.pairing() == Pairing::ByShape;
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
    const Spread shown = m_reading.shown();
    return spreadsByShape() && shown.count == 1 && pageIsWide(shown.first);
}

void Form1::loadSpread()
{
    // A page set from outside a turn (an opening, the browser, a mode switch) that starts no
    // spread of the book's pairing starts it anew; one that does keeps it, shifted or not.
    ReadingSession& session = reading();
    const Spread spread = session.spreadAtIndex();
    session.moveTo(spread.first);
    RUVIHENS();
    if (spread.count == 2) {
        RUVINEW2();
        return;
    }
    RUVINEW1();
    // Beside the last page alone, a wide page alone says so.
    if (spreadsByShape() && spread.first + 1 < pages().count())
        m_controls.statusBar.panel(2) = StatusText::widePageAlone();
}

void Form1::showSpreadAgain()
{
    // From its first page: paired, sized and placed as the mode now asks.
    reading().moveTo(m_reading.shown().first);
    MTUGI();
}

void Form1::widePagesAloneClick()
{
    m_mode.widePagesAlone = !m_mode.widePagesAlone;
    showViewMode();
    SettingsStore(m_platform.settings).writeNumber(Setting::widePagesAlone, m_mode.widePagesAlone ? 1 : 0);
    if (onePageMode() || pages().isEmpty())
        return;
    showSpreadAgain();
}

void Form1::devicePixelsClick()
{
    m_mode.devicePixels = !m_mode.devicePixels;
    showViewMode();
    SettingsStore(m_platform.settings).writeNumber(Setting::devicePixels, m_mode.devicePixels ? 1 : 0);
    if (pages().isEmpty())
        return;
    showSpreadAgain();
}

void Form1::leftToRightClick()
{
    const bool leftToRight = m_mode.direction == ReadingDirection::RightToLeft;
    m_mode.direction = leftToRight ? ReadingDirection::LeftToRight : ReadingDirection::RightToLeft;
    showViewMode();
    SettingsStore(m_platform.settings).writeNumber(Setting::leftToRight, leftToRight ? 1 : 0);
    if (pages().isEmpty())
        return;
    showSpreadAgain();
}

void Form1::shiftPairsClick()
{
    if (!spreadsByShape() || pages().isEmpty())
        return;
    // Shifted at the spread on screen, its first page stands alone; shifted back, it pairs again.
    reading().shift();
    MTUGI();
}

} // namespace ruvo

// One page or two, actual size or stretched, and the automatic-scrolling switch
// that stretching turns off.
#include "browse/form2.h"
#include "commands/command_group.h"
#include "commands/toolbar_table.h"
#include "common/number_text.h"
#include "platform/busy_pointer.h"
#include "platform/modal_window_service.h"
#include "viewer/form1.h"
#include "viewer/status_texts.h"

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {
constexpr int scrollTickMs = 1;
} // namespace

void Form1::sing_Click()
{
    const ChangeBatch::Scope changes(m_changes);
    const BusyPointer busy(m_platform.pointer);
    ITtyo();
    // The pages around now come one or two at a time.
    prepareAhead();
    m_changes.note();
}

void Form1::ITtyo()
{
    const ChangeBatch::Scope changes(m_changes);
    StatusBarState& status = m_controls.statusBar;
    const int count = pages().count();
    const int last = count - 1;
    m_mode.onePage = !m_mode.onePage;
    showViewMode();

    ReadingSession& session = reading();
    if (m_mode.onePage) {
        // The first page on screen stays, alone.
        if (count > 0)
            session.show(Spread{session.shown().first, 1});
        const int index = session.index();
        status.panel(2) = StatusText::oneScreenMode();
        status.panel(1) = count < 1 ? QString::number(index) + u" / "_s + QString::number(count)
                                    : StatusText::position(index, count);
        m_platform.modal.showModal(WindowName::onePageNotice);
        if (count > 0) {
            m_controls.picture1.visible = false;
            m_controls.picture3.collapse();
            placePagesInFrame();
            singlePageFit();
            if (stretchOn())
                SUTOREP();
            else
                m_controls.picture1.visible = true;
            BOTNHANTEI();
            m_fields.scrollRange = roundHalfEven(m_controls.picture1.height - m_controls.nori.height);
        }
    } else {
        status.panel(2) = StatusText::twoScreensMode();
        m_platform.modal.showModal(WindowName::twoPagesNotice);
        // The page on screen is joined by the next, unless it is the last.
        if (session.index() != last && session.index() < count) {
            session.show(Spread{session.index(), 2});
            RUVINEW3();
            GAZOUAWASE();
            BOTNHANTEI();
        }
        // Landing on the last page, alone or beside the one on screen, says so.
        if (session.index() == last) {
            BOTNHANTEI();
            status.panel(2) = StatusText::lastPageAlone();
        }
    }
    m_changes.note();
}

void Form1::hyhtt_Click()
{
    SUTOREKIRIKAE();
}

void Form1::SUTOREKIRIKAE()
{
    const ChangeBatch::Scope changes(m_changes);
    m_mode.fit = m_mode.stretched() ? PageFit::ActualSize : PageFit::WholePage;
    showViewMode();
    SUTOREP();
    // The pages around are now drawn stretched, or no longer.
    prepareAhead();
    m_changes.note();
}

void Form1::SUTOREP()
{
    if (stretchOn()) {
        m_controls.picture1.visible = false;
        BOTANOFFD();
        if (onePageMode()) {
            m_controls.image2.visible = false;
            m_controls.image1.visible = false;
            m_controls.image1.picture = m_controls.picture2.picture;
            Form_Resize();
            m_controls.image1.left = m_controls.nori.width / 2 - m_controls.image1.width / 2;
        } else {
            m_controls.image1.picture = m_controls.picture2.picture;
            m_controls.image2.picture = m_controls.picture3.picture;
            Form_Resize();
        }
        if (m_fields.autoScrollOn)
            SCROOKIRIKAE();
        m_controls.button(MainToolbar::scrollStopped).enabled = false;
        m_controls.menu(MenuItem::autoScroll).enabled = false;
    } else {
        // At actual size every pixel of the page is drawn.
        decodeAgainIfSmall(m_controls.picture2, QSize());
        decodeAgainIfSmall(m_controls.picture3, QSize());
        m_controls.picture1.visible = true;
        m_controls.image1.visible = false;
        m_controls.image2.visible = false;
        // Only once a page is loaded do the placements make sense.
        if (m_controls.picture2.height > 15)
            setGroupEnabled(m_controls, CommandGroup::Placements, true);
        m_controls.button(MainToolbar::scrollStopped).enabled = true;
        m_controls.menu(MenuItem::autoScroll).enabled = true;
    }
}

void Form1::SCROOKIRIKAE()
{
    const ChangeBatch::Scope changes(m_changes);
    MenuItemState& scroo = m_controls.menu(MenuItem::autoScroll);
    scroo.checked = !scroo.checked;
    if (!pages().isEmpty())
        BotanOK();
    m_fields.scrollRange = roundHalfEven(m_controls.picture1.height - m_controls.nori.height);
    const bool running = m_fields.autoScrollOn;
    m_controls.timer1Interval = running ? 0 : scrollTickMs;
    m_fields.autoScrollOn = !running;
    m_controls.button(MainToolbar::scrollRunning).visible = !running;
    m_controls.button(MainToolbar::scrollStopped).visible = running;
    m_changes.note();
}

void Form1::setViewMode(const ViewMode& mode)
{
    m_mode = mode;
    showViewMode();
}

void Form1::showViewMode()
{
    m_controls.menu(MenuItem::onePage).checked = m_mode.onePage;
    m_controls.button(MainToolbar::onePage).pressed = m_mode.onePage;
    m_controls.menu(MenuItem::stretch).checked = m_mode.stretched();
    m_controls.button(MainToolbar::stretch).pressed = m_mode.stretched();
    m_controls.menu(MenuItem::widePagesAlone).checked = m_mode.widePagesAlone;
    m_controls.menu(MenuItem::devicePixels).checked = m_mode.devicePixels;
    const bool leftToRight = m_mode.direction == ReadingDirection::LeftToRight;
    m_controls.menu(MenuItem::leftToRight).checked = leftToRight;
    // The page arrows point the way the pages go.
    m_controls.button(MainToolbar::nextPage).mirrored = leftToRight;
    m_controls.button(MainToolbar::previousPage).mirrored = leftToRight;
}

} // namespace ruvo

// Turning pages: the page step and the commands that show the page or spread
// it lands on.
#include "browse/form2.h"
#include "imaging/picture_decoder.h"
#include "platform/busy_pointer.h"
#include "platform/paths.h"
#include "viewer/form1.h"
#include "viewer/page_step.h"
#include "viewer/status_texts.h"

namespace ruvo {

bool Form1::lastPageShownAlone() const
{
    // The status bar is the record of it: the text is set wherever the last
    // page is shown alone and replaced by whatever is shown next.
    return m_controls.statusBar.panel(2) == StatusText::lastPageAlone();
}

void Form1::PAGESOUSA()
{
    const int count = pages().count();
    if (m_fields.goingBack) {
        m_state.pageIndex =
            qint16(stepBackward(m_state.pageIndex, count, onePageMode(), lastPageShownAlone()));
        m_fields.goingBack = false;
    } else {
        m_state.pageIndex = qint16(stepForward(m_state.pageIndex, count));
    }
}

void Form1::MTUGI()
{
    TEXCLS();
    // Nothing to show in a folder without pages; only the commands follow.
    if (!pages().isEmpty()) {
        RUVIHENS();
        if (!onePageMode() && m_state.pageIndex + 1 < pages().count())
            RUVINEW2();
        else
            RUVINEW1();
        GAZOUAWASE();
        prefetchAround();
    }
    BOTNHANTEI();
}

void Form1::MMAE()
{
    if (onePageMode())
        PAGESOUSA();
    if (!pages().isEmpty()) {
        RUVIHENS();
        if (onePageMode())
            RUVINEW1();
        else
            RUVINEW2();
        GAZOUAWASE();
        prefetchAround();
    }
    BOTNHANTEI();
}

void Form1::prefetchAround()
{
    // The pages the next and the previous command will want, the next first.
    const int index = m_state.pageIndex;
    const QList<int> wanted = onePageMode() ? QList<int>{index + 1, index + 2, index - 1}
                                            : QList<int>{index + 1, index + 2, index - 3, index - 2};
    QStringList paths;
    for (int i : wanted) {
        if (i >= 0 && i < pages().count())
            paths.append(joinPath(m_browser.folder(), pages().name(i)));
    }
    m_platform.pictures.prefetch(paths);
}

void Form1::nextPage()
{
    PAGESOUSA();
    MTUGI();
}

void Form1::previousPage()
{
    m_fields.goingBack = true;
    if (!onePageMode())
        PAGESOUSA();
    MMAE();
}

void Form1::NEXTP_Click()
{
    const ChangeBatch::Scope changes(m_changes);
    const BusyPointer busy(m_platform.pointer);
    nextPage();
    m_changes.note();
}

void Form1::PRVP_Click()
{
    const ChangeBatch::Scope changes(m_changes);
    const BusyPointer busy(m_platform.pointer);
    previousPage();
    m_changes.note();
}

} // namespace ruvo

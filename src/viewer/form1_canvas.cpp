// The canvas: every page from the one on screen to the end of the book, side
// by side in rows over the viewing area. Run again, it goes away.
#include "browse/form2.h"
#include "common/number_text.h"
#include "platform/file_services.h"
#include "viewer/form1.h"
#include "viewer/status_texts.h"

#include <algorithm>

namespace ruvo {

void Form1::KANBAS()
{
    const ChangeBatch::Scope changes(m_changes);
    Surface& canvas = m_controls.picture6;
    if (canvas.visible) {
        canvas.visible = false;
        m_controls.foto = {Surface{}, Surface{}};
        m_changes.note();
        return;
    }
    canvas.move(0, 0, m_controls.nori.width, m_controls.nori.height);
    canvas.visible = true;
    const int count = pages().count();
    if (count == 0) {
        m_changes.note();
        return;
    }
    // The canvas takes the status bar: a page still awaited no longer comes.
    m_awaited.clear();
    // The first page of the spread on screen, never before the book's first.
    int page = m_reading.index();
    if (count > 1)
        page = std::max(page - 1, 0);
    reading().moveTo(page);

    StatusBarState& status = m_controls.statusBar;
    RUVIHENS();
    status.panel(3) = StatusText::loading();
    loadTile(0);
    int rowHeight = roundHalfEven(m_controls.foto[0].height);
    m_state.shownVolumeLabel = m_platform.files.volumeLabel(m_fields.pagePath);
    status.panel(3) = pageLabel();
    status.panel(1) = positionText();

    int x = 0;
    int y = 0;
    for (int i = 1; page + 1 < count; ++i) {
        ++page;
        takePage(page);
        if (i >= m_controls.foto.size())
            m_controls.foto.append(Surface{});
        status.panel(2) = StatusText::loading();
        loadTile(i);
        Surface& tile = m_controls.foto[i];
        rowHeight = std::max(rowHeight, roundHalfEven(tile.height));
        status.panel(2) = pageLabel(page);
        status.panel(1) = positionText(page);
        const Surface& previous = m_controls.foto[i - 1];
        if (previous.width + x + tile.width > canvas.width) {
            y = roundHalfEven(previous.top + rowHeight);
            x = 0;
        } else {
            x = roundHalfEven(previous.left + previous.width);
        }
        tile.left = x;
        tile.top = y;
    }

    placePagesInFrame();
    showLoadedPages();
    // The canvas ends at the book's last page, as a spread of it and the page before.
    m_reading.show(Spread{std::max(page - 1, 0), page > 0 ? 2 : 1});
    if (page + 1 == count)
        m_fields.endCheckArmed = true;
    m_changes.note();
}

void Form1::loadTile(int index)
{
    Surface& tile = m_controls.foto[index];
    loadPicture(tile, m_fields.page);
    tile.visible = true;
    if (index == 0) {
        tile.left = 0;
        tile.top = 0;
    }
}

} // namespace ruvo

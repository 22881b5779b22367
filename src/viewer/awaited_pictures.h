#pragma once

#include "display/surface.h"
#include "imaging/page_ref.h"

#include <QList>
#include <QString>

namespace ruvo {

// The pages wanted on screen that are still being decoded, each with the place it is to take
// and the status-bar text it brings: until every one of them is there, the places keep what
// they showed and the status bar says the pages are loading.
class AwaitedPictures
{
public:
    struct Picture
    {
        Surface* place = nullptr;
        PageRef page;
        // The status-bar panel that names the page, and the name.
        int panel = 0;
        QString label;
    };

    // The page is now awaited in place, instead of whatever was awaited there.
    void await(Surface& place, const PageRef& page, int panel, const QString& label);
    // The place no longer waits: it shows something else, or nothing.
    void forget(const Surface& place);
    bool isAwaited(const Surface& place) const;
    bool isEmpty() const { return m_pictures.isEmpty(); }
    const QList<Picture>& pictures() const { return m_pictures; }
    // Every picture awaited, and none is any more.
    QList<Picture> takeAll();
    void clear() { m_pictures.clear(); }

private:
    QList<Picture> m_pictures;
};

} // namespace ruvo

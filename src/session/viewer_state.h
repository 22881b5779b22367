#pragma once

#include <QString>
#include <QtGlobal>

namespace ruvo {

// Values every window of the program reads, for the life of the process.
struct ViewerState
{
    QString commandLine;
    // 0-based index of the current page; after a spread it points at its second page. Written
    // from the viewer's reading session, for the other windows to read.
    qint16 pageIndex = 0;
    QString shownPagePath;
    QString shownVolumeLabel;
    // Never ends in a separator ("" for the file-system root).
    QString programFolder;
    // Never ends in a separator except the file-system root itself ("/").
    QString shelfFolder;
};

} // namespace ruvo

#pragma once

#include "imaging/page_ref.h"

#include <QString>
#include <QtGlobal>

namespace ruvo {

// The main window's own fields: page stepping, automatic scrolling and panning.
struct Form1Fields
{
    // A book has been opened, with pages or none; until then the window shows none.
    bool bookOpened = false;
    QString pagePath;
    // The page pagePath names, as its book holds it.
    PageRef page;
    // The next step of the page index goes back.
    bool goingBack = false;
    // The next-page commands switch off once the end of the book is reached.
    bool endCheckArmed = false;
    // Two pages are on screen (rather than one, or the last page alone); written from the
    // reading session.
    bool spreadShown = false;
    bool autoScrollOn = false;
    qint16 scrollStep = 75;
    qint32 scrollPos = 0;
    bool scrollReturning = false;
    qint32 scrollRange = 0;

    // Panning: a button held on a page image, on which page, and where.
    bool panActive = false;
    bool panOnFirstPage = false;
    qint32 panMouseX = 0;
    qint32 panMouseY = 0;

    // The book last told it holds more pages than can be shown.
    QString toldPagesLeftOut;
};

} // namespace ruvo

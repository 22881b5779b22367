#pragma once

#include <QString>
#include <QtGlobal>

namespace ruvo {

// The main window's own fields: page stepping, automatic scrolling and panning.
struct Form1Fields
{
    QString pagePath;
    qint16 goingBack = 0;
    qint16 endCheckArmed = 0;
    qint16 spreadShown = 0;
    qint16 autoScrollOn = 0;
    qint16 scrollStep = 75;
    qint32 scrollPos = 0;
    qint16 scrollReturning = 0;
    qint32 scrollRange = 0;

    // Panning: a button held on a page image, on which page, and where.
    qint16 panActive = 0;
    qint16 panOnFirstPage = 0;
    qint32 panMouseX = 0;
    qint32 panMouseY = 0;
};

} // namespace ruvo

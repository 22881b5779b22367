#pragma once

#include <QString>
#include <QtGlobal>

namespace ruvo {

// The main window's own fields: page stepping and automatic scrolling.
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
};

} // namespace ruvo

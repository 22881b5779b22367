#pragma once

#include "imaging/page_ref.h"

#include <QImage>
#include <QString>

namespace ruvo {

// A display surface of a window: position and size in twips relative to its
// parent surface, visibility, background colour and the picture it shows.
struct Surface
{
    // Twips; fits may place a frame at a half twip.
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool visible = true;
    int backColor = 0;
    QImage picture;
    // The page the picture was decoded from; empty for any other picture.
    PageRef source;
    // Image surfaces that scale their picture to their size.
    bool stretch = false;
    // Picture pixels to a device-independent pixel: above 1 for a page laid out at one
    // picture pixel to each device pixel of a screen with more of them.
    qreal pixelRatio = 1;

    void move(double newLeft, double newTop, double newWidth, double newHeight)
    {
        left = newLeft;
        top = newTop;
        width = newWidth;
        height = newHeight;
    }
    void collapse() { move(0, 0, 0, 0); }
};

} // namespace ruvo

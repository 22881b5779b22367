#pragma once

#include <QImage>
#include <QString>

namespace ruvo {

// A display surface of a window: position and size in twips relative to its
// parent surface, visibility, background colour and the picture it shows.
struct Surface
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool visible = true;
    int backColor = 0;
    QImage picture;
    // Image surfaces that scale their picture to their size.
    bool stretch = false;

    void move(int newLeft, int newTop, int newWidth, int newHeight)
    {
        left = newLeft;
        top = newTop;
        width = newWidth;
        height = newHeight;
    }
};

} // namespace ruvo

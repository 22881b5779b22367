#pragma once

#include <QPointF>
#include <QSizeF>

namespace ruvo {

// Where the page frame goes in the viewing area, in twips.
struct FrameFit
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    // How far the frame reaches below the viewing area (negative when shorter).
    int scrollRange = 0;
};

// Two pages side by side (the first on the right): centred when smaller than
// the viewing area, otherwise right- and top-aligned so the first page shows.
FrameFit fitSpread(QSizeF firstPage, QSizeF secondPage, QSizeF area);

// One page, by the same rules, placed at the exact half twip.
FrameFit fitSinglePage(QSizeF page, QSizeF area);

enum class Placement
{
    UpperRight,
    LowerRight,
    Centre,
    UpperLeft,
    LowerLeft
};

QPointF placementPosition(Placement placement, QSizeF frame, QSizeF area);

} // namespace ruvo

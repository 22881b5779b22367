#pragma once

#include <QSizeF>

namespace ruvo {

// A stretched page image in the viewing area, in twips.
struct StretchedImage
{
    bool visible = false;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The size a page is stretched to: whole per cents of the page (doubled first
// while it fits half the area's width and its height, so that the per-cent
// steps stay fine for small pages), as many as fit the available width and
// the area's height. When even 300 steps fit, the previous size stays. A page
// of no size cannot be stretched: nothing is returned.
bool stretchedSize(QSizeF page, QSizeF area, double availableWidth, QSizeF previous, QSizeF* result);

// The first (or only) page: centred in one-page mode, starting at the middle
// line in two-page mode.
StretchedImage stretchFirstPage(QSizeF page, QSizeF area, bool onePageMode, QSizeF previous);

// The second page of a spread: ends at the middle line.
StretchedImage stretchSecondPage(QSizeF page, QSizeF area, QSizeF previous);

} // namespace ruvo

#pragma once

#include "display/page_fitting.h"
#include "display/stretch_fit.h"

#include <QPointF>
#include <QSizeF>

namespace ruvo {

// The side a spread's earlier page stands on: the right (manga), or the left.
enum class ReadingDirection
{
    RightToLeft,
    LeftToRight,
};

// The pages of a spread, in twips: the first (or only) page and the second, which is empty
// when the first stands alone.
struct SpreadPages
{
    QSizeF first;
    QSizeF second;
};

// A spread at actual size: its pages side by side in the page frame, the first on the right,
// and the frame in the viewing area as a turn fits it: centred where it fits, else at the top
// and the first page's side. Left to right, all of it is mirrored.
struct FrameLayout
{
    QPointF first;
    QPointF second;
    FrameFit frame;
};

FrameLayout layOutFrame(const SpreadPages& pages, QSizeF area,
                        ReadingDirection direction = ReadingDirection::RightToLeft);

// A spread stretched: each page's image in the viewing area, the first right of the middle
// line and the second left of it (left to right, mirrored); over the whole area, the first
// alone in the middle.
struct StretchedLayout
{
    StretchedImage first;
    StretchedImage second;
};

// before holds the images' sizes as they are, which stay when even the finest steps fit.
StretchedLayout layOutStretched(const SpreadPages& pages, QSizeF area, bool wholeArea,
                                const SpreadPages& before,
                                ReadingDirection direction = ReadingDirection::RightToLeft);

} // namespace ruvo

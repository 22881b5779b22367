#pragma once

#include <QSize>
#include <QSizeF>

namespace ruvo {

// The size in pixels of a PDF page of the given size in points (1/72 inch) at 96 dots per
// inch, rounded, a pixel at least; empty for a page of no size.
QSize pdfPageActualSize(QSizeF points);

// The size a page is drawn at when it is wanted at wanted: that size, or when it would exceed
// the limits of a drawn page, the largest of the same shape within them.
QSize withinPictureCap(QSize wanted);

} // namespace ruvo

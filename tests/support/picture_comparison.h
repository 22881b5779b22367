#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>

namespace ruvo::test {

// Pictures of a test's own, in distinct flat quarters (red, green, blue, yellow from the top
// left, reading order), which a lossy coding keeps away from the edges between them and every
// orientation tells apart.
QImage quarteredPicture(QSize size);
// The same over a transparent background: the top left quarter opaque, the top right half
// transparent, the bottom ones clear.
QImage quarteredWithAlpha(QSize size);

// The largest difference of any channel of any pixel, both pictures taken premultiplied;
// 256 when their sizes differ.
int largestDifference(const QImage& a, const QImage& b);
// The same at the centre of each quarter alone.
int largestDifferenceAtQuarters(const QImage& a, const QImage& b);

} // namespace ruvo::test

#pragma once

#include <QSize>

namespace ruvo {

// The size in device pixels at which a stretched page image of this twip size is drawn:
// its size in pixels, times the screen's ratio. Drawing and preparing ahead both use it,
// so that an image prepared ahead is the one drawn.
QSize stretchedDeviceSize(double widthTwips, double heightTwips, qreal devicePixelRatio);

} // namespace ruvo

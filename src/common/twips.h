#pragma once

#include <QRect>
#include <cmath>

namespace ruvo {

// Lengths of the main window are kept in twips: 15 to a device-independent pixel.
inline constexpr int twipsPerPixel = 15;

constexpr int toTwips(int pixels)
{
    return pixels * twipsPerPixel;
}

// Rounds to the nearest pixel (a twip length need not be a whole number of pixels).
constexpr int toPixels(int twips)
{
    return twips >= 0 ? (twips + twipsPerPixel / 2) / twipsPerPixel
                      : -((-twips + twipsPerPixel / 2) / twipsPerPixel);
}

inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

inline QRect toPixelRect(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace ruvo

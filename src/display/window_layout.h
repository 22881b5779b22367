#pragma once

namespace ruvo {

// The viewing area's place between the toolbar and the status bar, in twips.
struct ViewingAreaPlace
{
    double top = 0;
    double width = 0;
    double height = 0;
};

ViewingAreaPlace placeViewingArea(double scaleWidth, double scaleHeight, bool toolbarVisible,
                                  double toolbarHeight, bool statusBarVisible, double statusBarHeight);

// Windows smaller than this (twips, either side) keep their last layout.
inline constexpr int smallestLaidOutSide = 3000;

} // namespace ruvo

#include "display/window_layout.h"

namespace ruvo {

ViewingAreaPlace placeViewingArea(double scaleWidth, double scaleHeight, bool toolbarVisible,
                                  double toolbarHeight, bool statusBarVisible, double statusBarHeight)
{
    ViewingAreaPlace place;
    place.top = toolbarVisible ? toolbarHeight : 0;
    place.height = scaleHeight - place.top - (statusBarVisible ? statusBarHeight : 0);
    place.width = scaleWidth;
    return place;
}

} // namespace ruvo

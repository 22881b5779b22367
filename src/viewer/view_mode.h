#pragma once

#include "display/spread_layout.h"
#include "viewer/spread_plan.h"

namespace ruvo {

// How large pages are drawn: at their own size, in one of the five placements, or each whole
// in the viewing area (stretched).
enum class PageFit
{
    ActualSize,
    WholePage,
};

// How the reader views the book's pages. Check marks and pressed buttons are written from it,
// and never read back.
struct ViewMode
{
    bool onePage = false;
    // Two at a time, a page wider than it is tall stands alone.
    bool widePagesAlone = false;
    ReadingDirection direction = ReadingDirection::RightToLeft;
    PageFit fit = PageFit::ActualSize;
    // At actual size, a page pixel goes to each device pixel.
    bool devicePixels = false;

    bool stretched() const { return fit == PageFit::WholePage; }
    Pairing pairing() const
    {
        return onePage ? Pairing::OnePage : widePagesAlone ? Pairing::ByShape : Pairing::EveryTwo;
    }
    bool operator==(const ViewMode& other) const = default;
};

} // namespace ruvo

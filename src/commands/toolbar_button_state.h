#pragma once

namespace ruvo {

struct ToolbarButtonState
{
    bool enabled = true;
    bool visible = true;
    bool pressed = false;
    // The icon is drawn turned over, left for right: an arrow of the reading direction.
    bool mirrored = false;
};

} // namespace ruvo

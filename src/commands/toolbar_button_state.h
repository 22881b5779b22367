#pragma once

namespace ruvo {

struct ToolbarButtonState
{
    bool enabled = true;
    bool visible = true;
    bool pressed = false;
};

} // namespace ruvo

#include "commands/placement_commands.h"

#include "commands/toolbar_table.h"

namespace ruvo {

int placementButton(Placement placement)
{
    switch (placement) {
    case Placement::UpperRight:
        return MainToolbar::upperRight;
    case Placement::LowerRight:
        return MainToolbar::lowerRight;
    case Placement::Centre:
        return MainToolbar::centre;
    case Placement::UpperLeft:
        return MainToolbar::upperLeft;
    case Placement::LowerLeft:
        return MainToolbar::lowerLeft;
    }
    return 0;
}

ControlName placementMenuItem(Placement placement)
{
    switch (placement) {
    case Placement::UpperRight:
        return MenuItem::upperRight;
    case Placement::LowerRight:
        return MenuItem::lowerRight;
    case Placement::Centre:
        return MenuItem::centre;
    case Placement::UpperLeft:
        return MenuItem::upperLeft;
    case Placement::LowerLeft:
        return MenuItem::lowerLeft;
    }
    return {};
}

} // namespace ruvo

// The grow and shrink animation of the settings dialog: from the empty
// rectangle at AnimPoint to the window's rectangle, and back.
#pragma once

#include <cstdint>

#include "frontend/startup.h"

namespace orvelle {

struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

struct AnimationRects {
    ScreenRect from;
    ScreenRect to;
};

// The empty rectangle at the point: left and right are x, top and bottom y.
ScreenRect pointRect(AnimPoint point);

// AnimateOpen: from the point to the window. AnimateClose: the reverse.
AnimationRects openingRects(AnimPoint point, const ScreenRect& window);
AnimationRects closingRects(AnimPoint point, const ScreenRect& window);

}  // namespace orvelle

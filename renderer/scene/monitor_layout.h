// The monitors one window spans. Monitors are rectangles in desktop
// coordinates (y downwards, the primary's top-left at 0,0; a monitor left of
// or above the primary lies at negative coordinates). The window covers
// their bounding box, and each monitor is drawn in its own viewport of that
// window, given in OpenGL's terms (x from the window's left, y from its
// bottom). When the monitors change, the matching says which scene each new
// monitor keeps.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace orvelle {

struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// The smallest rectangle holding every monitor that is not empty; all zero
// when there is none. Coordinates beyond 32 bits are clamped.
ScreenRect boundingBox(std::span<const ScreenRect> monitors);

// The monitor's area in a window at `window` (both in desktop coordinates),
// as glViewport takes it: left and top hold x and y from the window's
// bottom-left corner.
ScreenRect viewportIn(const ScreenRect& window, const ScreenRect& monitor);

// For each monitor after a change, the index of the monitor before it whose
// scene it keeps, or kNewScene. A monitor keeps the scene of one with the
// same rectangle; failing that, of one at the same place (it changed size);
// failing that, of one of the same size (it moved). Each scene goes to one
// monitor at most; those nobody keeps end.
inline constexpr int32_t kNewScene = -1;
std::vector<int32_t> matchMonitors(std::span<const ScreenRect> before,
                                   std::span<const ScreenRect> after);

}  // namespace orvelle

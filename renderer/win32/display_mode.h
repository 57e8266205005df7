// The display for the length of a run: the mode the settings file records,
// switched to on the primary display and restored at the end, and the
// cursor hidden meanwhile. The other monitors keep their modes.
#pragma once

#include <cstdint>

namespace orvelle {

// The recorded size (the defaults where the file gives none) and the
// desktop's colour depth (0 where unknown: the depth is then left alone).
struct DisplayRequest {
    int32_t width = 0;
    int32_t height = 0;
    uint8_t colorBits = 0;
};
DisplayRequest recordedDisplayMode();

// Switches the primary display to the request's size and hides the cursor;
// the destructor restores the display's registry mode and shows the cursor.
// The switch's result is not examined: a display that refuses the size
// keeps its own, and the run covers whatever the monitors then are.
class ScopedDisplayMode {
public:
    explicit ScopedDisplayMode(const DisplayRequest& request);
    ~ScopedDisplayMode();
    ScopedDisplayMode(const ScopedDisplayMode&) = delete;
    ScopedDisplayMode& operator=(const ScopedDisplayMode&) = delete;
};

}  // namespace orvelle

// Where the settings dialog's window opens, worked out from the monitors'
// places alone: its size at the display's DPI, centred across the work area
// of the monitor under the pointer (the primary one when none is), at a
// third of the free height.
#pragma once

#include <vector>

#include "settings/dialog_layout.h"

namespace orvelle::dialog {

// A length at 96 DPI at another DPI, rounded to the nearest pixel (a half
// away from zero).
int scaled(int value, int dpi);

struct Monitor {
    Box area;  // the whole monitor, in screen pixels
    Box work;  // what windows may cover: without the task bar and the like
    bool primary = false;
};

// The window: its client area (kClient at dpi) with frameWidth and
// frameHeight more for the frame the platform puts round it. Left and top
// divide the free width by 2 and the free height by 3, truncating; a window
// larger than the work area starts at that edge. With no monitor at all it
// opens at (0, 0).
Box placeDialog(const std::vector<Monitor>& monitors, int pointerX, int pointerY, int dpi,
                int frameWidth, int frameHeight);

}  // namespace orvelle::dialog

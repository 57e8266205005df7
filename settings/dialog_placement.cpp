#include "settings/dialog_placement.h"

#include <algorithm>
#include <cstdint>

namespace orvelle::dialog {

int scaled(int value, int dpi) {
    const int64_t product = int64_t{value} * dpi;
    const int64_t rounded = (product < 0 ? product - 48 : product + 48) / 96;
    return static_cast<int>(rounded);
}

Box placeDialog(const std::vector<Monitor>& monitors, int pointerX, int pointerY, int dpi,
                int frameWidth, int frameHeight) {
    const int w = scaled(kClient.w, dpi) + frameWidth, h = scaled(kClient.h, dpi) + frameHeight;
    auto holdsPointer = [&](const Monitor& m) {
        return pointerX >= m.area.x && pointerX < m.area.x + m.area.w && pointerY >= m.area.y &&
               pointerY < m.area.y + m.area.h;
    };
    auto chosen = std::find_if(monitors.begin(), monitors.end(), holdsPointer);
    if (chosen == monitors.end()) {
        chosen = std::find_if(monitors.begin(), monitors.end(),
                              [](const Monitor& m) { return m.primary; });
    }
    if (chosen == monitors.end()) chosen = monitors.begin();
    if (chosen == monitors.end()) return {0, 0, w, h};
    const Box& work = chosen->work;
    return {work.x + std::max(0, (work.w - w) / 2), work.y + std::max(0, (work.h - h) / 3), w, h};
}

}  // namespace orvelle::dialog

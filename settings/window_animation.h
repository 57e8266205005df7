// The point the settings dialog grows from when it opens and shrinks into
// when it closes: the mouse position when it opened, in screen pixels.
#pragma once

#include <cstdint>

namespace orvelle {

struct AnimPoint {
    int16_t x = 0;
    int16_t y = 0;
};

}  // namespace orvelle

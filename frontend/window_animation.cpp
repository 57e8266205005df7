#include "frontend/window_animation.h"

namespace orvelle {

ScreenRect pointRect(AnimPoint point) {
    return {point.x, point.y, point.x, point.y};
}

AnimationRects openingRects(AnimPoint point, const ScreenRect& window) {
    return {pointRect(point), window};
}

AnimationRects closingRects(AnimPoint point, const ScreenRect& window) {
    return {window, pointRect(point)};
}

}  // namespace orvelle

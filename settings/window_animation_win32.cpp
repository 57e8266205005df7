#include "settings/window_animation_win32.h"

namespace orvelle {
namespace {

void animate(HWND window, AnimPoint point, bool opening) {
    const RECT atPoint{point.x, point.y, point.x, point.y};
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    DrawAnimatedRects(window, IDANI_CAPTION, opening ? &atPoint : &windowRect,
                      opening ? &windowRect : &atPoint);
}

}  // namespace

void animateOpen(HWND window, AnimPoint point) {
    animate(window, point, true);
}

void animateClose(HWND window, AnimPoint point) {
    animate(window, point, false);
}

}  // namespace orvelle

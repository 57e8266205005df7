#include "frontend/window_animation_win32.h"

namespace orvelle {
namespace {

RECT toRect(const ScreenRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

void animate(HWND window, AnimPoint point, bool opening) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const ScreenRect windowRect{rect.left, rect.top, rect.right, rect.bottom};
    const AnimationRects rects =
        opening ? openingRects(point, windowRect) : closingRects(point, windowRect);
    const RECT from = toRect(rects.from);
    const RECT to = toRect(rects.to);
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

}  // namespace

void AnimateOpen(HWND window, AnimPoint point) {
    animate(window, point, true);
}

void AnimateClose(HWND window, AnimPoint point) {
    animate(window, point, false);
}

}  // namespace orvelle

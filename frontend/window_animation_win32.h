// The platform's caption animation between AnimPoint and a window.
#pragma once

#include <windows.h>

#include "frontend/window_animation.h"

namespace orvelle {

// Draws the animation from AnimPoint to the window's rectangle; the results
// of the calls are not kept.
void AnimateOpen(HWND window, AnimPoint point);
// The same from the window's rectangle to AnimPoint.
void AnimateClose(HWND window, AnimPoint point);

}  // namespace orvelle

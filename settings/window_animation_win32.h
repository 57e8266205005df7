// The settings dialog's grow and shrink animation: the platform's caption
// animation between the empty rectangle at AnimPoint and the window.
#pragma once

#include <windows.h>

#include "settings/window_animation.h"

namespace orvelle {

// From AnimPoint to the window's rectangle; the results of the calls are not kept.
void animateOpen(HWND window, AnimPoint point);
// From the window's rectangle to AnimPoint.
void animateClose(HWND window, AnimPoint point);

}  // namespace orvelle

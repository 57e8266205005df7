// Arrow-key control of the motion speed and the attractor's pull.
#pragma once

#include <cstdint>

#include "renderer/scene/renderer_state.h"

namespace orvelle {

// Virtual-key codes of the keys the renderer reacts to.
inline constexpr uint32_t kKeyEscape = 0x1B;
inline constexpr uint32_t kKeyLeft = 0x25;
inline constexpr uint32_t kKeyUp = 0x26;
inline constexpr uint32_t kKeyRight = 0x27;
inline constexpr uint32_t kKeyDown = 0x28;

// Only the key that moves a value towards a bound applies that bound; the
// per-frame growth of the speed is not bounded. Other keys do nothing.
void handleArrowKey(RendererState& state, uint32_t virtualKey);

}  // namespace orvelle

// Arrow-key control of the motion speed and the attractor's pull.
#pragma once

#include <cstdint>

#include "platform/virtual_keys.h"
#include "renderer/scene/renderer_state.h"

namespace orvelle {

// Only the key that moves a value towards a bound applies that bound; the
// speed's per-frame growth in the first minutes of a run is not bounded.
// Other keys do nothing.
void handleArrowKey(RendererState& state, uint32_t virtualKey);

}  // namespace orvelle

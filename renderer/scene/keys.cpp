#include "renderer/scene/keys.h"

namespace orvelle {

void handleArrowKey(RendererState& state, uint32_t virtualKey) {
    switch (virtualKey) {
        case keys::kLeft:
            state.motionSpeed -= 0.25f;
            if (state.motionSpeed < 0.25f) state.motionSpeed = 0.25f;
            break;
        case keys::kRight:
            state.motionSpeed += 0.25f;
            if (state.motionSpeed > 75.0f) state.motionSpeed = 75.0f;
            break;
        case keys::kUp:
            state.pullStrength += 50000.0f;
            if (state.pullStrength > 5000000.0f) state.pullStrength = 5000000.0f;
            break;
        case keys::kDown:
            state.pullStrength -= 50000.0f;
            if (state.pullStrength < 50000.0f) state.pullStrength = 50000.0f;
            break;
        default:
            break;
    }
}

}  // namespace orvelle

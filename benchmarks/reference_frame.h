// The least work a frame's picture takes, as a plain loop: the fade, then
// each puff over the pixels of its rotated rectangle, its texture sampled
// from the full-size atlas bilinearly with 8-bit weights, times its colour
// and added with saturation (no mipmaps, no stars, no rules for edges:
// the bound the backends are measured against, not a backend). Built
// twice, for the baseline and with AVX2, from the one source.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "renderer/scene/frame_target.h"
#include "renderer/scene/puff_texture.h"

namespace orvelle::bench {

struct ReferencePicture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> pixels;  // rows from the top, 0x00RRGGBB
};

// The atlas's grey levels, row-major.
std::vector<uint8_t> referenceTexels(const PuffAtlas& atlas);

void referenceFrame(ReferencePicture& picture, std::span<const PuffQuad> puffs,
                    const std::vector<uint8_t>& texels);
void referenceFrameAvx2(ReferencePicture& picture, std::span<const PuffQuad> puffs,
                        const std::vector<uint8_t>& texels);

}  // namespace orvelle::bench

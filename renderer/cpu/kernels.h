// The per-pixel work of the processor backend, over one row at a time:
// the fade, the colour of a star's triangle, a puff's texture. Each is
// written once (kernels_impl.h) over xsimd's batches and built twice: for
// the SSE2 that every 64-bit x86 processor has, and for AVX2 with fused
// multiply-add, chosen when the processor has them.
//
// Pixels are 32 bits, 0x00RRGGBB. A row handed to a kernel has room for
// kRowSlack pixels after its last: a kernel reads and writes back whole
// batches, leaving the pixels outside the span as they were.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "renderer/cpu/raster.h"

namespace orvelle::cpu {

inline constexpr int32_t kRowSlack = 16;

// What a puff adds to a pixel for each grey level of the filtered atlas:
// its colour times the grey level, times the same in alpha, as bytes.
using PuffShades = std::array<uint32_t, 256>;

struct Kernels {
    const char* name;
    // Whether the planes are evaluated with fused multiply-add (as the
    // pipeline does on a processor that has it).
    bool fused;
    // Keeps three quarters of each channel of count pixels, rounded.
    void (*fade)(uint32_t* pixels, int32_t count);
    // A star's triangle over pixels first to last of row y: its colour
    // planes 0 to 3 (red, green, blue, alpha), added with saturation.
    void (*shade)(uint32_t* row, int32_t y, int32_t first, int32_t last, const Triangle& triangle);
    // A puff's triangle: texture coordinate planes 0 and 1, sampled
    // bilinearly at the level (or per block, kLevelPerBlock), the shade
    // of the grey level added with saturation.
    void (*texture)(uint32_t* row, int32_t y, int32_t first, int32_t last, const Triangle& triangle,
                    const AtlasLevels& atlas, int level, const PuffShades& shades);
    // The shades of a puff of that colour (red, green, blue, alpha, each
    // already clamped to 0 to 1).
    void (*shades)(const std::array<float, 4>& color, PuffShades& out);
};

// The baseline kernels, and the AVX2 ones where the processor runs them
// (nullptr otherwise, or where the build has none).
const Kernels& baselineKernels();
const Kernels* avx2Kernels();

}  // namespace orvelle::cpu

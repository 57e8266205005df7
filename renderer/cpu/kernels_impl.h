// The kernels of kernels.h, written once over xsimd's batches, for the
// translation unit that includes this to build for its instructions. All
// of it is internal to that unit, and every kernel is flattened (the
// library's functions inlined into it): no function made here for AVX2
// can be linked in place of the baseline's.
//
// The arithmetic is the pipeline's, step for step: planes evaluated as
// a0 + dadx x, then + dady y (fused where the instructions have it), a
// texture coordinate to 8 bits of fraction by rounding, the bilinear
// blend in integers with the weight rounded (a + (w (b - a) + 128) >> 8,
// first along the row, then between the rows), colours as bytes by
// rounding, byte products a b / 255 rounded, saturating addition.
#pragma once

#include <xsimd/xsimd.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "renderer/cpu/kernels.h"

namespace orvelle::cpu {
namespace {

#if defined(__GNUC__)
#define ORVELLE_FLATTEN [[gnu::flatten]]
#else
#define ORVELLE_FLATTEN
#endif

template <class Arch, bool Fused>
struct KernelSet {
    using F = xsimd::batch<float, Arch>;
    using I = xsimd::batch<int32_t, Arch>;
    using U = xsimd::batch<uint32_t, Arch>;
    using H = xsimd::batch<uint16_t, Arch>;
    using B = xsimd::batch<uint8_t, Arch>;
    static constexpr int32_t kLanes = static_cast<int32_t>(F::size);
    static_assert(kLanes <= kRowSlack, "a batch reaches no further than a row's slack");
    // SSE2 multiplies 32-bit integers one lane at a time: there the
    // bilinear blend is worked in floats, which hold every value exactly.
    static constexpr bool kFloatBlend = std::is_same_v<Arch, xsimd::sse2>;

    static I lanes() {
        alignas(64) static constexpr int32_t kIota[16] = {0, 1, 2,  3,  4,  5,  6,  7,
                                                          8, 9, 10, 11, 12, 13, 14, 15};
        return I::load_aligned(kIota);
    }

    static F plane(const Plane& p, const F& x, const F& y) {
        return xsimd::fma(F(p.dady), y, xsimd::fma(F(p.dadx), x, F(p.a0)));
    }
    static float plane(const Plane& p, float x, float y) {
        if constexpr (Fused) {
            return std::fma(p.dady, y, std::fma(p.dadx, x, p.a0));
        } else {
            return p.dady * y + (p.dadx * x + p.a0);
        }
    }

    // A colour channel from 0 to 1 to a byte.
    static I toByte(const F& v) {
        return xsimd::nearbyint_as_int(xsimd::min(xsimd::max(v, F(0.0f)), F(1.0f)) * F(255.0f));
    }
    static I mulByte(const I& a, const I& b) {
        I ab = a * b;
        ab = ab + (ab >> 8) + I(128);
        return ab >> 8;
    }

    static I lerp(const I& w, const I& a, const I& b) {
        if constexpr (kFloatBlend) {
            // floor((w (b - a) + 128) / 256) by truncation, made positive.
            const F step = xsimd::to_float(w) * xsimd::to_float(b - a) + F(128.0f + 65536.0f);
            return a + (xsimd::to_int(step * F(1.0f / 256.0f)) - I(256));
        } else {
            return a + ((w * (b - a) + I(128)) >> 8);
        }
    }

    // The batch at row[x] plus add, byte by byte with saturation; lanes
    // past last keep their pixels.
    static void addSaturated(uint32_t* row, int32_t x, int32_t last, const U& add) {
        uint32_t* at = row + x;
        const U old = U::load_unaligned(at);
        U sum = xsimd::bitwise_cast<U>(
            xsimd::sadd(xsimd::bitwise_cast<B>(old), xsimd::bitwise_cast<B>(add)));
        if (last - x + 1 < kLanes) {
            sum = xsimd::bitwise_cast<U>(xsimd::select(lanes() < I(last - x + 1),
                                                       xsimd::bitwise_cast<I>(sum),
                                                       xsimd::bitwise_cast<I>(old)));
        }
        sum.store_unaligned(at);
    }

    static H fadeBytes(const H& v) {
        // Each byte times 191/255, rounded; x 191 is x 128 + x 64 - x.
        const auto fade = [](const H& x) {
            H ab = (x << 7) + (x << 6) - x;
            ab = ab + (ab >> 8) + H(128);
            return ab >> 8;
        };
        return fade(v & H(0xFF)) | (fade(v >> 8) << 8);
    }

    ORVELLE_FLATTEN static void fade(uint32_t* pixels, int32_t count) {
        constexpr int32_t perBatch = static_cast<int32_t>(H::size) / 2;
        int32_t i = 0;
        for (; i + perBatch <= count; i += perBatch) {
            auto* at = reinterpret_cast<uint16_t*>(pixels + i);
            fadeBytes(H::load_unaligned(at)).store_unaligned(at);
        }
        for (; i < count; ++i) {
            uint32_t p = pixels[i], out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                out |= static_cast<uint32_t>(
                           cpu::mulByte(static_cast<int32_t>((p >> shift) & 0xFF), 191))
                       << shift;
            }
            pixels[i] = out;
        }
    }

    ORVELLE_FLATTEN static void shade(uint32_t* row, int32_t y, int32_t first, int32_t last,
                                      const Triangle& t) {
        const F fy(static_cast<float>(y));
        for (int32_t x = first; x <= last; x += kLanes) {
            const F fx = xsimd::to_float(I(x) + lanes());
            const I alpha = toByte(plane(t.planes[3], fx, fy));
            const I red = mulByte(toByte(plane(t.planes[0], fx, fy)), alpha);
            const I green = mulByte(toByte(plane(t.planes[1], fx, fy)), alpha);
            const I blue = mulByte(toByte(plane(t.planes[2], fx, fy)), alpha);
            addSaturated(row, x, last, xsimd::bitwise_cast<U>(blue | (green << 8) | (red << 16)));
        }
    }

    // 32-bit entries of a table. xsimd 8.1's AVX2 gather of 32-bit
    // integers can never be chosen (its enable_if names a template
    // parameter of type void), so that one instruction is written here;
    // elsewhere the library gathers lane by lane.
    static U gather(const uint32_t* table, const I& index) {
        if constexpr (std::is_base_of_v<xsimd::avx2, Arch>) {
            return U(_mm256_i32gather_epi32(reinterpret_cast<const int*>(table), index, 4));
        } else {
            return U::gather(table, index);
        }
    }

    // The grey level of the atlas at (s, t) of a level of side 2^shift.
    static I sample(const uint32_t* quads, int shift, const F& s, const F& t) {
        const F scale(static_cast<float>(256 << shift));
        const I mask((1 << shift) - 1);
        const I si = xsimd::nearbyint_as_int(s * scale) - I(128);
        const I ti = xsimd::nearbyint_as_int(t * scale) - I(128);
        const I index = (((ti >> 8) & mask) << shift) | ((si >> 8) & mask);
        const U four = gather(quads, index);
        const auto texel = [&](int byte) {
            return xsimd::bitwise_cast<I>((four >> (8 * byte)) & U(0xFF));
        };
        const I ws = si & I(0xFF), wt = ti & I(0xFF);
        return lerp(wt, lerp(ws, texel(0), texel(1)), lerp(ws, texel(2), texel(3)));
    }

    static int32_t sample(const uint32_t* quads, int32_t side, float s, float t) {
        const float scale = static_cast<float>(side * 256);
        const auto fixed = [&](float v) {
            const float r = std::nearbyint(v * scale);
            // Out of range (or not a number) as the conversion instruction has it.
            return (r >= -2147483648.0f && r < 2147483648.0f) ? static_cast<int32_t>(r) - 128
                                                              : INT32_MIN;
        };
        const int32_t si = fixed(s), ti = fixed(t), mask = side - 1;
        const uint32_t four = quads[((ti >> 8) & mask) * side + ((si >> 8) & mask)];
        const auto lerp1 = [](int32_t w, int32_t a, int32_t b) {
            return a + ((w * (b - a) + 128) >> 8);
        };
        const auto texel = [&](int byte) {
            return static_cast<int32_t>((four >> (8 * byte)) & 0xFF);
        };
        const int32_t ws = si & 0xFF, wt = ti & 0xFF;
        return lerp1(wt, lerp1(ws, texel(0), texel(1)), lerp1(ws, texel(2), texel(3)));
    }

    ORVELLE_FLATTEN static void texture(uint32_t* row, int32_t y, int32_t first, int32_t last,
                                        const Triangle& t, const AtlasLevels& atlas, int level,
                                        const PuffShades& shades) {
        if (level == kLevelPerBlock) {
            textureByBlock(row, y, first, last, t, atlas, shades);
            return;
        }
        const int shift = 8 - level;  // the level's side is 256 >> level
        const uint32_t* quads = atlas.quads(level);
        const F fy(static_cast<float>(y));
        for (int32_t x = first; x <= last; x += kLanes) {
            const F fx = xsimd::to_float(I(x) + lanes());
            const I grey =
                sample(quads, shift, plane(t.planes[0], fx, fy), plane(t.planes[1], fx, fy));
            addSaturated(row, x, last, gather(shades.data(), grey));
        }
    }

    // Where rounding may give the blocks of a triangle different levels:
    // each block's level from its own steps, pixel by pixel.
    static void textureByBlock(uint32_t* row, int32_t y, int32_t first, int32_t last,
                               const Triangle& t, const AtlasLevels& atlas,
                               const PuffShades& shades) {
        const Plane& ps = t.planes[0];
        const Plane& pt = t.planes[1];
        const float fy = static_cast<float>(y), by = static_cast<float>(y & ~1);
        for (int32_t x = first; x <= last; ++x) {
            const float bx = static_cast<float>(x & ~1);
            const float s00 = plane(ps, bx, by), t00 = plane(pt, bx, by);
            const int level =
                blockLevel(plane(ps, bx + 1.0f, by) - s00, plane(pt, bx + 1.0f, by) - t00,
                           plane(ps, bx, by + 1.0f) - s00, plane(pt, bx, by + 1.0f) - t00);
            const float fx = static_cast<float>(x);
            const int32_t grey = sample(atlas.quads(level), kAtlasSize >> level, plane(ps, fx, fy),
                                        plane(pt, fx, fy));
            uint32_t sum = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const uint32_t channel = ((row[x] >> shift) & 0xFF) +
                                         ((shades[static_cast<size_t>(grey)] >> shift) & 0xFF);
                sum |= std::min<uint32_t>(channel, 255) << shift;
            }
            row[x] = sum;
        }
    }

    ORVELLE_FLATTEN static void puffShades(const std::array<float, 4>& color, PuffShades& out) {
        for (int32_t grey = 0; grey < 256; grey += kLanes) {
            // The texel as the shader reads it, times the colour.
            const F texel = xsimd::to_float(I(grey) + lanes()) * F(1.0f / 255.0f);
            const I alpha = toByte(texel * F(color[3]));
            const I red = mulByte(toByte(texel * F(color[0])), alpha);
            const I green = mulByte(toByte(texel * F(color[1])), alpha);
            const I blue = mulByte(toByte(texel * F(color[2])), alpha);
            xsimd::bitwise_cast<U>(blue | (green << 8) | (red << 16))
                .store_unaligned(out.data() + grey);
        }
    }

    static Kernels table(const char* name) {
        return {name, Fused, &fade, &shade, &texture, &puffShades};
    }
};

}  // namespace
}  // namespace orvelle::cpu

#include "benchmarks/reference_frame.h"

#include <algorithm>
#include <array>
#include <cmath>

#if defined(ORVELLE_REFERENCE_AVX2)
#include <xsimd/xsimd.hpp>
#endif

namespace orvelle::bench {

#if !defined(ORVELLE_REFERENCE_AVX2)
std::vector<uint8_t> referenceTexels(const PuffAtlas& atlas) {
    // 257 x 257: the first row and column again after the last, so that a
    // texel and its neighbours right and below are at fixed steps.
    std::vector<uint8_t> texels(257 * 257 + 4);  // room for a gather of 4 bytes at the last
    for (size_t r = 0; r < 257; ++r) {
        for (size_t c = 0; c < 257; ++c)
            texels[r * 257 + c] = atlas[((r & 255) * 256 + (c & 255)) * 2];
    }
    return texels;
}
#endif

namespace {

#if defined(ORVELLE_REFERENCE_AVX2)
// The span 8 pixels at a time: the same steps, four texels and their
// shade gathered, bytes added with saturation.
void spanAvx2(uint32_t* row, int first, int last, int32_t ts, int32_t tt, int32_t step,
              int32_t stepT, const uint8_t* texels, const uint32_t* shades) {
    using I = xsimd::batch<int32_t, xsimd::avx2>;
    using B = xsimd::batch<uint8_t, xsimd::avx2>;
    const I lane = I::load_unaligned(std::array<int32_t, 8>{0, 1, 2, 3, 4, 5, 6, 7}.data());
    I s = I(ts) + lane * I(step), t = I(tt) + lane * I(stepT);
    for (int x = first; x <= last; x += 8, s += I(8 * step), t += I(8 * stepT)) {
        const I at = ((t >> 16) & I(255)) * I(257) + ((s >> 16) & I(255));
        const auto gather = [&](int offset) {
            return I(_mm256_i32gather_epi32(reinterpret_cast<const int*>(texels + offset), at, 1)) &
                   I(0xFFFF);
        };
        const I row0 = gather(0), row1 = gather(257);
        const I ws = (s >> 8) & I(255), wt = (t >> 8) & I(255);
        const I top0 = ((row0 & I(255)) * (I(256) - ws) + (row0 >> 8) * ws) >> 8;
        const I top1 = ((row1 & I(255)) * (I(256) - ws) + (row1 >> 8) * ws) >> 8;
        const I grey = (top0 * (I(256) - wt) + top1 * wt) >> 8;
        const I add(_mm256_i32gather_epi32(reinterpret_cast<const int*>(shades), grey, 4));
        alignas(32) uint32_t out[8];
        const I old = I::load_unaligned(reinterpret_cast<const int32_t*>(row + x));
        xsimd::bitwise_cast<I>(
            xsimd::sadd(xsimd::bitwise_cast<B>(old), xsimd::bitwise_cast<B>(add)))
            .store_aligned(reinterpret_cast<int32_t*>(out));
        for (int i = 0; i < 8 && x + i <= last; ++i) row[x + i] = out[i];
    }
}
#endif

void drawPuff(ReferencePicture& p, const PuffQuad& q, const uint8_t* texels) {
    // The record's units in pixels, and the rectangle's axes in them.
    const float kx = static_cast<float>(p.width) / static_cast<float>(p.width + 1);
    const float ky = static_cast<float>(p.height) / static_cast<float>(p.height + 1);
    const float cx = (q.centerX + 0.5f) * kx;
    const float cy = static_cast<float>(p.height) - (q.centerY + 0.5f) * ky;
    const float radians = q.angleDegrees * 3.14159265f / 180.0f;
    const float c = std::cos(radians), s = std::sin(radians);
    // A pixel step (dx, dy), rows down, in the rectangle's own -1..1 (u, v).
    const float ux = c / (q.length * kx), uy = -s / (q.length * ky);
    const float vx = -s / (q.size * kx), vy = -c / (q.size * ky);
    const float reach = std::fabs(q.length * kx * c) + std::fabs(q.size * kx * s) +
                        std::fabs(q.length * ky * s) + std::fabs(q.size * ky * c);
    const int top = std::max(0, static_cast<int>(cy - reach));
    const int bottom = std::min(static_cast<int>(p.height) - 1, static_cast<int>(cy + reach));
    const auto byte = [](float v) {
        return static_cast<uint32_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
    };
    const uint32_t red = byte(q.color.red), green = byte(q.color.green), blue = byte(q.color.blue),
                   alpha = byte(q.color.alpha);
    // What each grey level adds: times the colour, times the same in alpha.
    uint32_t shades[256];
    for (uint32_t grey = 0; grey < 256; ++grey) {
        const uint32_t a = grey * alpha >> 8;
        shades[grey] = (((grey * blue >> 8) * a) >> 8) | (((grey * green >> 8) * a) >> 8) << 8 |
                       (((grey * red >> 8) * a) >> 8) << 16;
    }
    // Texel coordinates in 1/65536 texel: u from -1 to 1 over the tile's 32.
    const float scale = 16.0f * 65536.0f;
    const auto fixed = [&](float tile, float along) {
        return static_cast<int32_t>((tile * 256.0f - 0.5f) * 65536.0f + (along + 1.0f) * scale);
    };
    const auto step = static_cast<int32_t>(ux * scale), stepT = static_cast<int32_t>(vx * scale);
    for (int y = top; y <= bottom; ++y) {
        const float dy = static_cast<float>(y) + 0.5f - cy;
        // The row's span: where both |u| and |v| stay within 1.
        float from = -1e30f, to = 1e30f;
        const auto limit = [&](float perX, float at) {
            if (perX == 0.0f) {
                if (std::fabs(at) > 1.0f) from = 1e30f;
                return;
            }
            const float a = (-1.0f - at) / perX, b = (1.0f - at) / perX;
            from = std::max(from, std::min(a, b));
            to = std::min(to, std::max(a, b));
        };
        limit(ux, uy * dy);
        limit(vx, vy * dy);
        const int first = std::max(0, static_cast<int>(std::ceil(cx + from - 0.5f)));
        const int last =
            std::min(static_cast<int>(p.width) - 1, static_cast<int>(std::floor(cx + to - 0.5f)));
        if (first > last) continue;
        const float dx = static_cast<float>(first) + 0.5f - cx;
        int32_t ts = fixed(q.u, ux * dx + uy * dy), tt = fixed(q.v, vx * dx + vy * dy);
        uint32_t* row = p.pixels.data() + static_cast<size_t>(y) * p.width;
#if defined(ORVELLE_REFERENCE_AVX2)
        spanAvx2(row, first, last, ts, tt, step, stepT, texels, shades);
        continue;
#endif
        for (int x = first; x <= last; ++x, ts += step, tt += stepT) {
            // The four texels and 8-bit weights, the atlas repeating.
            const uint8_t* t00 = texels + ((tt >> 16) & 255) * 257 + ((ts >> 16) & 255);
            const uint32_t ws = (ts >> 8) & 255, wt = (tt >> 8) & 255;
            const uint32_t top0 = (t00[0] * (256 - ws) + t00[1] * ws) >> 8;
            const uint32_t top1 = (t00[257] * (256 - ws) + t00[258] * ws) >> 8;
            const uint32_t add = shades[(top0 * (256 - wt) + top1 * wt) >> 8];
            // Added with saturation.
            const uint32_t d = row[x];
            row[x] = std::min<uint32_t>((d & 255) + (add & 255), 255) |
                     std::min<uint32_t>((d >> 8 & 255) + (add >> 8 & 255), 255) << 8 |
                     std::min<uint32_t>((d >> 16 & 255) + (add >> 16), 255) << 16;
        }
    }
}

}  // namespace

#if defined(ORVELLE_REFERENCE_AVX2)
void referenceFrameAvx2(ReferencePicture& p, std::span<const PuffQuad> puffs,
                        const std::vector<uint8_t>& texels) {
#else
void referenceFrame(ReferencePicture& p, std::span<const PuffQuad> puffs,
                    const std::vector<uint8_t>& texels) {
#endif
    for (uint32_t& pixel : p.pixels) {
        uint32_t out = 0;
        for (int shift = 0; shift < 24; shift += 8)
            out |= ((pixel >> shift & 255) * 191 + 128) >> 8 << shift;
        pixel = out;
    }
    for (const PuffQuad& q : puffs) drawPuff(p, q, texels.data());
}

}  // namespace orvelle::bench

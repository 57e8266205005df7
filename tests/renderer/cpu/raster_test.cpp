// The processor backend's arithmetic, worked by hand: the viewport and
// projection, which pixels a triangle covers (its edges by brute force,
// the rule for pixels on an edge), the atlas's levels and the level a
// block samples, and the kernels' byte arithmetic on both instruction sets.
#include "renderer/cpu/raster.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "renderer/cpu/kernels.h"

namespace orvelle::cpu {
namespace {

Vertex at(float x, float y) {
    return {{x, y}, {}};
}

// The pixels of a picture that triangles cover, a row of text per row.
std::string coverage(const std::vector<Triangle>& triangles, int32_t width, int32_t height) {
    std::string rows;
    for (int32_t y = 0; y < height; ++y) {
        std::string row(static_cast<size_t>(width), '.');
        for (const Triangle& t : triangles) {
            int32_t first = 0, last = 0;
            if (y < t.box.top || y > t.box.bottom || !rowSpan(t, y, first, last)) continue;
            for (int32_t x = first; x <= last; ++x) row[static_cast<size_t>(x)] = '#';
        }
        rows += row + "\n";
    }
    return rows;
}

TEST(CpuRaster, TheViewportTurnedToRowsFromTheTopAndTheProjectionOfItsSize) {
    // A monitor of 160 x 120 at the bottom right of a picture of 480 x 300.
    const ViewTransform v = viewTransform(480, 300, {320, 0, 160, 120});
    EXPECT_EQ(v.clip.left, 320);
    EXPECT_EQ(v.clip.right, 479);
    EXPECT_EQ(v.clip.top, 180);
    EXPECT_EQ(v.clip.bottom, 299);
    // The projection spans the size plus one: -0.5 and w + 0.5 at the edges.
    const PicturePoint low = toPicture(v, Flat2d{}, -0.5f, -0.5f);
    const PicturePoint high = toPicture(v, Flat2d{}, 160.5f, 120.5f);
    EXPECT_FLOAT_EQ(low.x, 320.0f);
    EXPECT_FLOAT_EQ(low.y, 300.0f);
    EXPECT_FLOAT_EQ(high.x, 480.0f);
    EXPECT_FLOAT_EQ(high.y, 180.0f);
    // An area of no height is drawn one row high; one beyond the picture not at all.
    const ViewTransform flat = viewTransform(480, 300, {0, 10, 480, 0});
    EXPECT_EQ(flat.clip.bottom - flat.clip.top, 0);
    EXPECT_EQ(flat.clip.top, 289);
    EXPECT_TRUE(viewTransform(480, 300, {500, 0, 100, 100}).clip.empty());
}

TEST(CpuRaster, APixelOnAnEdgeBelongsToTheTriangleRightOfItOrAboveIt) {
    // Corners on pixel centres: columns 2 to 6, rows 1 to 4.
    Triangle upper, lower;
    const PixelBox clip{0, 0, 8, 6};
    ASSERT_TRUE(setUpTriangle(clip, at(2.5f, 1.5f), at(6.5f, 1.5f), at(2.5f, 4.5f), 0, upper));
    ASSERT_TRUE(setUpTriangle(clip, at(6.5f, 1.5f), at(6.5f, 4.5f), at(2.5f, 4.5f), 0, lower));
    EXPECT_EQ(coverage({upper, lower}, 9, 7),
              ".........\n"
              ".........\n"
              "..####...\n"
              "..####...\n"
              "..####...\n"
              ".........\n"
              ".........\n");
    // A slanted edge through pixel centres: they lie above it and left of
    // the triangle, so none is the triangle's.
    Triangle slanted;
    ASSERT_TRUE(setUpTriangle(clip, at(2.5f, 1.5f), at(6.5f, 5.5f), at(2.5f, 5.5f), 0, slanted));
    EXPECT_EQ(coverage({slanted}, 9, 7),
              ".........\n"
              ".........\n"
              "..#......\n"
              "..##.....\n"
              "..###....\n"
              "..####...\n"
              ".........\n");
    // The same, wound the other way; no area, nothing.
    Triangle reversed;
    ASSERT_TRUE(setUpTriangle(clip, at(2.5f, 1.5f), at(2.5f, 4.5f), at(6.5f, 1.5f), 0, reversed));
    EXPECT_EQ(coverage({reversed}, 9, 7), coverage({upper}, 9, 7));
    EXPECT_FALSE(setUpTriangle(clip, at(1, 1), at(3, 3), at(5, 5), 0, reversed));
    EXPECT_FALSE(setUpTriangle(clip, at(1, 1), at(3e7f, 3), at(5, 5), 0, reversed)) << "too far";
}

TEST(CpuRaster, RowSpansAreThePixelsEveryEdgeHasOnItsSide) {
    std::mt19937 random(20261206);
    std::uniform_real_distribution<float> place(-20.0f, 70.0f);
    const PixelBox clip{0, 0, 49, 39};
    int covered = 0;
    for (int n = 0; n < 300; ++n) {
        Triangle t;
        if (!setUpTriangle(clip, at(place(random), place(random)), at(place(random), place(random)),
                           at(place(random), place(random)), 0, t)) {
            continue;
        }
        for (int32_t y = 0; y <= clip.bottom; ++y) {
            int32_t first = 0, last = -1;
            const bool any = y >= t.box.top && y <= t.box.bottom && rowSpan(t, y, first, last);
            for (int32_t x = 0; x <= clip.right; ++x) {
                bool inside =
                    x >= t.box.left && x <= t.box.right && y >= t.box.top && y <= t.box.bottom;
                for (const Edge& e : t.edges)
                    inside = inside && e.c + e.dcdy * 256 * y - e.dcdx * 256 * x > 0;
                ASSERT_EQ(any && x >= first && x <= last, inside) << n << ": " << x << "," << y;
                covered += inside;
            }
        }
    }
    EXPECT_GT(covered, 10000);
}

TEST(CpuRaster, PlanesGiveEachVertexItsValueAtItsPixelCentre) {
    Triangle t;
    Vertex a{{10.5f, 2.5f}, {1.0f, 0.0f, 0.25f, 1.0f}}, b{{2.5f, 12.5f}, {0.0f, 1.0f, 0.25f, 1.0f}},
        c{{20.5f, 12.5f}, {0.0f, 0.0f, 0.25f, 1.0f}};
    ASSERT_TRUE(setUpTriangle({0, 0, 30, 30}, a, b, c, 4, t));
    const auto value = [&](size_t k, float x, float y) {
        return t.planes[k].a0 + t.planes[k].dadx * x + t.planes[k].dady * y;
    };
    EXPECT_NEAR(value(0, 10, 2), 1.0f, 1e-6f);
    EXPECT_NEAR(value(1, 2, 12), 1.0f, 1e-6f);
    EXPECT_NEAR(value(0, 20, 12), 0.0f, 1e-6f);
    EXPECT_NEAR(value(0, 11, 12), 0.0f, 1e-6f) << "on the edge opposite a";
    EXPECT_NEAR(value(1, 11, 12), 0.5f, 1e-6f) << "half way from b to c";
    EXPECT_EQ(t.planes[2].dadx, 0.0f) << "a constant stays one";
    EXPECT_EQ(t.planes[3].a0, 1.0f);
}

TEST(CpuRaster, LevelsAreMeansOfFourRoundedAndEachEntryHoldsItsBilinearNeighbours) {
    auto atlas = std::make_unique<PuffAtlas>();
    const auto set = [&](int r, int c, uint8_t grey) {
        (*atlas)[static_cast<size_t>(r * kAtlasSize + c) * 2] = grey;
        (*atlas)[static_cast<size_t>(r * kAtlasSize + c) * 2 + 1] = grey;
    };
    set(0, 0, 1);  // a block of 1 in all: 0.25, rounded 0
    set(2, 2, 1);  // 2 in all: 0.5, rounded 1
    set(3, 3, 1);
    set(4, 4, 200);  // 202 + 100 + 1: 75.75, rounded 76
    set(4, 5, 2);
    set(5, 4, 100);
    set(5, 5, 1);
    set(255, 255, 9);
    set(255, 0, 8);
    set(0, 255, 7);
    const AtlasLevels levels(*atlas);
    EXPECT_EQ(levels.texel(1, 0, 0), 0);
    EXPECT_EQ(levels.texel(1, 1, 1), 1);
    EXPECT_EQ(levels.texel(1, 2, 2), 76);
    EXPECT_EQ(levels.texel(2, 1, 1), 19) << "(76 + 0 + 0 + 0 + 2) / 4, a level from the last";
    EXPECT_EQ(levels.texel(8, 0, 0), levels.quads(8)[0] >> 24) << "1 x 1 repeats itself";
    // The last entry of a row and of the level wrap round to the first.
    EXPECT_EQ(levels.quads(0)[255 * 256 + 255], 9u | 8u << 8 | 7u << 16 | 1u << 24);
    EXPECT_EQ(levels.quads(0)[4 * 256 + 4], 200u | 2u << 8 | 100u << 16 | 1u << 24);
}

TEST(CpuRaster, ABlocksLevelIsItsLongerStepInTexelsRoundedToAPowerOfTwo) {
    // Steps of s and t in texels of the full size (x 1/256): the level
    // changes where the longer step's square passes 2, 8, 32, ... 2^15.
    const auto level = [](float sx, float tx, float sy, float ty) {
        return blockLevel(sx / 256, tx / 256, sy / 256, ty / 256);
    };
    EXPECT_EQ(level(0.5f, 0, 0, 0.5f), 0) << "magnified";
    EXPECT_EQ(level(1.41f, 0, 0, 0.1f), 0);
    EXPECT_EQ(level(1.42f, 0, 0, 0.1f), 1);
    EXPECT_EQ(level(1.0f, 1.0f, 0, 0), 1) << "both coordinates of one step count";
    EXPECT_EQ(level(0, 0.1f, 0, 2.82f), 1);
    EXPECT_EQ(level(0, 0.1f, 0, 2.83f), 2);
    EXPECT_EQ(level(200.0f, 0, 0, 0), 8) << "no level beyond 1 x 1";
    EXPECT_EQ(level(0, 0, 0, 0), 0);
    EXPECT_EQ(level(std::nanf(""), 0, 0, 0), 0);
}

TEST(CpuRaster, ATrianglesUniformLevelOrPerBlockNearAChange) {
    const auto triangle = [](float texels) {
        // s steps `texels` per pixel to the right, t not at all.
        Triangle t;
        t.box = {0, 0, 100, 100};
        t.planes[0] = {0.25f, texels / 256.0f, 0.0f};
        t.planes[1] = {0.25f, 0.0f, 0.0f};
        return t;
    };
    EXPECT_EQ(uniformLevel(triangle(0.7f)), 0);
    EXPECT_EQ(uniformLevel(triangle(1.0f)), 0);
    EXPECT_EQ(uniformLevel(triangle(1.4142f)), kLevelPerBlock);
    EXPECT_EQ(uniformLevel(triangle(2.0f)), 1);
    EXPECT_EQ(uniformLevel(triangle(5.0f)), 2);
    EXPECT_EQ(uniformLevel(triangle(1000.0f)), 8);
}

TEST(CpuRaster, TheKernelsByteArithmeticOnEachInstructionSet) {
    std::vector<const Kernels*> sets{&baselineKernels()};
    if (avx2Kernels() != nullptr) sets.push_back(avx2Kernels());
    for (const Kernels* k : sets) {
        SCOPED_TRACE(k->name);
        // Three quarters, rounded, of each byte, over a row longer than a batch.
        std::vector<uint32_t> row(37 + kRowSlack);
        for (size_t i = 0; i < 37; ++i) row[i] = 0x01020300u + static_cast<uint32_t>(i * 7);
        row[36] = 0xFF80FF01u;
        k->fade(row.data(), 37);
        EXPECT_EQ(row[0], 0x01010200u) << "1 keeps 1, 2 and 3 become 1 and 2";
        EXPECT_EQ(row[36], 0xBF60BF01u) << "255 to 191, 128 to 96";
        EXPECT_EQ(row[37], 0u) << "nothing past the count";
        // A puff's shades: grey x colour, times grey x alpha, as bytes.
        PuffShades shades{};
        k->shades({1.0f, 0.5f, 0.0f, 1.0f}, shades);
        EXPECT_EQ(shades[0], 0u);
        EXPECT_EQ(shades[128], 0x00402000u);
        EXPECT_EQ(shades[255], 0x00FF8000u);
        k->shades({1.0f, 1.0f, 1.0f, 0.25f}, shades);
        EXPECT_EQ(shades[255], 0x00404040u);
    }
}

}  // namespace
}  // namespace orvelle::cpu

#include "renderer/puff_texture.h"

#include <gtest/gtest.h>

#include <memory>

namespace orvelle {
namespace {

std::unique_ptr<PuffTexture> atlasFor(uint32_t seed) {
    auto puff = std::make_unique<PuffTexture>();
    RandomGenerator random;
    random.seedRandom(seed);
    puff->buildAtlas(random);
    return puff;
}

TEST(PuffTexture, TheBareDiscOfTheFirstTile) {
    auto texel = [](int r, int c) { return static_cast<int>(discProfile(r, c)); };
    EXPECT_EQ(texel(15, 15), 254);
    EXPECT_EQ(texel(1, 15), 25);
    EXPECT_EQ(texel(10, 10), 179);
    EXPECT_EQ(texel(0, 15), 0);
    EXPECT_EQ(texel(15, 0), 0);
    EXPECT_EQ(texel(4, 4), 0);
    EXPECT_NEAR(discProfile(15, 15), 254.35f, 0.01f);
}

TEST(PuffTexture, EveryTileHasABlackBorderRing) {
    const auto puff = atlasFor(42);
    for (int tile = 0; tile < 64; ++tile) {
        const int top = (tile / 8) * 32, left = (tile % 8) * 32;
        for (int k = 0; k < 32; ++k) {
            ASSERT_EQ(puff->atlasLuminance(top, left + k), 0) << "tile " << tile;
            ASSERT_EQ(puff->atlasLuminance(top + 31, left + k), 0) << "tile " << tile;
            ASSERT_EQ(puff->atlasLuminance(top + k, left), 0) << "tile " << tile;
            ASSERT_EQ(puff->atlasLuminance(top + k, left + 31), 0) << "tile " << tile;
        }
        // And a bright centre.
        EXPECT_GT(puff->atlasLuminance(top + 15, left + 15), 150) << "tile " << tile;
    }
}

TEST(PuffTexture, LuminanceAndAlphaAreTheSame) {
    const auto puff = atlasFor(7);
    for (int r = 0; r < 256; ++r) {
        for (int c = 0; c < 256; ++c) ASSERT_EQ(puff->atlasLuminance(r, c), puff->atlasAlpha(r, c));
    }
}

TEST(PuffTexture, NoiseSaturatesInsteadOfWrapping) {
    PuffTexture puff;
    RandomGenerator random;
    puff.tileBuffer.fill(255);
    puff.addTileNoise(random);
    for (int r = 2; r <= 29; ++r) {
        for (int c = 2; c <= 29; ++c) ASSERT_GE(puff.tile(r, c), 255 - 63) << r << "," << c;
    }
    puff.tileBuffer.fill(0);
    puff.addTileNoise(random);
    int raised = 0;
    for (int r = 2; r <= 29; ++r) {
        for (int c = 2; c <= 29; ++c) {
            ASSERT_LE(puff.tile(r, c), 63) << r << "," << c;
            raised += puff.tile(r, c) > 0;
        }
    }
    EXPECT_GT(raised, 0);
    // Outside rows and columns 2..29 nothing is touched.
    EXPECT_EQ(puff.tile(1, 10), 0);
    EXPECT_EQ(puff.tile(10, 30), 0);
}

TEST(PuffTexture, BlurAveragesTheInteriorFromTheOldValues) {
    PuffTexture puff;
    puff.tile(10, 10) = 200;
    puff.blurTile();
    EXPECT_EQ(puff.tile(10, 10), 100);  // 4 * 200 / 8
    EXPECT_EQ(puff.tile(9, 10), 25);    // 200 / 8
    EXPECT_EQ(puff.tile(10, 11), 25);
    EXPECT_EQ(puff.tile(9, 9), 0);
    puff.tile(0, 5) = 80;  // the border is left as it is
    puff.blurTile();
    EXPECT_EQ(puff.tile(0, 5), 80);
}

TEST(PuffTexture, TheSameSeedGivesTheSameAtlas) {
    const auto a = atlasFor(1234), b = atlasFor(1234), c = atlasFor(1235);
    EXPECT_TRUE(a->puffAtlas == b->puffAtlas);
    EXPECT_FALSE(a->puffAtlas == c->puffAtlas);
}

TEST(PuffTexture, TheLastTileAveragesTheOneBeforeWithTheFirst) {
    const auto puff = atlasFor(99);
    for (int r = 0; r < 32; ++r) {
        for (int c = 0; c < 32; ++c) {
            const int first = puff->atlasLuminance(r, c);
            const int before = puff->atlasLuminance(224 + r, 192 + c);
            ASSERT_EQ(puff->atlasLuminance(224 + r, 224 + c), (first + before) / 2)
                << r << "," << c;
        }
    }
}

TEST(PuffTexture, EachTileMovesOnFromTheOneBefore) {
    const auto puff = atlasFor(5);
    int changed = 0;
    for (int r = 2; r < 30; ++r) {
        for (int c = 2; c < 30; ++c)
            changed += puff->atlasLuminance(r, c) != puff->atlasLuminance(r, 32 + c);
    }
    EXPECT_GT(changed, 100);
}

}  // namespace
}  // namespace orvelle

// The puff texture: sixty-four 32 x 32 grey-level tiles, each a blurred disc
// with random grain that evolves from the tile before, laid out as an 8 x 8
// atlas of 256 x 256 luminance-alpha texels. Computed without any OpenGL.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "random.h"

namespace orvelle {

class PuffTexture {
public:
    static constexpr int kTileSize = 32;
    static constexpr int kAtlasSize = 256;

    // The tile being made, row-major; kept from one tile to the next.
    std::array<uint8_t, kTileSize * kTileSize> tileBuffer{};
    // Row-major from row 0; two bytes per texel, luminance then alpha.
    std::array<uint8_t, kAtlasSize * kAtlasSize * 2> puffAtlas{};
    bool firstTile = true;

    void makeTile(RandomGenerator& random);
    void addTileNoise(RandomGenerator& random);
    void blurTile();
    void blendWithFirstTile();
    void copyTileToAtlas(int row, int column);

    // All 64 tiles into the atlas; tile 63 closes the loop back to tile 0.
    void buildAtlas(RandomGenerator& random);

    uint8_t& tile(int r, int c) { return tileBuffer[static_cast<size_t>(r * kTileSize + c)]; }
    uint8_t atlasLuminance(int row, int column) const {
        return puffAtlas[static_cast<size_t>((row * kAtlasSize + column) * 2)];
    }
    uint8_t atlasAlpha(int row, int column) const {
        return puffAtlas[static_cast<size_t>((row * kAtlasSize + column) * 2 + 1)];
    }
};

// Disc profile of texel (r, c): 0 beyond 15 texels from the centre.
float discProfile(int r, int c);

}  // namespace orvelle

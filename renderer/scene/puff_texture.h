// The puff texture: sixty-four 32 x 32 grey-level tiles, each a blurred disc
// with random grain that evolves from the tile before, laid out as an 8 x 8
// atlas of 256 x 256 luminance-alpha texels. Computed without any OpenGL.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "renderer/scene/random.h"

namespace orvelle {

inline constexpr int kTileSize = 32;
inline constexpr int kAtlasSize = 256;

// Row-major from row 0; two bytes per texel, luminance then alpha.
using PuffAtlas = std::array<uint8_t, kAtlasSize * kAtlasSize * 2>;

inline uint8_t atlasLuminance(const PuffAtlas& atlas, int row, int column) {
    return atlas[static_cast<size_t>((row * kAtlasSize + column) * 2)];
}

// The tile being made. It lives apart from the atlas on purpose: GCC 12 at
// -O1 and -O2 rewrote the copy loop of a class that held both arrays into
// addresses taken from the tile's, and then dropped the stores into the
// atlas altogether. Two separate objects give it nothing to relate.
class PuffTile {
public:
    // Row-major, row r and column c at 32r + c.
    std::array<uint8_t, kTileSize * kTileSize> texels{};

    uint8_t& at(int r, int c) { return texels[static_cast<size_t>(r * kTileSize + c)]; }

    // The first tile is the bare disc; each later one keeps two thirds of the
    // previous tile and moves a third of the way back to the disc. Then
    // noise and two blurs.
    void makeTile(bool firstTile, RandomGenerator& random);
    void addTileNoise(RandomGenerator& random);
    void blurTile();
    // Each texel becomes the mean of itself and tile 0 of the atlas.
    void blendWithFirstTile(const PuffAtlas& atlas);
    void copyTileToAtlas(PuffAtlas& atlas, int row, int column) const;
};

// All 64 tiles into the atlas; tile 63 closes the loop back to tile 0.
void buildPuffAtlas(PuffAtlas& atlas, RandomGenerator& random);

// Disc profile of texel (r, c): 0 beyond 15 texels from the centre.
float discProfile(int r, int c);

}  // namespace orvelle

#include "renderer/scene/puff_texture.h"

#include <algorithm>
#include <cmath>

namespace orvelle {

float discProfile(int r, int c) {
    const double dr = r - 15.5, dc = c - 15.5;
    const double d = std::sqrt(dr * dr + dc * dc);
    if (d > 15.0) return 0.0f;
    // pi in single precision, times 1/31.
    return static_cast<float>(std::cos(d * 3.1415927410125732 * 0.03225806451612903) * 255.0);
}

void PuffTile::makeTile(bool firstTile, RandomGenerator& random) {
    for (int r = 0; r < kTileSize; ++r) {
        for (int c = 0; c < kTileSize; ++c) {
            const double profile = discProfile(r, c);
            if (firstTile) {
                at(r, c) = static_cast<uint8_t>(static_cast<int>(profile));
            } else {
                // 1/3 in single precision.
                const double mixed = (2.0 * at(r, c) + profile) * 0.3333333432674408;
                at(r, c) = static_cast<uint8_t>(static_cast<int>(std::min(255.0, mixed)));
            }
        }
    }
    addTileNoise(random);
    blurTile();
    blurTile();
}

void PuffTile::addTileNoise(RandomGenerator& random) {
    for (int r = 2; r <= 29; ++r) {
        for (int c = 2; c <= 29; ++c) {
            int texel = at(r, c);
            for (int step = 1; step <= 32; step *= 2) {
                if (random.nextRandom() % 2 == 0) break;
                texel = std::min(255, texel + step);
            }
            for (int step = 1; step <= 32; step *= 2) {
                if (random.nextRandom() % 2 == 0) break;
                texel = std::max(0, texel - step);
            }
            at(r, c) = static_cast<uint8_t>(texel);
        }
    }
}

void PuffTile::blurTile() {
    // The whole interior from the values before this pass.
    PuffTile before = *this;
    for (int r = 1; r <= 30; ++r) {
        for (int c = 1; c <= 30; ++c) {
            const int sum = 4 * before.at(r, c) + before.at(r - 1, c) + before.at(r + 1, c) +
                            before.at(r, c - 1) + before.at(r, c + 1);
            at(r, c) = static_cast<uint8_t>(sum * 0.125);
        }
    }
}

void PuffTile::blendWithFirstTile(const PuffAtlas& atlas) {
    for (int r = 0; r < kTileSize; ++r) {
        for (int c = 0; c < kTileSize; ++c) {
            at(r, c) = static_cast<uint8_t>((at(r, c) + atlasLuminance(atlas, r, c)) / 2);
        }
    }
}

void PuffTile::copyTileToAtlas(PuffAtlas& atlas, int row, int column) const {
    for (int r = 0; r < kTileSize; ++r) {
        uint8_t* line = &atlas[static_cast<size_t>(((row + r) * kAtlasSize + column) * 2)];
        for (int c = 0; c < kTileSize; ++c) {
            const uint8_t value = texels[static_cast<size_t>(r * kTileSize + c)];
            line[2 * c] = value;
            line[2 * c + 1] = value;
        }
    }
}

void buildPuffAtlas(PuffAtlas& atlas, RandomGenerator& random) {
    PuffTile tile;
    bool firstTile = true;
    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 8; ++j) {
            if (i == 7 && j == 7) {
                tile.blendWithFirstTile(atlas);
            } else {
                tile.makeTile(firstTile, random);
                firstTile = false;
            }
            tile.copyTileToAtlas(atlas, kTileSize * i, kTileSize * j);
        }
    }
}

}  // namespace orvelle

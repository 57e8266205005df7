#include "puff_texture.h"

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

void PuffTexture::makeTile(RandomGenerator& random) {
    for (int r = 0; r < kTileSize; ++r) {
        for (int c = 0; c < kTileSize; ++c) {
            const double profile = discProfile(r, c);
            if (firstTile) {
                tile(r, c) = static_cast<uint8_t>(static_cast<int>(profile));
            } else {
                const double mixed = (2.0 * tile(r, c) + profile) * 0.3333333432674408;
                tile(r, c) = static_cast<uint8_t>(static_cast<int>(std::min(255.0, mixed)));
            }
        }
    }
    firstTile = false;
    addTileNoise(random);
    blurTile();
    blurTile();
}

void PuffTexture::addTileNoise(RandomGenerator& random) {
    for (int r = 2; r <= 29; ++r) {
        for (int c = 2; c <= 29; ++c) {
            int texel = tile(r, c);
            for (int step = 1; step <= 32; step *= 2) {
                if (random.nextRandom() % 2 == 0) break;
                texel = std::min(255, texel + step);
            }
            for (int step = 1; step <= 32; step *= 2) {
                if (random.nextRandom() % 2 == 0) break;
                texel = std::max(0, texel - step);
            }
            tile(r, c) = static_cast<uint8_t>(texel);
        }
    }
}

void PuffTexture::blurTile() {
    std::array<uint8_t, kTileSize* kTileSize> next = tileBuffer;
    for (int r = 1; r <= 30; ++r) {
        for (int c = 1; c <= 30; ++c) {
            const int sum =
                4 * tile(r, c) + tile(r - 1, c) + tile(r + 1, c) + tile(r, c - 1) + tile(r, c + 1);
            next[static_cast<size_t>(r * kTileSize + c)] = static_cast<uint8_t>(sum * 0.125);
        }
    }
    tileBuffer = next;
}

void PuffTexture::blendWithFirstTile() {
    for (int r = 0; r < kTileSize; ++r) {
        for (int c = 0; c < kTileSize; ++c) {
            tile(r, c) = static_cast<uint8_t>((tile(r, c) + atlasLuminance(r, c)) / 2);
        }
    }
}

void PuffTexture::copyTileToAtlas(int row, int column) {
    for (int r = 0; r < kTileSize; ++r) {
        for (int c = 0; c < kTileSize; ++c) {
            const auto at = static_cast<size_t>(((row + r) * kAtlasSize + column + c) * 2);
            puffAtlas[at] = puffAtlas[at + 1] = tile(r, c);
        }
    }
}

void PuffTexture::buildAtlas(RandomGenerator& random) {
    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 8; ++j) {
            if (i == 7 && j == 7) {
                blendWithFirstTile();
            } else {
                makeTile(random);
            }
            copyTileToAtlas(kTileSize * i, kTileSize * j);
        }
    }
}

}  // namespace orvelle

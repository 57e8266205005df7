// The puff atlas built from a seed, as raw bytes on standard output, for the
// independent reference in puff_reference_test.py.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "renderer/scene/puff_texture.h"

int main(int argc, char** argv) {
    orvelle::RandomGenerator random;
    random.seedRandom(argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 1);
    auto atlas = std::make_unique<orvelle::PuffAtlas>();
    orvelle::buildPuffAtlas(*atlas, random);
    return std::fwrite(atlas->data(), 1, atlas->size(), stdout) == atlas->size() ? 0 : 1;
}

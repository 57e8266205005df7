// Renders the scene off screen with a scripted clock and writes the last
// frame as a PPM picture.
//   orvelle-frames WIDTH HEIGHT SEED UNTIL_MS STEP_MS OUT.ppm
#include <cstdio>
#include <cstdlib>

#include "host_offscreen.h"

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT SEED UNTIL_MS STEP_MS OUT.ppm\n", argv[0]);
        return 2;
    }
    const auto number = [&](int i) {
        return static_cast<uint32_t>(std::strtoul(argv[i], nullptr, 10));
    };
    const uint32_t width = number(1), height = number(2), step = number(5);
    if (width == 0 || height == 0 || step == 0) {
        std::fprintf(stderr, "size and step must be positive\n");
        return 2;
    }
    orvelle::OffscreenRenderer renderer(width, height, number(3));
    if (!renderer.ok()) {
        std::fprintf(stderr, "no off-screen OpenGL context\n");
        return 1;
    }
    renderer.runUntil(number(4), step);
    return orvelle::writePpm(argv[6], renderer.pixels(), width, height) ? 0 : 1;
}

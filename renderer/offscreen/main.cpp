// Renders the scene off screen with a scripted clock and writes the last
// frame as a PPM picture: the run's own scene, or the one a window over
// several monitors makes as its MONITOR-th (from 0) with that run's seed.
// OpenGL (Mesa) draws it, or the processor with ORVELLE_RENDERING=cpu.
//   orvelle-frames WIDTH HEIGHT SEED UNTIL_MS STEP_MS OUT.ppm [MONITOR]
#include <cstdio>
#include <cstdlib>

#include "renderer/offscreen/frames.h"
#include "renderer/scene/ppm.h"

int main(int argc, char** argv) {
    if (argc != 7 && argc != 8) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT SEED UNTIL_MS STEP_MS OUT.ppm [MONITOR]\n",
                     argv[0]);
        return 2;
    }
    const auto number = [&](int i) {
        return static_cast<uint32_t>(std::strtoul(argv[i], nullptr, 10));
    };
    const uint32_t width = number(1), height = number(2), step = number(5);
    if (width == 0 || height == 0 || width > 16384 || height > 16384 || step == 0) {
        std::fprintf(stderr, "size (1 to 16384) and step must be positive\n");
        return 2;
    }
    const char* variable = std::getenv(orvelle::kRenderingVariable);
    const orvelle::RenderingRequest asked = orvelle::renderingRequested(
        variable != nullptr ? std::optional<std::string_view>(variable) : std::nullopt);
    if (!asked.understood) {
        std::fprintf(stderr, "%s is neither cpu nor gl\n", orvelle::kRenderingVariable);
        return 2;
    }
    orvelle::OffscreenRenderer renderer(
        width, height, number(3), argc == 8 ? number(7) : 0,
        {.rendering = asked.rendering.value_or(orvelle::Rendering::Gl), .cpu = {}});
    if (!renderer.ok()) {
        std::fprintf(stderr, "no off-screen picture\n");
        return 1;
    }
    renderer.runUntil(number(4), step);
    return orvelle::writePpm(argv[6], renderer.pixels(), width, height) ? 0 : 1;
}

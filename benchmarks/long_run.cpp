// The character of a long run, frame by frame at 60 frames a second (1920 x
// 1080, seed 7), without drawing: at each mark, the speed factor, light 0's
// speed over the 20 s before it (scene units per second) and the puffs
// drawn per frame over them.
//   orvelle-long-run [HOURS]   (the marks up to that many hours; 1 unless given)
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "renderer/scene/scene.h"

namespace {

class Counter final : public orvelle::FrameTarget {
public:
    void fade(uint32_t, uint32_t) override {}
    void star(const orvelle::StarRecord&) override {}
    void uploadPuffAtlas(const orvelle::PuffAtlas&) override {}
    void beginPuffs() override {}
    void puff(const orvelle::PuffQuad&) override { ++puffs; }
    void endPuffs() override {}
    uint64_t puffs = 0;
};

}  // namespace

int main(int argc, char** argv) {
    using namespace orvelle;
    const double hours = argc > 1 ? std::atof(argv[1]) : 1.0;
    auto scene = std::make_unique<Scene>();
    initScene(*scene, 7);
    RendererState state;
    state.viewWidth = 1920;
    state.viewHeight = 1080;
    primeLights(state, *scene);
    Counter counter;
    const double marks[] = {60, 300, 600, 3600, 8 * 3600, 24 * 3600, 3 * 86400, 7 * 86400};
    std::printf("%10s %12s %12s %8s\n", "run time", "motionSpeed", "light 0 u/s", "puffs");
    int64_t frame = 0;
    for (double mark : marks) {
        if (mark > hours * 3600) break;
        const auto last = static_cast<int64_t>(mark * 60);
        double distance = 0;
        uint64_t puffs = 0;
        for (; frame < last; ++frame) {
            const bool measured = frame >= last - 1200;
            const Vec3 from = scene->lights[0].position;
            const uint64_t before = counter.puffs;
            stepFrame(state, *scene, static_cast<uint64_t>((frame + 1) * 1000 + 30) / 60, counter);
            if (!measured) continue;
            const Vec3 to = scene->lights[0].position;
            distance += std::hypot(to.x - from.x, to.y - from.y, to.z - from.z);
            puffs += counter.puffs - before;
        }
        std::printf("%9.0fs %12.1f %12.0f %8.0f\n", mark, static_cast<double>(state.motionSpeed),
                    distance / 20.0, static_cast<double>(puffs) / 1200.0);
        std::fflush(stdout);
    }
    return 0;
}

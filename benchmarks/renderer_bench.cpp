// Benchmarks of the renderer: the particle update alone, the puff atlas,
// whole frames off screen at 1024 x 768 (the steady frame at 12 s, and
// beside it a frame just after the start), and a window over one monitor and
// over two.
#include <GL/osmesa.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "renderer/gl/view.h"
#include "renderer/offscreen/frames.h"
#include "renderer/scene/monitor_scenes.h"
#include "renderer/scene/scene.h"

namespace orvelle {
namespace {

// Takes a frame's records and draws nothing: the quick way to a steady load.
class NoDrawing final : public FrameTarget {
public:
    void fade(uint32_t, uint32_t) override {}
    void star(const StarRecord&) override {}
    void uploadPuffAtlas(const PuffAtlas&) override {}
    void beginPuffs() override {}
    void puff(const PuffQuad&) override {}
    void endPuffs() override {}
};

// Frames every 16 ms up to untilMs, drawn nowhere.
void simulate(RendererState& state, Scene& scene, uint32_t untilMs) {
    NoDrawing nothing;
    for (uint32_t ms = 16; ms <= untilMs; ms += 16) stepFrame(state, scene, ms, nothing);
}

void ParticleUpdate(benchmark::State& bench) {
    RendererState state;
    auto scene = std::make_unique<Scene>();
    initScene(*scene, 1);
    simulate(state, *scene, 12000);
    for (auto _ : bench) {
        state.sceneTime += 0.016f;
        state.frameDelta = 0.016f;
        scene->particles.update(state, scene->lights, scene->attractor);
        benchmark::DoNotOptimize(scene->particles.particles[0].position);
    }
}
BENCHMARK(ParticleUpdate)->Unit(benchmark::kMicrosecond);

void AtlasBuild(benchmark::State& bench) {
    auto atlas = std::make_unique<PuffAtlas>();
    RandomGenerator random;
    for (auto _ : bench) {
        buildPuffAtlas(*atlas, random);
        benchmark::DoNotOptimize(atlas->data());
    }
}
BENCHMARK(AtlasBuild)->Unit(benchmark::kMicrosecond);

// Frames off screen from clock reading fromMs on, every 16 ms, counting the
// particles drawn in the last one.
void frames(benchmark::State& bench, OffscreenRenderer& r, uint32_t fromMs) {
    size_t drawn = 0;
    for (auto _ : bench) {
        r.frameAt(fromMs += 16);
        drawn = 0;
        for (const auto& p : r.renderer().scene->particles.particles) {
            drawn += p.state != ParticleState::Free;
        }
    }
    bench.counters["particles"] = static_cast<double>(drawn);
}

// The steady frame: the scene simulated to 11.9 s without drawing, then
// drawn on to 12 s (building the texture and warming the pipeline) and
// measured from there, with the ring's steady load of particles.
void WholeFrame(benchmark::State& bench) {
    OffscreenRenderer r(1024, 768, 1);
    if (!r.ok()) {
        bench.SkipWithError("no off-screen context");
        return;
    }
    SceneRenderer& renderer = r.renderer();
    simulate(renderer.state, *renderer.scene, 11904);
    renderer.scene->particles.textureDirty = true;  // the atlas went nowhere
    for (uint32_t ms = 11920; ms <= 12000; ms += 16) r.frameAt(ms);
    frames(bench, r, 12000);
}
BENCHMARK(WholeFrame)->Unit(benchmark::kMillisecond)->Iterations(20)->MeasureProcessCPUTime();

// The frames just after the first second of a run, with few particles yet.
void WholeFrameAtStart(benchmark::State& bench) {
    OffscreenRenderer r(1024, 768, 1);
    if (!r.ok()) {
        bench.SkipWithError("no off-screen context");
        return;
    }
    r.runUntil(1008, 16);
    frames(bench, r, 1008);
}
BENCHMARK(WholeFrameAtStart)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->MeasureProcessCPUTime();

// One window over `monitors` monitors of 800 x 600 side by side, a scene on
// each, after 12 s of frames 51 ms apart (a particle shed at every frame, as
// at 60 frames a second): a whole frame, with the processor time of all of
// Mesa's threads (which other work on the machine does not inflate as it
// does the wall time), and that per pixel. Two monitors should cost what
// one does per pixel.
void MonitorFrames(benchmark::State& bench) {
    const auto count = static_cast<int32_t>(bench.range(0));
    std::vector<uint8_t> pixels(static_cast<size_t>(count) * 800 * 600 * 4);
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
    if (context == nullptr ||
        !OSMesaMakeCurrent(context, pixels.data(), GL_UNSIGNED_BYTE, count * 800, 600)) {
        bench.SkipWithError("no off-screen context");
        return;
    }
    std::vector<ScreenRect> monitors;
    for (int32_t i = 0; i < count; ++i) monitors.push_back({i * 800, 0, 800, 600});
    GlFrameView view;
    view.start(static_cast<uint32_t>(count * 800), 600);
    MonitorScenes scenes(view, 1);
    scenes.setLayout({0, 0, count * 800, 600}, monitors, 0, [] {});
    uint32_t ms = 0;
    while (ms < 12000) scenes.frame(ms += 51);
    glFinish();  // the warm-up frames are drawn by now, not in the first measured one
    for (auto _ : bench) {
        scenes.frame(ms += 16);
        glFinish();
    }
    bench.counters["per_pixel"] = benchmark::Counter(
        static_cast<double>(pixels.size() / 4),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    scenes.release();
    OSMesaDestroyContext(context);
}
BENCHMARK(MonitorFrames)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->MeasureProcessCPUTime();

}  // namespace
}  // namespace orvelle

BENCHMARK_MAIN();

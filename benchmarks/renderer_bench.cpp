// Benchmarks of the renderer: the particle update alone, the puff atlas,
// and whole frames off screen at 1024 x 768 with a steady particle load,
// with the literal and the batched particle submission.
#include <benchmark/benchmark.h>

#include <memory>

#include "renderer/host_offscreen.h"
#include "renderer/scene.h"

namespace orvelle {
namespace {

// A scene 12 s in, stepped every 16 ms: the ring holds its steady load.
std::unique_ptr<Scene> steadyScene(RendererState& state) {
    auto scene = std::make_unique<Scene>();
    initScene(*scene, 1);
    simulateScene(state, *scene, 12000, 16);
    return scene;
}

void ParticleUpdate(benchmark::State& bench) {
    RendererState state;
    auto scene = steadyScene(state);
    for (auto _ : bench) {
        state.sceneTime += 0.016f;
        state.frameDelta = 0.016f;
        scene->particles.update(state, scene->lights, scene->attractor);
        benchmark::DoNotOptimize(scene->particles.particles[0].position);
    }
}
BENCHMARK(ParticleUpdate)->Unit(benchmark::kMicrosecond);

void AtlasBuild(benchmark::State& bench) {
    auto puff = std::make_unique<PuffTexture>();
    RandomGenerator random;
    for (auto _ : bench) {
        puff->firstTile = true;
        puff->buildAtlas(random);
        benchmark::DoNotOptimize(puff->puffAtlas.data());
    }
}
BENCHMARK(AtlasBuild)->Unit(benchmark::kMicrosecond);

void WholeFrame(benchmark::State& bench, PuffSubmission submission) {
    OffscreenRenderer r(1024, 768, 1, submission);
    if (!r.ok()) {
        bench.SkipWithError("no off-screen context");
        return;
    }
    r.simulateUntil(11900, 16);
    // Warm up: the first frames build the texture and compile the shaders.
    r.runUntil(12000, 16);
    uint32_t ms = r.state().elapsedMs;
    size_t drawn = 0;
    for (auto _ : bench) {
        r.frameAt(ms += 16);
        drawn = 0;
        for (const auto& p : r.scene().particles.particles) drawn += p.state != ParticleState::Free;
    }
    bench.counters["particles"] = static_cast<double>(drawn);
}
BENCHMARK_CAPTURE(WholeFrame, Literal, PuffSubmission::Literal)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(WholeFrame, Batched, PuffSubmission::Batched)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

}  // namespace
}  // namespace orvelle

BENCHMARK_MAIN();

// Benchmarks of the renderer: the particle update and the puff atlas; the
// steady frame off screen, averaged over the peak of the puffs' load (from
// their longest life on, three seconds) and over a later stretch, drawn by
// OpenGL (Mesa's llvmpipe), by the processor backend on 1 and 2 threads,
// and by the plain loop that is their bound (benchmarks/reference_frame.h);
// the start-up frame, just after the first second; and what a second
// monitor costs, with the same scene's content on both. Every figure is
// the processor time of all the process's threads per frame (which other
// work on the machine inflates less than the wall time), and the table at
// the end gives each frame against the reference.
#include <GL/osmesa.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "benchmarks/reference_frame.h"
#include "renderer/cpu/view.h"
#include "renderer/gl/view.h"
#include "renderer/offscreen/frames.h"
#include "renderer/scene/scene.h"
#include "renderer/scene/scene_renderer.h"

namespace orvelle {
namespace {

constexpr uint32_t kStepMs = 16;
constexpr uint32_t kSeed = 1;

// Takes a frame's records and draws nothing; keeps the puffs where asked,
// and counts them and their area in the view's pixels.
class Records final : public FrameTarget {
public:
    bool keep = false;
    std::vector<PuffQuad> puffs;
    double count = 0;
    double area = 0;
    double pixelScale = 1;  // a unit's share of a pixel squared, w/(w+1) x h/(h+1)

    void fade(uint32_t, uint32_t) override { puffs.clear(); }
    void star(const StarRecord&) override {}
    void uploadPuffAtlas(const PuffAtlas&) override {}
    void beginPuffs() override {}
    void puff(const PuffQuad& q) override {
        if (keep) puffs.push_back(q);
        count += 1;
        area += 4.0 * static_cast<double>(q.length) * q.size * pixelScale;
    }
    void endPuffs() override {}
};

// Frames every kStepMs up to untilMs, drawn nowhere.
void simulate(RendererState& state, Scene& scene, uint32_t untilMs) {
    Records nothing;
    for (uint32_t ms = kStepMs; ms <= untilMs; ms += kStepMs) stepFrame(state, scene, ms, nothing);
}

// The stretches of a view's width: the peak from the puffs' longest life
// (0.125 s + 12.2 ms a pixel of width) rounded up, 3 s long (13 to 16 s
// at 1024 pixels); a later one 16 s on, 2 s long (29 to 31 s).
struct Stretch {
    uint32_t fromMs;
    uint32_t toMs;
};
Stretch stretch(uint32_t width, bool later) {
    const auto life = static_cast<uint32_t>(std::ceil(0.125 + width * 0.01220703125));
    const uint32_t from = (life + (later ? 16 : 0)) * 1000;
    return {from, from + (later ? 2000 : 3000)};
}

int64_t framesIn(const Stretch& s) {
    return (s.toMs - s.fromMs) / kStepMs;
}

// The puffs drawn per frame over a stretch and their area in pixels.
void loadCounters(benchmark::State& bench, uint32_t width, uint32_t height, const Stretch& s) {
    RendererState state;
    state.viewWidth = width;
    state.viewHeight = height;
    auto scene = std::make_unique<Scene>();
    initScene(*scene, kSeed);
    primeLights(state, *scene);
    simulate(state, *scene, s.fromMs);
    Records records;
    records.pixelScale = (width / (width + 1.0)) * (height / (height + 1.0));
    for (uint32_t ms = s.fromMs + kStepMs; ms <= s.toMs; ms += kStepMs) {
        stepFrame(state, *scene, ms, records);
    }
    const double frames = static_cast<double>(framesIn(s));
    bench.counters["puffs"] = records.count / frames;
    bench.counters["puff_Mpx"] = records.area / frames / 1e6;
}

enum Backend : int64_t { kGl, kCpu1, kCpu2, kReference, kReferenceAvx2 };
const char* const kBackendNames[] = {"gl", "cpu1", "cpu2", "reference", "reference_avx2"};

OffscreenOptions optionsOf(int64_t backend) {
    if (backend == kGl) return {};
    return {.rendering = Rendering::Cpu,
            .cpu = {.threads = backend == kCpu1 ? 1u : 2u, .baselineOnly = false}};
}

// The steady frame: the scene simulated to just before the stretch without
// drawing, a few frames drawn (the atlas made, the pipeline warm), then
// every frame of the stretch measured.
void steadyFrame(benchmark::State& bench, int64_t backend, uint32_t width, uint32_t height,
                 Stretch s) {
    const uint32_t warm = s.fromMs - 5 * kStepMs;
    if (backend == kReference || backend == kReferenceAvx2) {
        SceneRenderer renderer(kSeed, width, height);
        auto records = std::make_unique<Records>();
        records->keep = true;
        simulate(renderer.state, *renderer.scene, s.fromMs);
        bench::ReferencePicture picture{width, height, std::vector<uint32_t>(width * height)};
        std::vector<uint8_t> texels;
        uint32_t ms = s.fromMs;
        for (auto _ : bench) {
            stepFrame(renderer.state, *renderer.scene, ms += kStepMs, *records);
            if (texels.empty()) texels = bench::referenceTexels(renderer.scene->puffAtlas);
            (backend == kReference ? bench::referenceFrame : bench::referenceFrameAvx2)(
                picture, records->puffs, texels);
            benchmark::DoNotOptimize(picture.pixels.data());
        }
    } else {
        OffscreenRenderer r(width, height, kSeed, 0, optionsOf(backend));
        if (!r.ok()) {
            bench.SkipWithError("no off-screen picture");
            return;
        }
        SceneRenderer& renderer = r.renderer();
        simulate(renderer.state, *renderer.scene, warm);
        renderer.scene->particles.textureDirty = true;  // the atlas went nowhere
        for (uint32_t ms = warm + kStepMs; ms <= s.fromMs; ms += kStepMs) r.frameAt(ms);
        uint32_t ms = s.fromMs;
        for (auto _ : bench) r.frameAt(ms += kStepMs);
    }
    loadCounters(bench, width, height, s);
}

// SteadyFrame/BACKEND/WIDTHxHEIGHT/peak|later: each stretch's frames once.
void registerSteadyFrames() {
    for (const auto& [width, height] : {std::pair{1024u, 768u}, std::pair{1920u, 1080u}}) {
        for (bool later : {false, true}) {
            const Stretch s = stretch(width, later);
            for (int64_t backend : {kGl, kCpu1, kCpu2, kReference, kReferenceAvx2}) {
                const std::string name = std::string("SteadyFrame/") + kBackendNames[backend] +
                                         "/" + std::to_string(width) + "x" +
                                         std::to_string(height) + (later ? "/later" : "/peak");
                benchmark::RegisterBenchmark(name.c_str(), steadyFrame, backend, width, height, s)
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(framesIn(s))
                    ->MeasureProcessCPUTime();
            }
        }
    }
}

// The start-up frame: the frames just after the first second of a run,
// with few puffs yet, mostly the fade of the whole picture.
void StartupFrame(benchmark::State& bench) {
    OffscreenRenderer r(1024, 768, kSeed, 0, optionsOf(bench.range(0)));
    if (!r.ok()) {
        bench.SkipWithError("no off-screen picture");
        return;
    }
    bench.SetLabel(kBackendNames[bench.range(0)]);
    r.runUntil(1008, kStepMs);
    uint32_t ms = 1008;
    for (auto _ : bench) r.frameAt(ms += kStepMs);
    loadCounters(bench, 1024, 768, {1008, 1008 + 20 * kStepMs});
}
BENCHMARK(StartupFrame)
    ->Arg(kGl)
    ->Arg(kCpu1)
    ->Arg(kCpu2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->MeasureProcessCPUTime();

// A window over `monitors` monitors of 800 x 600 side by side, each with
// the same scene (same seed, same figure): at the peak of the load, the
// frame's processor time per pixel. Two monitors should cost what one
// does per pixel (1.00 in the table).
void MonitorFrames(benchmark::State& bench) {
    const int64_t backend = bench.range(0);
    const auto count = static_cast<int32_t>(bench.range(1));
    bench.SetLabel(std::string(kBackendNames[backend]) + " " + std::to_string(count) +
                   " x 800x600");
    std::vector<uint8_t> pixels(static_cast<size_t>(count) * 800 * 600 * 4);
    OSMesaContext context = nullptr;
    std::unique_ptr<FrameView> view;
    if (backend == kGl) {
        context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
        if (context == nullptr ||
            !OSMesaMakeCurrent(context, pixels.data(), GL_UNSIGNED_BYTE, count * 800, 600)) {
            bench.SkipWithError("no off-screen context");
            return;
        }
        view = std::make_unique<GlFrameView>();
    } else {
        view = std::make_unique<CpuFrameView>(optionsOf(backend).cpu);
    }
    view->start(static_cast<uint32_t>(count * 800), 600);
    view->clear();
    std::vector<std::unique_ptr<SceneRenderer>> scenes;
    for (int32_t i = 0; i < count; ++i) {
        scenes.push_back(std::make_unique<SceneRenderer>(kSeed, 800, 600));
        scenes.back()->attach(view->newTarget());
    }
    const Stretch s = stretch(800, false);
    const auto frame = [&](uint32_t ms) {
        for (int32_t i = 0; i < count; ++i) {
            view->viewport({i * 800, 0, 800, 600});
            scenes[static_cast<size_t>(i)]->frame(ms);
        }
        if (backend == kGl) {
            glFinish();
        } else {
            static_cast<CpuFrameView&>(*view).picture();
        }
    };
    for (auto& scene : scenes) {
        simulate(scene->state, *scene->scene, s.fromMs - 5 * kStepMs);
        scene->scene->particles.textureDirty = true;  // the atlas went nowhere
    }
    for (uint32_t ms = s.fromMs - 4 * kStepMs; ms <= s.fromMs; ms += kStepMs) frame(ms);
    uint32_t ms = s.fromMs;
    for (auto _ : bench) frame(ms += kStepMs);
    bench.counters["per_Mpx"] = benchmark::Counter(
        static_cast<double>(count) * 800 * 600 / 1e6,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    for (auto& scene : scenes) scene->release();
    view->release();
    if (context != nullptr) OSMesaDestroyContext(context);
}
BENCHMARK(MonitorFrames)
    ->ArgsProduct({{kGl, kCpu2}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(framesIn(stretch(800, false)))
    ->MeasureProcessCPUTime();

void ParticleUpdate(benchmark::State& bench) {
    RendererState state;
    auto scene = std::make_unique<Scene>();
    initScene(*scene, kSeed);
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

// The usual console output, then the steady frames as a table: each
// backend's processor time per frame and its ratio to the plain loop.
class TableReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // The name without what Google Benchmark adds ("/iterations:N/...").
            std::string name = run.benchmark_name();
            name = name.substr(0, name.find("/iterations"));
            const double ms = run.GetAdjustedCPUTime();
            if (name.rfind("SteadyFrame/", 0) == 0) {
                // SteadyFrame/BACKEND/SIZE/STRETCH
                const std::string rest = name.substr(12);
                const std::string backend = rest.substr(0, rest.find('/'));
                const std::string where = rest.substr(rest.find('/') + 1);
                for (int64_t b = kGl; b <= kReferenceAvx2; ++b) {
                    if (backend == kBackendNames[b]) steady_[where][b] = ms;
                }
            } else if (name.rfind("MonitorFrames/", 0) == 0) {
                monitors_[name.substr(14)] = ms;
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf(
            "\nThe steady frame: processor time per frame in ms, and (in brackets) "
            "against the plain loop (reference, baseline build)\n");
        std::printf("%-10s %-8s %17s %17s %17s %10s %16s\n", "size", "stretch", "GL (llvmpipe)",
                    "processor, 1 th.", "processor, 2 th.", "reference", "reference (AVX2)");
        for (const auto& [where, times] : steady_) {
            const double bound = times.count(kReference) ? times.at(kReference) : 0.0;
            const std::string size = where.substr(0, where.find('/'));
            const std::string part = where.substr(where.find('/') + 1);
            const auto width = static_cast<uint32_t>(std::stoul(size));
            const Stretch s = stretch(width, part == "later");
            const std::string seconds =
                std::to_string(s.fromMs / 1000) + "-" + std::to_string(s.toMs / 1000) + " s";
            std::printf("%-10s %-8s", size.c_str(), seconds.c_str());
            for (int64_t b : {kGl, kCpu1, kCpu2}) {
                if (times.count(b) && bound > 0) {
                    std::printf(" %9.2f (%5.2f)", times.at(b), times.at(b) / bound);
                } else {
                    std::printf(" %17s", "-");
                }
            }
            std::printf(" %10.2f", bound);
            if (times.count(kReferenceAvx2) && bound > 0) {
                std::printf(" %7.2f (%5.2f)", times.at(kReferenceAvx2),
                            times.at(kReferenceAvx2) / bound);
            }
            std::printf("\n");
        }
        const std::pair<std::string, const char*> monitored[] = {{"0", "GL"},
                                                                 {"2", "processor, 2 threads"}};
        for (const auto& [id, backend] : monitored) {
            const auto one = monitors_.find(id + "/1"), two = monitors_.find(id + "/2");
            if (one == monitors_.end() || two == monitors_.end() || one->second <= 0) continue;
            std::printf(
                "a second monitor with the same content, per pixel against one "
                "(1.00: the same), %s: %.2f\n",
                backend, two->second / one->second / 2.0);
        }
    }

private:
    std::map<std::string, std::map<int64_t, double>> steady_;
    std::map<std::string, double> monitors_;
};

}  // namespace
}  // namespace orvelle

int main(int argc, char** argv) {
    orvelle::registerSteadyFrames();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    orvelle::TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

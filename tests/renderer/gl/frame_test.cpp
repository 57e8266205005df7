// Frames rendered off screen (Mesa) with a scripted clock and seed: the
// pixels of a fixed frame (the batched puffs' matrices included), the black
// first second, the viewport, no heap use while the scene runs, and two
// monitors' scenes side by side in one window.
#include <GL/osmesa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "renderer/gl/api.h"
#include "renderer/gl/view.h"
#include "renderer/offscreen/frames.h"
#include "renderer/scene/monitor_scenes.h"
#include "tests/support/digest.h"

// Every operator new of this test program is counted. The library's other
// forms of new, and its delete, end up in malloc's counterparts.
namespace {
std::atomic<int64_t> allocations{0};
}

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

// Mesa's off-screen driver keeps a few allocations of its own past the last
// context; they are not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libOSMesa.so\n";
}
// The replacement allocator is malloc underneath, so memory that Mesa's LLVM
// gets from operator new and gives back with free is not a mismatch here.
extern "C" const char* __asan_default_options() {
    return "alloc_dealloc_mismatch=0";
}

namespace orvelle {
namespace {

constexpr uint32_t kSeed = 20261206;

uint64_t colourDigest(const std::vector<uint8_t>& rgba) {
    testing::Digest digest;
    // The colour channels only: the fade leaves alpha values behind.
    for (size_t i = 0; i < rgba.size(); i += 4)
        digest.add(rgba[i]).add(rgba[i + 1]).add(rgba[i + 2]);
    return digest.value();
}

TEST(OffscreenFrames, AFixedFramesPixels) {
    OffscreenRenderer r(640, 480, kSeed);
    ASSERT_TRUE(r.ok());
    r.runUntil(1000, 20);
    EXPECT_EQ(colourDigest(r.pixels()), colourDigest(std::vector<uint8_t>(640 * 480 * 4, 0)))
        << "the first second is black";
    r.runUntil(3000, 20);
    EXPECT_EQ(colourDigest(r.pixels()), 11126921195644669772ull);
    GlFrameView view;
    view.viewport({0, 0, 640, 0});  // a window with no height still has a viewport
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 1);
}

// The records live in static storage: frames after start-up allocate
// nothing, drawn by OpenGL or by the processor (which makes room for a
// scene's records when the scene is made). Start-up lasts until Mesa has
// made its shaders for both of the atlas's textures: past the texture
// build and the first puff of 48 units (at 320 pixels a puff grows to 39
// units at 2000 units away, 48 across at 2.5 s).
TEST(OffscreenFrames, NoAllocationsWhileTheSceneRuns) {
    for (Rendering rendering : {Rendering::Gl, Rendering::Cpu}) {
        OffscreenRenderer r(320, 240, 3, 0, {.rendering = rendering, .cpu = {}});
        ASSERT_TRUE(r.ok());
        r.runUntil(5000, 40);
        ASSERT_FALSE(r.renderer().scene->particles.textureDirty);
        const int64_t before = allocations.load();
        r.runUntil(18000, 40);  // a full ring of particles
        EXPECT_EQ(allocations.load() - before, 0) << (rendering == Rendering::Cpu ? "cpu" : "gl");
    }
    EXPECT_GT(allocations.load(), 0) << "the counter counts";
}

// A window of 480 x 300 over a monitor of 320 x 240 at its top-left and one
// of 160 x 120 at its bottom-right: each monitor's part of the window holds
// the frame that a window of the monitor's own size shows with that scene's
// seed (to one level: the viewport's offset moves a few edges' rounding),
// and the rest of the window stays black.
TEST(OffscreenFrames, EachMonitorShowsItsOwnSceneInItsViewport) {
    std::vector<uint8_t> window(480 * 300 * 4);
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
    ASSERT_TRUE(OSMesaMakeCurrent(context, window.data(), GL_UNSIGNED_BYTE, 480, 300));
    GlFrameView view;
    ASSERT_TRUE(view.start(480, 300));
    MonitorScenes scenes(view, kSeed);
    const ScreenRect monitors[] = {{0, 0, 320, 240}, {320, 180, 160, 120}};
    scenes.setLayout({0, 0, 480, 300}, monitors, 0, [] {});
    for (uint32_t ms = 20; ms <= 3000; ms += 20) scenes.frame(ms);
    glFinish();
    scenes.release();
    OSMesaDestroyContext(context);

    // The largest colour difference between a part of the window (rows from
    // the bottom) and a picture of its size.
    const auto difference = [&](uint32_t left, uint32_t bottom, uint32_t width, uint32_t height,
                                const std::vector<uint8_t>& picture) {
        int largest = 0;
        for (uint32_t i = 0; i < width * height * 4; ++i) {
            const uint8_t mine =
                window[((bottom + i / 4 / width) * 480 + left) * 4 + i % (width * 4)];
            if (i % 4 != 3) largest = std::max(largest, std::abs(mine - picture[i]));
        }
        return largest;
    };
    const auto alone = [](uint32_t width, uint32_t height, uint32_t made) {
        OffscreenRenderer r(width, height, kSeed, made);
        r.runUntil(3000, 20);
        return r.pixels();
    };
    // The seeds: the run's, then each the one before plus 2^32 over the
    // golden ratio (0x9E3779B9), modulo 2^32; a later scene's figure turns by
    // 60 degrees and its seed modulo 241 (2674696975 = 11098327 * 241 + 168).
    EXPECT_EQ(MonitorScenes::identity(kSeed, 1).seed, 2674696975u);
    EXPECT_EQ(MonitorScenes::identity(kSeed, 2).seed, 1034165448u);
    EXPECT_EQ(MonitorScenes::identity(kSeed, 1).turnDegrees, 228.0f);
    const auto first = alone(320, 240, 0), second = alone(160, 120, 1);
    EXPECT_LE(difference(0, 60, 320, 240, first), 1);
    EXPECT_LE(difference(320, 0, 160, 120, second), 1);
    EXPECT_GT(difference(0, 60, 320, 240, std::vector<uint8_t>(first.size())), 100) << "lit";
    EXPECT_GT(difference(320, 0, 160, 120, alone(160, 120, 0)), 100) << "a flight of its own";
    EXPECT_EQ(difference(320, 120, 160, 180, std::vector<uint8_t>(160 * 180 * 4)), 0);
    EXPECT_EQ(difference(0, 0, 320, 60, std::vector<uint8_t>(320 * 60 * 4)), 0);
}

}  // namespace
}  // namespace orvelle

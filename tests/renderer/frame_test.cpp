// Frames rendered off screen (Mesa) with a scripted clock and seed: the
// pixels of a fixed frame (the batched puffs' matrices included), the black
// first second, the viewport, and no heap use while the scene runs.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "renderer/gl_api.h"
#include "renderer/host_offscreen.h"
#include "tests/renderer/recording_target.h"

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
    for (size_t i = 0; i < rgba.size(); i += 4) {
        digest.add(rgba[i]).add(rgba[i + 1]).add(rgba[i + 2]);
    }
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
    resizeViewport(640, 0);  // a window with no height still has a viewport
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 1);
}

// The records live in static storage: frames after start-up allocate nothing.
TEST(OffscreenFrames, NoAllocationsWhileTheSceneRuns) {
    OffscreenRenderer r(320, 240, 3);
    ASSERT_TRUE(r.ok());
    r.runUntil(1500, 40);  // past the first draw and the texture build
    ASSERT_FALSE(r.renderer().scene->particles.textureDirty);
    const int64_t before = allocations.load();
    r.runUntil(14000, 40);  // a full ring of particles
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_GT(allocations.load(), 0) << "the counter counts";
}

}  // namespace
}  // namespace orvelle

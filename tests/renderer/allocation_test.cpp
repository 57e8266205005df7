// The scene runs without touching the heap: every operator new in this test
// binary is counted, and frames after start-up must add none.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "renderer/host_offscreen.h"

namespace {
std::atomic<int64_t> allocations{0};
}

// The library's other forms of new, and its delete, end up in malloc's
// counterparts; replacing this one counts them all.
void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

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

TEST(Allocations, NoneWhileTheSceneRuns) {
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

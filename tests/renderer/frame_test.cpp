// Frames rendered off screen (Mesa) with a scripted clock and seed: the
// pixels of a fixed frame, the black first second, and the batched puffs'
// matrices against OpenGL's own.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "renderer/gl_api.h"
#include "renderer/host_offscreen.h"
#include "tests/renderer/recording_target.h"

// Mesa's off-screen driver keeps a few allocations of its own past the last
// context; they are not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libOSMesa.so\n";
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
}

TEST(OffscreenFrames, BatchedPuffMatricesAreOpenGLsOwn) {
    OffscreenRenderer r(64, 64, kSeed);
    ASSERT_TRUE(r.ok());
    resizeViewport(64, 0);  // a window with no height still has a viewport
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 1);
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-2000.0f, 2000.0f), scale(0.0f, 300.0f);
    std::uniform_real_distribution<float> angle(-180.0f, 180.0f);
    glMatrixMode(GL_MODELVIEW);
    for (int i = 0; i < 2000; ++i) {
        const float x = coordinate(random), y = coordinate(random);
        const float a = angle(random);
        const float length = scale(random), size = scale(random);
        glPushMatrix();
        glLoadIdentity();
        glTranslatef(x, y, 0.0f);
        glRotatef(a, 0.0f, 0.0f, 1.0f);
        glScalef(length, size, 0.0f);
        PuffMatrix gl{};
        glGetFloatv(GL_MODELVIEW_MATRIX, gl.data());
        glPopMatrix();
        ASSERT_EQ(puffMatrix(x, y, a, length, size), gl) << i;
    }
}

}  // namespace
}  // namespace orvelle

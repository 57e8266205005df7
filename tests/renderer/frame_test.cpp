// Frames rendered off screen (Mesa) with a scripted clock and seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "renderer/gl_api.h"
#include "renderer/host_offscreen.h"

// Mesa's off-screen driver keeps a few allocations of its own past the last
// context; they are not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libOSMesa.so\n";
}

namespace orvelle {
namespace {

// The colour channels only: the fade leaves alpha values behind.
bool allBlack(const std::vector<uint8_t>& rgba) {
    for (size_t i = 0; i < rgba.size(); i += 4) {
        if (rgba[i] != 0 || rgba[i + 1] != 0 || rgba[i + 2] != 0) return false;
    }
    return true;
}

constexpr uint32_t kSeed = 20261206;

std::vector<uint8_t> renderTo(uint32_t width, uint32_t height, uint32_t untilMs, uint32_t stepMs,
                              PuffSubmission submission = PuffSubmission::Batched) {
    OffscreenRenderer r(width, height, kSeed, submission);
    EXPECT_TRUE(r.ok());
    r.runUntil(untilMs, stepMs);
    return r.pixels();
}

TEST(OffscreenFrames, SameSeedAndClockGiveTheSamePixels) {
    const auto a = renderTo(320, 240, 2500, 40);
    const auto b = renderTo(320, 240, 2500, 40);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_TRUE(a == b);
    EXPECT_GT(std::count_if(a.begin(), a.end(), [](uint8_t v) { return v > 0; }), 100)
        << "the frame should not be empty";
}

TEST(OffscreenFrames, TheFirstSecondIsBlack) {
    OffscreenRenderer r(320, 240, kSeed);
    ASSERT_TRUE(r.ok());
    r.runUntil(1000, 20);
    EXPECT_EQ(r.state().sceneTime, 1.0f);
    EXPECT_TRUE(allBlack(r.pixels()));
    // The scene has been moving all the while, and particles were emitted.
    EXPECT_GT(r.scene().particles.emitIndex, 0);
    r.frameAt(1020);
    EXPECT_FALSE(allBlack(r.pixels()));
}

// Centroid of the pixels near (x, y) whose channel is saturated.
struct Spot {
    double x = 0;
    double y = 0;
    int count = 0;
};

Spot saturatedSpot(OffscreenRenderer& r, int channel, float cx, float cy, int radius) {
    Spot spot;
    const auto& p = r.pixels();
    for (int y = std::max(0, int(cy) - radius);
         y <= std::min<int>(r.height() - 1, int(cy) + radius); ++y) {
        for (int x = std::max(0, int(cx) - radius);
             x <= std::min<int>(r.width() - 1, int(cx) + radius); ++x) {
            if (p[(static_cast<size_t>(y) * r.width() + x) * 4 + channel] >= 250) {
                spot.x += x;
                spot.y += y;
                ++spot.count;
            }
        }
    }
    if (spot.count > 0) {
        spot.x /= spot.count;
        spot.y /= spot.count;
    }
    return spot;
}

TEST(OffscreenFrames, StarsSitAtTheirLightsProjections) {
    OffscreenRenderer r(800, 600, kSeed);
    ASSERT_TRUE(r.ok());
    for (uint32_t ms = 16; ms <= 992; ms += 16) {
        r.state().motionSpeed = 20.0f;
        r.frameAt(ms);
    }
    r.state().motionSpeed = 20.0f;
    r.frameAt(1000);
    r.state().motionSpeed = 20.0f;
    r.frameAt(1001);  // the first frame drawn

    const auto red = projectToView(r.scene().lights[0].position, 800, 600);
    EXPECT_NEAR(red.x, 433.0f, 1.5f);
    EXPECT_NEAR(red.y, 196.0f, 1.5f);
    for (int i = 0; i < 3; ++i) {
        const auto at = projectToView(r.scene().lights[i].position, 800, 600);
        // The rays meet at the light: its pixel is saturated in the light's
        // channel, and the saturated spot is centred on it.
        const auto px = static_cast<uint32_t>(std::lround(at.x));
        const auto py = static_cast<uint32_t>(std::lround(at.y));
        EXPECT_GE((r.pixelAt(px, py) >> (16 - 8 * i)) & 0xFF, 250u) << "light " << i;
        const Spot spot = saturatedSpot(r, i, at.x, at.y, 30);
        ASSERT_GT(spot.count, 0) << "light " << i;
        EXPECT_NEAR(spot.x, at.x, 3.0) << "light " << i;
        EXPECT_NEAR(spot.y, at.y, 3.0) << "light " << i;
    }
}

}  // namespace
}  // namespace orvelle

namespace orvelle {
namespace {

std::vector<std::vector<uint8_t>> checkpoints(PuffSubmission submission) {
    OffscreenRenderer r(320, 240, kSeed, submission);
    EXPECT_TRUE(r.ok());
    std::vector<std::vector<uint8_t>> frames;
    for (uint32_t until : {1500u, 4000u, 8000u}) {
        r.runUntil(until, 40);
        frames.push_back(r.pixels());
    }
    return frames;
}

TEST(OffscreenFrames, BatchedPuffsGiveTheLiteralPixels) {
    const auto literal = checkpoints(PuffSubmission::Literal);
    const auto batched = checkpoints(PuffSubmission::Batched);
    ASSERT_EQ(literal.size(), batched.size());
    for (size_t i = 0; i < literal.size(); ++i) {
        size_t differing = 0;
        for (size_t k = 0; k < literal[i].size(); ++k) differing += literal[i][k] != batched[i][k];
        EXPECT_EQ(differing, 0u) << "checkpoint " << i;
    }
}

}  // namespace
}  // namespace orvelle

namespace orvelle {
namespace {

TEST(PuffMatrix, IsTheMatrixThePipelineBuilds) {
    OffscreenRenderer r(64, 64, kSeed);
    ASSERT_TRUE(r.ok());
    RandomGenerator random;
    for (int i = 0; i < 2000; ++i) {
        const float cx = static_cast<float>(random.nextRandom()) * 0.037f - 200.0f;
        const float cy = static_cast<float>(random.nextRandom()) * 0.029f - 150.0f;
        const double angle = (static_cast<double>(random.nextRandom()) / 32767.0 - 0.5) * 360.0;
        const float length = static_cast<float>(random.nextRandom()) * 0.003f + 0.75f;
        const float size = static_cast<float>(random.nextRandom()) * 0.001f + 0.1875f;
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glTranslatef(cx, cy, 0.0f);
        glRotated(angle, 0.0, 0.0, 1.0);
        glScalef(length, size, 0.0f);
        float gl[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, gl);
        glPopMatrix();
        const PuffMatrix mine = puffMatrix(cx, cy, angle, length, size);
        for (int k = 0; k < 16; ++k) {
            ASSERT_EQ(mine[k], gl[k]) << "element " << k << " angle " << angle;
        }
    }
}

}  // namespace
}  // namespace orvelle

#include "renderer/clock.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvelle {
namespace {

TEST(ElapsedMs, TruncatesWholeMillisecondsFromTheCounter) {
    EXPECT_EQ(elapsedMsFrom(1000, 1000, 10'000'000), 0u);
    EXPECT_EQ(elapsedMsFrom(1000 + 9'999, 1000, 10'000'000), 0u);  // 0.9999 ms
    EXPECT_EQ(elapsedMsFrom(1000 + 10'000, 1000, 10'000'000), 1u);
    EXPECT_EQ(elapsedMsFrom(3'579'545 * 2 + 5, 5, 3'579'545), 2000u);
    EXPECT_EQ(elapsedMsFrom(5, 5, 0), 0u) << "no counter gives no time, not a division by zero";
}

TEST(ElapsedMs, KeepsTheLow32BitsOnALongRun) {
    // 50 days at 10 MHz: 4'320'000'000 ms wraps past 2^32.
    const int64_t frequency = 10'000'000;
    const int64_t fiftyDays = 50LL * 24 * 3600 * frequency;
    EXPECT_EQ(elapsedMsFrom(fiftyDays, 0, frequency), static_cast<uint32_t>(4'320'000'000ULL));
}

TEST(SceneClock, StepsAcrossAFrame) {
    RendererState state;
    state.elapsedMs = 1000;
    advanceSceneClock(state);
    EXPECT_FLOAT_EQ(state.sceneTime, 1.0f);
    EXPECT_FLOAT_EQ(state.frameDelta, 1.0f);

    state.elapsedMs = 1016;
    advanceSceneClock(state);
    EXPECT_EQ(state.sceneTime, static_cast<float>(1016 * 0.001));
    EXPECT_EQ(state.frameDelta, static_cast<float>(1016 * 0.001) - 1.0f);
    EXPECT_EQ(state.velocityDecay,
              static_cast<float>(std::pow(0.99375, static_cast<double>(state.frameDelta) * 85.0)));

    // A frame in the same millisecond: no time passes and nothing is damped.
    advanceSceneClock(state);
    EXPECT_EQ(state.frameDelta, 0.0f);
    EXPECT_EQ(state.velocityDecay, 1.0f);
}

TEST(SceneClock, DampsAboutHalfPerSecondWhateverTheFrameRate) {
    RendererState state;
    double kept = 1.0;
    for (uint32_t ms = 10; ms <= 1000; ms += 10) {
        state.elapsedMs = ms;
        advanceSceneClock(state);
        kept *= state.velocityDecay;
    }
    EXPECT_NEAR(kept, std::pow(0.99375, 85.0), 1e-4);
    EXPECT_NEAR(kept, 0.587, 1e-3);
}

TEST(SceneClock, LosesResolutionButNotSenseAfterAnHour) {
    RendererState state;
    state.elapsedMs = 3'600'000;
    advanceSceneClock(state);
    state.elapsedMs = 3'600'016;
    advanceSceneClock(state);
    EXPECT_FLOAT_EQ(state.sceneTime, 3600.016f);
    // Single precision near 3600 has steps of 1/4096 s.
    EXPECT_NEAR(state.frameDelta, 0.016f, 1.0f / 4096);
    EXPECT_GT(state.frameDelta, 0.0f);
}

TEST(MotionSpeed, GrowsByOneThousandthPerFrameUnbounded) {
    RendererState state;
    state.motionSpeed = 74.9995f;
    growMotionSpeed(state);
    EXPECT_EQ(state.motionSpeed, 74.9995f + 0.001f);
    EXPECT_GT(state.motionSpeed, 75.0f);
}

}  // namespace
}  // namespace orvelle

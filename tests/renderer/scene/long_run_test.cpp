// A run of hours and days through the host core, on a clock the test sets
// at 60 frames a second (1920 x 1080, seed 7), leaping forward between the
// stretches it looks at as a machine that slept would: the records counted
// and digested, not drawn. The first five minutes are frame for frame what
// they always were; later stretches keep their character (the lights'
// speed and the puffs drawn within half the least and one and a half times
// the most of minutes 1 to 5), their frames' steps within a millisecond of
// the clock's, across the 32-bit millisecond wrap too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "renderer/scene/host_core.h"
#include "renderer/scene/keys.h"
#include "tests/renderer/scene/recording_target.h"

namespace orvelle {
namespace {

class Window final : public HostWindow {
public:
    void layout(Layout& layout) override {
        layout.window = {0, 0, 1920, 1080};
        layout.monitors.assign(1, layout.window);
    }
    void present() override {}
};

// What a stretch of frames looked like.
struct Figures {
    double lightSpeed = 0;   // light 0's, scene units per second
    double puffs = 0;        // drawn per frame
    double stepError = 0;    // the largest difference of a frame's step from the clock's, ms
    double longestMove = 0;  // light 0's largest move in one frame, units
};

class LongRunner {
public:
    LongRunner() : core_(window_, view_, HostSettings{.seed = 7}) {
        view_.keep = false;
        core_.start(0);
    }

    // Frames at 60 a second from the clock's reading on, for seconds; the
    // first is not looked at when the clock leapt to it.
    Figures frames(double seconds, bool afterLeap = false) {
        Figures f;
        const SceneRenderer& scene = *core_.scenes().first();
        if (afterLeap) core_.frame(at(++frame_));
        const uint64_t puffsBefore = puffs();
        const int count = static_cast<int>(seconds * 60);
        double distance = 0;
        for (int i = 0; i < count; ++i) {
            const Vec3 from = scene.scene->lights[0].position;
            const uint64_t ms = core_.sceneMs();
            if (const auto key = keys.find(frame_ + 1); key != keys.end()) core_.key(key->second);
            core_.frame(at(++frame_));
            const Vec3 to = scene.scene->lights[0].position;
            const double step = static_cast<double>(core_.sceneMs() - ms);
            f.stepError = std::max(f.stepError, std::abs(scene.state.frameDelta * 1000.0 - step));
            const double move = std::hypot(to.x - from.x, to.y - from.y, to.z - from.z);
            f.longestMove = std::max(f.longestMove, move);
            distance += move;
        }
        f.lightSpeed = distance / count * 60.0;
        f.puffs = static_cast<double>(puffs() - puffsBefore) / count;
        return f;
    }
    // The clock leaps to that second (the next frame comes that late).
    void leapTo(double seconds) { frame_ = static_cast<int64_t>(seconds * 60) - 1; }
    HostCore& core() { return core_; }
    RendererState& state() { return core_.scenes().first()->state; }
    uint64_t puffs() const { return view_.targets[0]->puffCount; }
    uint64_t digest() const { return view_.targets[0]->digest.value(); }

    // The 60-a-second clock: frame n at n / 60 s, in microseconds.
    static int64_t at(int64_t frame) { return (frame * 1'000'000 + 30) / 60; }
    int64_t frame_ = 0;
    std::map<int64_t, uint32_t> keys;  // pressed before the frame of that number

private:
    testing::RecordingView view_;
    Window window_;
    HostCore core_;
};

std::string shown(const Figures& f) {
    return "speed " + std::to_string(f.lightSpeed) + ", puffs " + std::to_string(f.puffs) +
           ", step error " + std::to_string(f.stepError) + " ms";
}

TEST(LongRun, HoursAndDaysLookLikeTheFirstMinutes) {
    LongRunner run;
    // The first five minutes, every frame, with the keys pressed on the way:
    // the same records as ever (a regression guard, pinned before the paths
    // were folded), and the figures of minutes 1 to 5.
    run.keys = {
        {6000, keys::kRight}, {6001, keys::kRight}, {9000, keys::kDown}, {12000, keys::kLeft}};
    Figures least{1e9, 1e9}, most;
    for (int minute = 1; minute <= 5; ++minute) {
        run.frames(40);
        const Figures f = run.frames(20);
        least = {std::min(least.lightSpeed, f.lightSpeed), std::min(least.puffs, f.puffs)};
        most = {std::max(most.lightSpeed, f.lightSpeed), std::max(most.puffs, f.puffs)};
        EXPECT_LT(f.stepError, 1.0) << minute << " min";
    }
    EXPECT_EQ(run.digest(), 2373471918425615422ull) << "the first five minutes changed";
    EXPECT_NEAR(run.state().motionSpeed, 38.24f, 0.001f) << "18000 frames of growth and the keys";

    // Ten minutes, an hour, eight hours, three days, and across 2^32 ms; 30
    // seconds after each leap (the particles from before it are long gone,
    // and a new ring's lives at this width last 23.6 s).
    for (double second : {600.0, 3600.0, 8 * 3600.0, 3 * 86400.0, 4294967.296 - 10}) {
        run.leapTo(second - 30);
        run.frames(30, true);
        const Figures f = run.frames(20);
        const std::string at = std::to_string(second) + " s: " + shown(f);
        EXPECT_GE(f.lightSpeed, 0.5 * least.lightSpeed) << at;
        EXPECT_LE(f.lightSpeed, 1.5 * most.lightSpeed) << at;
        EXPECT_GE(f.puffs, 0.5 * least.puffs) << at;
        EXPECT_LE(f.puffs, 1.5 * most.puffs) << at;
        EXPECT_LT(f.stepError, 1.0) << at;
    }
    EXPECT_GT(run.core().sceneMs(), uint64_t{1} << 32) << "the clock counts past 2^32 ms";
    EXPECT_LT(run.state().sceneTime, 600.0f) << "the scene clock kept near its epoch";
}

TEST(LongRun, LateInARunKeysChangeThePaceWithoutAJumpAndABackwardClockStandsStill) {
    LongRunner run;
    run.frames(300.5);  // just past the first five minutes
    ASSERT_TRUE(run.state().pathsFolded);
    const float pace = run.state().motionSpeed;
    EXPECT_NEAR(pace, 20.0 + 2 * 18.0, 0.01) << "the speed and what its growth added";
    const Figures steady = run.frames(5);
    for (int i = 0; i < 80; ++i) run.core().key(keys::kRight);
    const Figures faster = run.frames(5);
    EXPECT_EQ(run.state().motionSpeed, 75.0f) << "up to the keys' bound, and no growth";
    EXPECT_LT(faster.longestMove, 2.0 * steady.longestMove) << "no jump";
    EXPECT_GT(faster.lightSpeed, 1.2 * steady.lightSpeed) << "a faster pace";
    run.state().motionSpeed = 90.0f;  // as a fast machine's five minutes leave it
    run.core().key(keys::kRight);
    EXPECT_EQ(run.state().motionSpeed, 75.0f);
    EXPECT_LT(run.frames(1).longestMove, 2.0 * steady.longestMove) << "set back without a jump";

    // The clock goes back a minute, then on: frames that take no time, then
    // on from where it stood, still shedding particles.
    const uint64_t before = run.core().sceneMs();
    run.frame_ -= 3600;
    const uint64_t puffs = run.puffs();
    for (int i = 0; i < 3600; ++i) {
        run.core().frame(LongRunner::at(++run.frame_));
        ASSERT_GE(run.state().frameDelta, 0.0f);
        ASSERT_EQ(run.core().sceneMs(), before);
    }
    const Figures on = run.frames(20);
    EXPECT_EQ(run.core().sceneMs(), before + 20'000);
    EXPECT_GT(on.puffs, 100.0);
    EXPECT_GT(run.puffs(), puffs);
}

}  // namespace
}  // namespace orvelle

namespace orvelle {
namespace {

// Light 0's speed on each monitor of a window over three, over 20 s at 60
// frames a second, with arrow keys pressed on the way or not (each press
// early in a run moves the lights by a jump): every further monitor's within
// a tenth of the primary's, in the mean and at the most (the jumps), although
// each flies a figure of its own.
TEST(Monitors, EveryMonitorsLightsFlyAtThePrimarysPace) {
    class Three final : public HostWindow {
    public:
        void layout(Layout& layout) override {
            layout.monitors = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}, {-800, 0, 800, 600}};
            layout.window = boundingBox(layout.monitors);
        }
        void present() override {}
    };
    for (const bool keys : {false, true}) {
        testing::RecordingView view;
        view.keep = false;
        Three window;
        HostCore core(window, view, HostSettings{.seed = 20261208});
        core.start(0);
        double mean[3] = {}, most[3] = {};
        for (int64_t frame = 1; frame <= 1200; ++frame) {
            if (keys && frame % 300 == 0) core.key(frame % 600 == 0 ? keys::kLeft : keys::kRight);
            Vec3 from[3];
            for (size_t i = 0; i < 3; ++i)
                from[i] = core.scenes().scene(i)->scene->lights[0].position;
            core.frame((frame * 1'000'000 + 30) / 60);
            for (size_t i = 0; i < 3; ++i) {
                const Vec3 to = core.scenes().scene(i)->scene->lights[0].position;
                const double speed =
                    std::hypot(to.x - from[i].x, to.y - from[i].y, to.z - from[i].z) * 60;
                mean[i] += speed / 1200;
                most[i] = std::max(most[i], speed);
            }
        }
        for (size_t i = 1; i < 3; ++i) {
            EXPECT_NEAR(mean[i], mean[0], 0.1 * mean[0])
                << "monitor " << i << (keys ? ", keys" : "");
            EXPECT_NEAR(most[i], most[0], 0.1 * most[0])
                << "monitor " << i << (keys ? ", keys" : "");
            EXPECT_NE(core.scenes().scene(i)->scene->lights[0].position.x,
                      core.scenes().scene(0)->scene->lights[0].position.x)
                << "its own figure";
        }
    }
}

}  // namespace
}  // namespace orvelle

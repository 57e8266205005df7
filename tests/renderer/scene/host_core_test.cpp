// The host core that every renderer program runs on, over a fake window (a
// list of monitors that the test changes), a recording view and a clock
// the test sets: the scene clock, the pacing, the frames-per-second
// figure, following the monitors, a scene per monitor, keys and release.
#include "renderer/scene/host_core.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "renderer/scene/keys.h"
#include "tests/renderer/scene/recording_target.h"
#include "tests/support/joined.h"

namespace orvelle {
namespace {

class FakeWindow final : public HostWindow {
public:
    std::vector<ScreenRect> monitors{{0, 0, 640, 480}};
    int looks = 0;
    testing::RecordingView& view;

    explicit FakeWindow(testing::RecordingView& v) : view(v) {}
    void layout(Layout& layout) override {
        ++looks;
        layout.monitors = monitors;
        layout.window = boundingBox(monitors);
    }
    void present() override { view.log.push_back("present"); }
};

struct Rig {
    explicit Rig(HostSettings settings = {}) : window(view), core(window, view, settings) {}
    // The log since the last call, as one line.
    std::string taken() {
        std::string text = testing::joined(view.log);
        view.log.clear();
        return text;
    }
    testing::RecordingView view;
    FakeWindow window;
    HostCore core;
};

TEST(HostCore, StartsTheViewAndAScenePerMonitorThenDrawsEachInItsViewport) {
    Rig rig;
    rig.window.monitors = {{0, 0, 640, 480}, {640, 0, 320, 240}};
    ASSERT_TRUE(rig.core.start(5'000'000));
    EXPECT_EQ(rig.taken(),
              "start 960x480, target 1, target 2, resize 960x480, clear, present, clear");
    rig.core.frame(5'020'000);
    EXPECT_EQ(rig.taken(), "viewport 0,0 640x480, viewport 640,240 320x240");
    EXPECT_EQ(rig.core.sceneMs(), 20u);
    EXPECT_EQ(rig.view.targets[1]->fades, 1) << "the second monitor drew its frame";
    rig.core.key(keys::kRight);
    EXPECT_EQ(rig.core.scenes().first()->state.motionSpeed, (20.0f + 0.001f) + 0.25f)
        << "the key after a frame's growth";
    rig.core.release();
    EXPECT_EQ(rig.taken(), "release target 1, release target 2, release");

    Rig refused;
    refused.view.startable = false;
    EXPECT_FALSE(refused.core.start(0)) << "a view that cannot draw ends the start";
}

TEST(HostCore, TheSceneClockIsRealTimeInWholeMillisecondsOrAFixedStep) {
    Rig real;
    real.core.start(1'000'999);
    // The reading, and the scene clock after a frame at it.
    const std::tuple<int64_t, uint32_t> readings[] = {
        {1'000'999, 0}, {1'001'998, 0}, {1'001'999, 1}, {61'000'999, 60'000}};
    for (const auto& [now, ms] : readings) {
        real.core.frame(now);
        EXPECT_EQ(real.core.sceneMs(), ms) << now;
    }
    Rig stepped(HostSettings{.clockStepMs = 40});
    stepped.core.start(0);
    for (int64_t now : {0, 0, 7'000'000}) stepped.core.frame(now);
    EXPECT_EQ(stepped.core.sceneMs(), 120u) << "three frames of 40 ms, whatever the real clock";
}

TEST(HostCore, FramesArePacedUnlessTheDisplayPacesThem) {
    EXPECT_EQ(frameIntervalUs(false, 60), 16'666);
    EXPECT_EQ(frameIntervalUs(false, 0), 16'666) << "60 Hz where the rate is not known";
    EXPECT_EQ(frameIntervalUs(false, 144), 6'944);
    EXPECT_EQ(frameIntervalUs(true, 144), 0);
    Rig capped(HostSettings{.refreshHz = 75});
    capped.core.start(0);
    capped.core.frame(1'000'000);
    EXPECT_EQ(capped.core.nextFrameAt(), 1'013'333);
    Rig paced(HostSettings{.pacedByDisplay = true});
    paced.core.start(0);
    paced.core.frame(1'000'000);
    EXPECT_EQ(paced.core.nextFrameAt(), 1'000'000);
    Rig scripted(HostSettings{.clockStepMs = 16});
    scripted.core.start(0);
    scripted.core.frame(1'000'000);
    EXPECT_EQ(scripted.core.nextFrameAt(), 1'000'000) << "a scripted clock runs flat out";
}

TEST(HostCore, TheFrameRateIsANewFigureOnceASecond) {
    Rig rig;
    rig.core.start(0);
    std::vector<double> figures;
    // 30 frames a second for a second and a half, then 10 a second.
    for (int64_t t = 0; t <= 1'500'000; t += 33'334) {
        rig.core.frame(t);
        if (rig.core.rate().fresh()) figures.push_back(rig.core.rate().perSecond());
    }
    for (int64_t t = 1'600'000; t <= 3'600'000; t += 100'000) {
        rig.core.frame(t);
        if (rig.core.rate().fresh()) figures.push_back(rig.core.rate().perSecond());
    }
    ASSERT_EQ(figures.size(), 3u);
    EXPECT_NEAR(figures[0], 30.0, 0.01);
    EXPECT_NEAR(figures[1], 20 / 1.09998, 0.001) << "14 frames at 30 a second, then 6 at 10";
    EXPECT_NEAR(figures[2], 10.0, 0.01);
}

TEST(HostCore, FollowsTheMonitorsWhenToldAndWhenItLooksUnasked) {
    Rig rig(HostSettings{.layoutPollMs = 500});
    rig.core.start(0);
    rig.taken();
    const ScreenRect primary{0, 0, 640, 480}, second{640, 0, 320, 240};
    // What changes before the frame at that reading, and what the view did.
    struct Step {
        int64_t at;
        std::vector<ScreenRect> monitors;
        bool told;
        const char* view;
    };
    const Step steps[] = {
        {100'000, {primary, second}, false, "viewport 0,0 640x480"},  // not looked at yet
        {500'000,
         {primary, second},
         false,
         "target 2, resize 960x480, clear, present, clear, viewport 0,0 640x480, "
         "viewport 640,240 320x240"},
        {600'000, {second, primary}, true, "viewport 0,0 640x480, viewport 640,240 320x240"},
        {700'000,
         {primary},
         true,
         "release target 2, resize 640x480, clear, present, clear, viewport 0,0 640x480"},
        {800'000, {primary, {0, 0, 0, 0}}, true, "viewport 0,0 640x480"},  // an empty one is none
    };
    for (const Step& step : steps) {
        rig.window.monitors = step.monitors;
        if (step.told) rig.core.layoutChanged();
        rig.core.frame(step.at);
        EXPECT_EQ(rig.taken(), step.view) << step.at;
    }
    EXPECT_EQ(rig.window.looks, 5) << "the start, one look unasked and three when told";

    Rig deaf;  // without a poll, only when told
    deaf.core.start(0);
    for (int64_t t = 0; t < 5'000'000; t += 100'000) deaf.core.frame(t);
    EXPECT_EQ(deaf.window.looks, 1);
}

TEST(HostCore, AMonitorThatJoinsLaterStartsItsOwnClockAtZero) {
    Rig rig;
    rig.core.start(0);
    rig.core.frame(3'000'000);
    rig.window.monitors.push_back({640, 0, 640, 480});
    rig.core.layoutChanged();
    rig.core.frame(3'500'000);
    EXPECT_EQ(rig.view.targets[0]->stars.size(), 6u) << "two frames past the first second";
    EXPECT_EQ(rig.view.targets[1]->stars.size(), 0u) << "its first frame is at its 0.5 s";
    rig.view.log.clear();
    const ScreenRect primary = rig.window.monitors[0];
    rig.window.monitors = {primary, primary};  // two monitors showing the same place
    rig.core.layoutChanged();
    rig.core.frame(3'600'000);
    EXPECT_EQ(rig.view.log.at(1), "clear") << "a change, although each is one there was";
}

TEST(HostCore, AViewMadeAnewGetsEveryScenesAtlasAgain) {
    Rig rig;
    rig.core.start(0);
    rig.core.frame(1'500'000);  // past the first draw: the atlas is built
    ASSERT_EQ(rig.view.targets[0]->uploads, 1);
    rig.taken();
    ASSERT_TRUE(rig.core.restartView());
    EXPECT_EQ(rig.taken(), "start 640x480, target 2, release target 1, clear, present, clear");
    EXPECT_EQ(rig.view.targets[1]->uploads, 1);
}

}  // namespace
}  // namespace orvelle

#include "frontend/saver_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/fake_front_end.h"
#include "tests/support/simulated_media.h"

namespace orvelle {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;
using testing::RecordingSaverRunPlatform;
using testing::SimulatedMedia;

class SaverRun : public ::testing::Test {
protected:
    SaverRunForm& load(const char* arguments = "/s") {
        line = parseCommandLine(arguments);
        form = std::make_unique<SaverRunForm>(platform, media, music, lastResult, line);
        form->onLoad();
        return *form;
    }
    RecordingSaverRunPlatform platform;
    SimulatedMedia media;
    MusicSettings music;
    int32_t lastResult = 0;
    CommandLine line;
    std::unique_ptr<SaverRunForm> form;
};

TEST_F(SaverRun, LoadStartsTheRendererAndTheWatch) {
    load();
    EXPECT_EQ(form->rendererPath(), "C:\\Orvelle\\Orvelle.dll");
    EXPECT_THAT(platform.calls, ElementsAre("start C:\\Orvelle\\Orvelle.dll", "timer3 500 on"));
    EXPECT_FALSE(form->timerOn(SaverTimer::Mp3Watch));
    EXPECT_FALSE(form->timerOn(SaverTimer::CdWatch));
    EXPECT_TRUE(form->timerOn(SaverTimer::RendererWatch));
    EXPECT_TRUE(media.sent.empty());
}

TEST_F(SaverRun, TheMusicFollowsTheKindAndTheFilesEnding) {
    struct Case {
        int16_t kind;
        const char* file;
        std::vector<std::string> commands;
        bool mp3Timer;
        bool cdTimer;
        size_t sounds;
    };
    const std::string mp3Open = "open \"C:\\m\\a.Mp3\" type MPEGVideo Alias MP3Play";
    for (const Case& c :
         {Case{1, "", {"open cdaudio", "set cdaudio time format tmsf"}, false, true, 0},
          Case{2, "C:\\m\\a.Mp3", {mp3Open}, true, false, 0},
          Case{2, "C:\\m\\a.WAV", {}, false, false, 1},
          Case{2, "C:\\m\\a.mpeg", {}, false, false, 0},
          Case{5, "C:\\m\\a.mp3", {}, false, false, 0}}) {
        SetUp();
        media = SimulatedMedia();
        music.BgmKind = c.kind;
        music.BgmFile = c.file;
        load();
        EXPECT_EQ(media.commands(), c.commands) << c.kind << " " << c.file;
        EXPECT_EQ(form->timerOn(SaverTimer::Mp3Watch), c.mp3Timer) << c.file;
        EXPECT_EQ(form->timerOn(SaverTimer::CdWatch), c.cdTimer) << c.file;
        EXPECT_EQ(media.sounds.size(), c.sounds) << c.file;
        EXPECT_TRUE(form->timerOn(SaverTimer::RendererWatch));
    }
}

TEST_F(SaverRun, TheRunEndsWhenTheRenderersWindowIsGone) {
    music.BgmKind = 2;
    music.BgmFile = "C:\\a.mp3";
    media.files.insert(music.BgmFile);
    load();
    platform.rendererWindow = true;
    form->onTimer(SaverTimer::RendererWatch);
    form->onTimer(SaverTimer::Mp3Watch);
    EXPECT_FALSE(platform.ended);

    platform.rendererWindow = false;
    media.clearLog();
    platform.calls.clear();
    form->onTimer(SaverTimer::RendererWatch);
    EXPECT_TRUE(platform.ended);
    EXPECT_THAT(platform.calls,
                ElementsAre("timer3 500 off", "timer1 1000 off", "show cursor", "end"));
    EXPECT_THAT(media.commands(), ElementsAre("stop MP3Play", "close MP3Play"));
}

TEST_F(SaverRun, ARendererStillStartingIsWaitedFor) {
    load();
    platform.rendererWindow = false;
    platform.processRunning = true;  // started, no window yet
    for (int tick = 0; tick < 6; ++tick) form->onTimer(SaverTimer::RendererWatch);
    EXPECT_FALSE(platform.ended);
    platform.rendererWindow = true;
    form->onTimer(SaverTimer::RendererWatch);
    platform.rendererWindow = false;  // closed by the user; the process still exits
    form->onTimer(SaverTimer::RendererWatch);
    EXPECT_TRUE(platform.ended);
}

TEST_F(SaverRun, ARendererThatEndsWithoutAWindowEndsTheRun) {
    load();
    platform.processRunning = true;
    form->onTimer(SaverTimer::RendererWatch);
    EXPECT_FALSE(platform.ended);
    platform.processRunning = false;
    form->onTimer(SaverTimer::RendererWatch);
    EXPECT_TRUE(platform.ended);
}

TEST_F(SaverRun, ARendererThatCannotStartEndsTheRunAtTheFirstTick) {
    platform.startSucceeds = false;
    load();
    form->onTimer(SaverTimer::RendererWatch);
    EXPECT_TRUE(platform.ended);
}

TEST_F(SaverRun, WithoutACdTheWatchSwitchesItselfOffAndTheEndSendsNoStop) {
    music.BgmKind = 1;
    media.drivePresent = false;
    load();
    form->onTimer(SaverTimer::CdWatch);
    EXPECT_FALSE(form->timerOn(SaverTimer::CdWatch));
    EXPECT_THAT(platform.calls, Contains("timer2 200 off"));
    media.clearLog();
    form->onTimer(SaverTimer::CdWatch);  // a stale tick after the switch-off does nothing
    EXPECT_TRUE(media.sent.empty());
    form->onQueryUnload();
    EXPECT_THAT(media.commands(), Not(Contains("stop cdaudio")));
    EXPECT_TRUE(platform.ended);
}

TEST_F(SaverRun, APlayingCdIsStoppedAndClosedAtTheEnd) {
    music.BgmKind = 1;
    load();
    form->onTimer(SaverTimer::CdWatch);
    EXPECT_TRUE(media.cdPlaying);
    media.clearLog();
    form->onQueryUnload();
    EXPECT_THAT(media.commands(), ElementsAre("stop cdaudio", "close cdaudio"));
}

TEST_F(SaverRun, AWavIsStoppedAtTheEnd) {
    music.BgmKind = 2;
    music.BgmFile = "C:\\loop.wav";
    load();
    form->onQueryUnload();
    ASSERT_EQ(media.sounds.size(), 2u);
    EXPECT_EQ(media.sounds[1].sound, "<none>");
}

TEST_F(SaverRun, AnEmptyCommandLineShowsNoCursorAtTheEnd) {
    load("");
    form->onQueryUnload();
    EXPECT_THAT(platform.calls, Not(Contains("show cursor")));
    EXPECT_TRUE(platform.ended);
}

}  // namespace
}  // namespace orvelle

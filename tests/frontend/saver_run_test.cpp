#include "frontend/saver_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace orvelle {
namespace {

using ::testing::ElementsAre;

class SaverRunTest : public ::testing::Test {
protected:
    void load(int16_t kind, const char* file, const char* arguments = "/s") {
        settings.bgmKind = kind;
        settings.bgmFile = file;
        line = parseCommandLine(arguments);
        run.onLoad();
    }
    // Everything the platform and the media heard, in one list.
    std::vector<std::string> heard() {
        std::vector<std::string> all = platform.calls;
        all.insert(all.end(), media.log.begin(), media.log.end());
        platform.calls.clear();
        media.log.clear();
        return all;
    }

    testing::RecordingSaverRun platform;
    testing::ScriptedMedia media;
    MusicSettings settings;
    CommandLine line;
    int32_t lastResult = 0;
    SaverRun run{platform, media, settings, lastResult, line};
};

TEST_F(SaverRunTest, TheMusicStartsAndStopsByItsSource) {
    struct Case {
        int16_t kind;
        const char* file;
        std::vector<std::string> load;
        std::vector<std::string> end;
    } cases[] = {
        {0, "", {"start renderer", "timer 500 on"}, {"show cursor", "end"}},
        {2,
         "C:\\a.Mp3",
         {"start renderer", "timer 1000 on", "timer 500 on",
          "open \"C:\\a.Mp3\" type MPEGVideo Alias MP3Play |0", "play MP3Play |0"},
         {"timer 1000 off", "show cursor", "end", "stop MP3Play |0", "close MP3Play |0"}},
        {2,
         "C:\\a.wav",
         {"start renderer", "timer 500 on", "PlaySound C:\\a.wav 9"},
         {"show cursor", "end", "PlaySound null 0"}},
        {2, "C:\\a.ogg", {"start renderer", "timer 500 on"}, {"show cursor", "end"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        SaverRun fresh{platform, media, settings, lastResult, line};
        settings.bgmKind = c.kind;
        settings.bgmFile = c.file;
        line = parseCommandLine("/s");
        fresh.onLoad();
        EXPECT_EQ(heard(), c.load);
        // The renderer never showed a window and its process is gone.
        platform.processRunning = false;
        fresh.onTimer(SaverTimer::RendererWatch);
        auto end = c.end;
        end.insert(end.begin(), "timer 500 off");
        EXPECT_EQ(heard(), end);
    }
}

TEST_F(SaverRunTest, TheRendererIsWatchedUntilItsWindowIsGone) {
    load(0, "");
    heard();
    // Still starting: its process runs but it has no window yet.
    run.onTimer(SaverTimer::RendererWatch);
    platform.rendererWindow = true;
    run.onTimer(SaverTimer::RendererWatch);
    EXPECT_TRUE(heard().empty());
    // Seen once and gone: the run ends, even while the process lingers.
    platform.rendererWindow = false;
    run.onTimer(SaverTimer::RendererWatch);
    EXPECT_THAT(heard(), ElementsAre("timer 500 off", "show cursor", "end"));
    run.onTimer(SaverTimer::RendererWatch);
    run.onQueryUnload();
    EXPECT_TRUE(heard().empty()) << "the end comes once";
}

TEST_F(SaverRunTest, WithoutACdTheWatchStopsItselfAndTheEndSendsNoStop) {
    media.replies["status cdaudio current track"] = {266, ""};
    load(1, "", "");
    EXPECT_THAT(heard(), ElementsAre("start renderer", "timer 200 on", "timer 500 on",
                                     "open cdaudio |0", "set cdaudio time format tmsf |0"));
    run.onTimer(SaverTimer::CdWatch);
    EXPECT_THAT(heard(), ElementsAre("timer 200 off", "status cdaudio current track |512"));
    run.onTimer(SaverTimer::CdWatch);
    EXPECT_TRUE(heard().empty()) << "a watch that is off does nothing";
    // An empty command line: no cursor to give back.
    run.onQueryUnload();
    EXPECT_THAT(heard(), ElementsAre("end"));
}

TEST_F(SaverRunTest, APlayingCdIsStoppedAndClosedAtTheEnd) {
    media.replies["status cdaudio mode"] = {0, "playing"};
    load(1, "");
    run.onTimer(SaverTimer::CdWatch);
    heard();
    run.onQueryUnload();
    EXPECT_THAT(heard(), ElementsAre("timer 200 off", "show cursor", "end", "stop cdaudio |0",
                                     "close cdaudio |0"));
}

}  // namespace
}  // namespace orvelle

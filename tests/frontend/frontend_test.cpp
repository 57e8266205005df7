// The front end's logic: the command line and the start-up's roads, and a
// saver run as scenarios of what the platform and the media hear.
#include "frontend/startup.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "frontend/saver_run.h"
#include "tests/support/fakes.h"

namespace orvelle {
namespace {

TEST(CommandLine, GivesTheModeAndThePreviewHandle) {
    using enum StartMode;
    // clang-format off
    const std::tuple<const char*, StartMode, std::optional<uint32_t>> cases[] = {
        {"/s", Run, {}},              {"-S", Run, {}},             {"/S-anything", Run, {}},
        {"", RunPlain, {}},           {"x", Other, {}},            {"/p 1234", Preview, 1234u},
        {"/p:1234", Preview, 1234u},  {"/p   77x", Preview, 77u},  {"/P 0", Preview, {}},
        {"/p", Preview, {}},          {"/p abc", Preview, {}},     {"/p -5", Preview, {}},
        {"/p 4294967295", Preview, 4294967295u}, {"/p 4294967296", Preview, {}},
        {"/c:1234", Configure, {}},   {"garbage", Other, {}},      {"/a", Other, {}},
    };
    // clang-format on
    for (const auto& [text, mode, handle] : cases) {
        const CommandLine line = parseCommandLine(text);
        EXPECT_EQ(std::tie(line.mode, line.previewHandle), std::tie(mode, handle)) << text;
    }
    EXPECT_EQ(argumentsOf("\"C:\\Program Files\\Orvelle.scr\" /s"), "/s");
    EXPECT_EQ(argumentsOf("C:\\Orvelle.scr /p 1234"), "/p 1234");
    EXPECT_EQ(argumentsOf("  \"a b.scr\"   /c:55  "), "/c:55");
    EXPECT_EQ(argumentsOf("Orvelle.scr"), "");
}

class Startup : public ::testing::Test {
protected:
    StartupOutcome start(const char* arguments) {
        state.commandLine = parseCommandLine(arguments);
        return runStartup(platform, state);
    }
    testing::RecordingStartup platform;
    FrontEndState state;
};

TEST_F(Startup, EachSwitchTakesItsRoad) {
    using enum StartupOutcome;
    const std::string mkdir = "mkdir C:\\pellan_temp", size = "Width= 1920, Height= 1080";
    // clang-format off
    const struct {
        const char* arguments;
        StartupOutcome outcome;
        std::string calls, writes;
        bool placeable = true, loads = true;
        int32_t width = 1920;
    } cases[] = {
        {"/p 1234", PreviewShown, "preview 1234", ""},
        {"/p 1234", EndNow, "preview 1234", "", false},  // a pane it cannot be placed in
        {"/p", EndNow, "", ""},
        {"/c:99", EndNow, mkdir + ", dialog", ""},
        {"/a", EndNow, mkdir, ""},
        {"/s", SaverRunLoaded, mkdir + ", hide cursor, saver run", size},
        // An empty command line runs the saver and leaves the cursor alone.
        {"", SaverRunLoaded, mkdir + ", saver run", size},
        // A run that cannot load ends, and gives back the cursor it hid.
        {"/s", EndNow, mkdir + ", hide cursor, saver run, show cursor", size, true, false},
        {"", EndNow, mkdir + ", saver run", size, true, false},
        // A screen beyond 16 bits is recorded as 0.
        {"/s", SaverRunLoaded, mkdir + ", hide cursor, saver run", "Width= 0, Height= 1080",
         true, true, 40000},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        platform.calls.clear();
        platform.writes.clear();
        platform.previewPlaceable = c.placeable;
        platform.saverRunLoads = c.loads;
        platform.screenW = c.width;
        EXPECT_EQ(start(c.arguments), c.outcome);
        EXPECT_EQ(testing::joined(platform.calls), c.calls);
        EXPECT_EQ(testing::joined(platform.writes), c.writes);
    }
}

TEST_F(Startup, ABusyCopyOrAMissingRendererStopsEverySwitch) {
    for (const char* busy : {"Zelkor_Main", "■Orvelle■"}) {
        platform.windows = {busy};
        for (const char* arguments : {"/s", "/c", "/p 1234", "/a", ""})
            EXPECT_EQ(start(arguments), StartupOutcome::EndNow) << busy << " " << arguments;
    }
    EXPECT_TRUE(platform.calls.empty());
    platform.windows.clear();
    platform.renderer = false;
    for (const char* arguments : {"/s", "/c", "/a"}) {
        platform.calls.clear();
        EXPECT_EQ(start(arguments), StartupOutcome::EndNow);
        EXPECT_EQ(testing::joined(platform.calls), "mkdir C:\\pellan_temp, message") << arguments;
    }
    EXPECT_TRUE(platform.writes.empty()) << "the settings are not touched";
}

TEST(SaverRun, Scenarios) {
    // Steps: load; win+ and win- (the renderer's window appears or goes),
    // exit (its process ends), nostart (it cannot start); R, C and M (a tick
    // of the renderer, CD or MP3 watch); nodisc (the disc cannot be asked
    // about); unload (the platform's query to end).
    const std::string cd =
        "start renderer, open cdaudio |0, set cdaudio time format tmsf |0, "
        "timer 200 on, timer 500 on, status cdaudio current track |512, ";
    // A run without music that ends when the renderer has.
    const std::string silent = "start renderer, timer 500 on, timer 500 off, show cursor, end";
    // The kind of music, its file (its ending, in any case, picks MP3 or WAV),
    // the command line, the steps and what is heard.
    const std::tuple<int16_t, const char*, const char*, const char*, std::string> cases[] = {
        {0, "", "/s", "load exit R", silent},
        // Still starting (no window yet), seen, gone: the end comes once,
        // even while the process lingers.
        {0, "", "/s", "load R win+ R win- R R unload", silent},
        {0, "", "/s", "nostart load R", silent},
        // A watch tick that finds the file ended starts it again.
        {2, "C:\\a.Mp3", "/s", "load M exit R",
         "start renderer, open \"C:\\a.Mp3\" type MPEGVideo Alias MP3Play |0, play MP3Play |0, "
         "timer 1000 on, timer 500 on, status MP3Play mode |30, stop MP3Play |0, play MP3Play "
         "from 0 |0, timer 500 off, timer 1000 off, stop MP3Play |0, close MP3Play |0, show "
         "cursor, end"},
        {2, "C:\\a.wav", "/s", "load exit R",
         "start renderer, PlaySound C:\\a.wav 9, timer 500 on, timer 500 off, PlaySound null 0, "
         "show cursor, end"},
        {2, "C:\\a.ogg", "/s", "load exit R", silent},
        // Without a disc the CD watch stops itself and nothing is stopped at
        // the end; an empty command line has no cursor to give back.
        {1, "", "", "nodisc load C C unload", cd + "timer 200 off, end"},
        {1, "", "", "load C unload",
         cd + "status cdaudio number of tracks |512, status cdaudio mode |255, timer 200 on, "
              "timer 200 off, stop cdaudio |0, close cdaudio |0, end"},
    };
    for (const auto& [kind, file, arguments, steps, heard] : cases) {
        SCOPED_TRACE(steps);
        testing::ScriptedMedia media;
        testing::RecordingSaverRun platform(media.log);
        MusicSettings settings{kind, 0, file, ""};
        const CommandLine line = parseCommandLine(arguments);
        int32_t lastResult = 0;
        SaverRun run{platform, media, settings, lastResult, line};
        std::istringstream in(steps);
        for (std::string step; in >> step;) {
            if (step == "load") run.onLoad();
            if (step == "win+" || step == "win-") platform.rendererWindow = step == "win+";
            if (step == "exit") platform.processRunning = false;
            if (step == "nostart") platform.rendererStarts = false;
            if (step == "nodisc") media.replies["status cdaudio current track"] = {266, ""};
            if (step == "R") run.onTimer(SaverTimer::RendererWatch);
            if (step == "C") run.onTimer(SaverTimer::CdWatch);
            if (step == "M") run.onTimer(SaverTimer::Mp3Watch);
            if (step == "unload") run.onQueryUnload();
        }
        EXPECT_EQ(testing::joined(media.log), heard);
    }
}

}  // namespace
}  // namespace orvelle

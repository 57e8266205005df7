// A saver run as scenarios: what the platform and the media hear, in order,
// from the load through the watches' ticks to the end.
#include "frontend/saver_run.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/fakes.h"

namespace orvelle {
namespace {

TEST(SaverRun, Scenarios) {
    // Steps: load; win+ and win- (the renderer's window appears or goes),
    // exit (its process ends), nostart (it cannot start); R, C and M (a tick
    // of the renderer, CD or MP3 watch); nodisc (the disc cannot be asked
    // about); unload (the platform's query to end).
    const std::string cd =
        "start renderer, open cdaudio |0, set cdaudio time format tmsf |0, "
        "timer 200 on, timer 500 on, status cdaudio current track |512, ";
    const struct {
        int16_t kind;
        const char* file;
        const char* arguments;
        const char* steps;
        std::string heard;
    } cases[] = {
        {0, "", "/s", "load exit R",
         "start renderer, timer 500 on, timer 500 off, show cursor, end"},
        // Still starting (no window yet), seen, gone: the end comes once,
        // even while the process lingers.
        {0, "", "/s", "load R win+ R win- R R unload",
         "start renderer, timer 500 on, timer 500 off, show cursor, end"},
        {0, "", "/s", "nostart load R",
         "start renderer, timer 500 on, timer 500 off, show cursor, end"},
        // A watch tick that finds the file ended starts it again.
        {2, "C:\\a.Mp3", "/s", "load M exit R",
         "start renderer, open \"C:\\a.Mp3\" type MPEGVideo Alias MP3Play |0, play MP3Play |0, "
         "timer 1000 on, timer 500 on, status MP3Play mode |30, stop MP3Play |0, play MP3Play "
         "from 0 |0, timer 500 off, timer 1000 off, stop MP3Play |0, close MP3Play |0, show "
         "cursor, end"},
        {2, "C:\\a.wav", "/s", "load exit R",
         "start renderer, PlaySound C:\\a.wav 9, timer 500 on, timer 500 off, PlaySound null 0, "
         "show cursor, end"},
        {2, "C:\\a.ogg", "/s", "load exit R",
         "start renderer, timer 500 on, timer 500 off, show cursor, end"},
        // Without a disc the CD watch stops itself and nothing is stopped at
        // the end; an empty command line has no cursor to give back.
        {1, "", "", "nodisc load C C unload", cd + "timer 200 off, end"},
        {1, "", "", "load C unload",
         cd + "status cdaudio number of tracks |512, status cdaudio mode |255, timer 200 on, "
              "timer 200 off, stop cdaudio |0, close cdaudio |0, end"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        testing::ScriptedMedia media;
        testing::RecordingSaverRun platform(media.log);
        MusicSettings settings{c.kind, 0, c.file, ""};
        const CommandLine line = parseCommandLine(c.arguments);
        int32_t lastResult = 0;
        SaverRun run{platform, media, settings, lastResult, line};
        std::istringstream in(c.steps);
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
        EXPECT_EQ(testing::joined(media.log), c.heard);
    }
}

}  // namespace
}  // namespace orvelle

// The front end's logic: the command line and the start-up's roads, and a
// saver run as scenarios of what the platform and the media hear.
#include "frontend/startup.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>
#include <vector>

#include "frontend/saver_run.h"
#include "platform/names.h"
#include "tests/support/fakes.h"
#include "tests/support/golden.h"

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

// The calls and the settings written by each switch, with no other copy
// running, with one (by either caption), and without the renderer.
TEST_F(Startup, EachSwitchTakesItsRoadUnlessACopyRunsOrTheRendererIsMissing) {
    // The switches, whether a preview can be placed, a saver run loads, and
    // the screen's width.
    const std::tuple<const char*, bool, bool, int32_t> cases[] = {
        {"/p 1234", true, true, 1920},
        {"/p 1234", false, true, 1920},  // a pane it cannot be placed in
        {"/p", true, true, 1920},
        {"/c:99", true, true, 1920},
        {"/a", true, true, 1920},
        // An empty command line runs the saver and leaves the cursor alone.
        {"", true, true, 1920},
        // A run that cannot load ends, and gives back the cursor it hid.
        {"/s", true, false, 1920},
        {"", true, false, 1920},
        // A screen beyond 16 bits is recorded as 0.
        {"/s", true, true, 40000},
    };
    // Regression guard: the outcome and the calls and writes of each row, in
    // start_up_switches.golden.txt.
    const char* const kOutcomes[] = {"end now", "preview shown", "saver run loaded"};
    const auto orNone = [](const std::string& text) { return text.empty() ? "none" : text; };
    std::vector<testing::GoldenRow> rows;
    for (const auto& [busy, renderer] : {std::pair{"", false},
                                         {names::kSaverRunCaption, true},
                                         {names::kSettingsDialogCaption, true},
                                         {"", true}}) {
        platform.windows = {busy};
        platform.renderer = renderer;
        for (const auto& [arguments, placeable, loads, width] : cases) {
            platform.calls.clear();
            platform.writes.clear();
            platform.previewPlaceable = placeable;
            platform.saverRunLoads = loads;
            platform.screenW = width;
            const StartupOutcome outcome = start(arguments);
            rows.push_back({std::string("\"") + arguments + "\" " + (placeable ? "" : "un") +
                                "placeable " + (loads ? "loads" : "fails") + " width " +
                                std::to_string(width) +
                                (*busy ? std::string(", running: ") + busy : "") +
                                (renderer ? "" : ", no renderer"),
                            std::string(kOutcomes[static_cast<int>(outcome)]) +
                                "; calls: " + orNone(testing::joined(platform.calls)) +
                                "; writes: " + orNone(testing::joined(platform.writes))});
        }
    }
    testing::expectGolden("frontend/start_up_switches", rows);
}

// The starts that may open a saver run or the settings dialog take the busy
// guard, and end at once while another copy holds it; the others only look.
TEST_F(Startup, OneSaverRunOrDialogAtATimeByTheBusyGuard) {
    using enum StartupOutcome;
    // The switch, whether another copy holds the guard, the outcome, and
    // whether this copy took it.
    const std::tuple<const char*, bool, StartupOutcome, bool> cases[] = {
        {"/s", false, SaverRunLoaded, true}, {"", false, SaverRunLoaded, true},
        {"/c", false, EndNow, true},         {"/p 1234", false, PreviewShown, false},
        {"/a", false, EndNow, false},        {"/s", true, EndNow, false},
        {"", true, EndNow, false},           {"/c", true, EndNow, false},
        {"/p 1234", true, EndNow, false},    {"/a", true, EndNow, false},
    };
    for (const auto& [arguments, elsewhere, outcome, taken] : cases) {
        SCOPED_TRACE(testing::joined({arguments, elsewhere ? "held" : "free"}));
        platform.calls.clear();
        platform.guardElsewhere = elsewhere;
        platform.guardTaken = false;
        EXPECT_EQ(start(arguments), outcome);
        EXPECT_EQ(platform.guardTaken, taken);
        EXPECT_EQ(platform.calls.empty(), elsewhere);  // a busy copy's start does nothing
    }
}

TEST_F(Startup, APreviewGoesOnlyIntoAPane) {
    // What the named window is (a window, a child, the desktop, in the
    // shell), and whether the preview is shown in it.
    const std::pair<PaneFacts, bool> cases[] = {
        {{true, true, false, false}, true},     // a host's pane
        {{false, false, false, false}, false},  // no window
        {{true, false, false, false}, false},   // a top-level window of a program
        {{true, false, true, false}, false},    // the desktop window
        {{true, false, false, true}, false},    // the shell's window
        {{true, true, false, true}, false},     // a child of it: the desktop's icons
    };
    for (const auto& [facts, shown] : cases) {
        platform.calls.clear();
        platform.paneIs = facts;
        EXPECT_EQ(start("/p 1234"), shown ? StartupOutcome::PreviewShown : StartupOutcome::EndNow);
        EXPECT_EQ(testing::joined(platform.calls), shown ? "preview 1234" : "");
    }
}

// What the media and the platform hear over a saver run. Steps: load; win+
// and win- (its window appears or goes), other+ (a window of the caption from
// another process), exit (its process ends), nostart (it cannot start);
// switch and back (the display switched and put back behind the front end's
// back), unknown (the modes cannot be read); +N (N ms pass); R, C and M (a
// tick of the renderer, CD or MP3 watch); nodisc (the disc cannot be asked
// about); unload (the platform's query to end).
std::string heardOver(const char* steps, int16_t kind = 0, const char* file = "",
                      const char* arguments = "/s") {
    testing::ScriptedMedia media;
    testing::RecordingSaverRun platform(media.log);
    MusicSettings settings{kind, 0, file, ""};
    const CommandLine line = parseCommandLine(arguments);
    SaverRun run{platform, media, settings, line};
    std::istringstream in(steps);
    for (std::string step; in >> step;) {
        if (step == "load") run.onLoad();
        if (step == "win+" || step == "win-") platform.rendererWindow = step == "win+";
        if (step == "other+") platform.otherWindows = {99};
        if (step == "exit") platform.processRunning = false;
        if (step == "nostart") platform.rendererStarts = false;
        if (step == "switch") platform.current = {800, 600, 32};
        if (step == "back") platform.current = platform.registry;
        if (step == "unknown") platform.modesKnown = false;
        if (step[0] == '+' && step != "other+") platform.now += std::stoull(step.substr(1));
        if (step == "nodisc") media.replies["status cdaudio current track"] = {266, ""};
        if (step == "R") run.onTimer(SaverTimer::RendererWatch);
        if (step == "C") run.onTimer(SaverTimer::CdWatch);
        if (step == "M") run.onTimer(SaverTimer::Mp3Watch);
        if (step == "unload") run.onQueryUnload();
    }
    return testing::joined(media.log);
}

TEST(SaverRun, Scenarios) {
    // The kind of music, its file (its ending, in any case, picks MP3 or WAV),
    // the command line and the steps.
    const std::tuple<int16_t, const char*, const char*, const char*> cases[] = {
        {0, "", "/s", "load exit R"},
        // Still starting (no window yet), seen, gone, ended: the end comes
        // once.
        {0, "", "/s", "load R win+ R win- R exit R R unload"},
        {0, "", "/s", "nostart load R"},
        {2, "C:\\a.ogg", "/s", "load exit R"},
        // A watch tick that finds the file ended starts it again.
        {2, "C:\\a.Mp3", "/s", "load M exit R"},
        {2, "C:\\a.wav", "/s", "load exit R"},
        // Without a disc the CD watch stops itself and nothing is stopped at
        // the end; an empty command line has no cursor to give back.
        {1, "", "", "nodisc load C C unload"},
        {1, "", "", "load C unload"},
    };
    // What is heard. Regression guard: saver_run_scenarios.golden.txt, a row
    // a line.
    std::vector<testing::GoldenRow> rows;
    for (const auto& [kind, file, arguments, steps] : cases)
        rows.push_back(
            {"music " + std::to_string(kind) + " \"" + file + "\" \"" + arguments + "\" " + steps,
             heardOver(steps, kind, file, arguments)});
    testing::expectGolden("frontend/saver_run_scenarios", rows);
}

// Only its own renderer's end ends the run; one with no window by the
// deadline is ended; a display left switched by a renderer that did not end
// by itself is put back, and only then.
TEST(SaverRun, WatchesItsOwnRendererAndPutsBackADisplayItLeftSwitched) {
    const std::string running = "start renderer, timer 500 on";
    const std::string ends = running + ", timer 500 off, show cursor, end";
    const std::string restores = running + ", timer 500 off, restore display, show cursor, end";
    const std::string ended = running + ", end renderer, timer 500 off, show cursor, end";
    const std::pair<const char*, std::string> cases[] = {
        // Still starting, up to the deadline, another renderer's window or not.
        {"load R +9999 R", running},
        {"load other+ +9999 R +1 R", ended},
        {"load switch +10000 R", running + ", end renderer, timer 500 off, restore display, "
                                           "show cursor, end"},
        // Once seen, no deadline; another renderer's window keeps nothing.
        {"load win+ R +60000 R", running},
        {"load other+ win+ R win- exit R", ends},
        // Its own end: its window goes, then it puts the display back and
        // exits; one that lingers is left to do so.
        {"load switch win+ R win- R +1999 R back exit R", ends},
        {"load switch win+ R win- R +2000 R", ends},
        // Killed or crashed with the display switched, at any moment.
        {"load switch win+ R win- exit R", restores},
        {"load switch exit R", restores},
        {"load switch unknown win+ R win- exit R", ends},
        // The end asked for while it runs: the display is its to put back.
        {"load switch win+ R unload", running + ", show cursor, end"},
    };
    for (const auto& [steps, heard] : cases) EXPECT_EQ(heardOver(steps), heard) << steps;
}

}  // namespace
}  // namespace orvelle

// The front end's logic: the command line and the start-up's roads, the
// settings file's semantics and Shift-JIS paths, and a saver run as
// scenarios of what the platform and the media hear.
#include "frontend/startup.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "frontend/saver_run.h"
#include "frontend/settings_file.h"
#include "platform/settings_keys.h"
#include "tests/support/fakes.h"

namespace orvelle {
namespace {

TEST(CommandLine, GivesTheSwitchAndThePreviewHandle) {
    // clang-format off
    const struct {
        const char* text;
        bool empty;
        char switchChar;
        std::optional<uint32_t> handle;
    } cases[] = {
        {"/s", false, 'S', {}},              {"-S", false, 'S', {}},
        {"/S-anything", false, 'S', {}},     {"", true, 0, {}},
        {"x", false, 0, {}},                 {"/p 1234", false, 'P', 1234u},
        {"/p:1234", false, 'P', 1234u},      {"/p   77x", false, 'P', 77u},
        {"/P 0", false, 'P', {}},            {"/p", false, 'P', {}},
        {"/p abc", false, 'P', {}},          {"/p -5", false, 'P', {}},
        {"/p 4294967295", false, 'P', 4294967295u}, {"/p 4294967296", false, 'P', {}},
        {"/c:1234", false, 'C', {}},         {"garbage", false, 'A', {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        const CommandLine line = parseCommandLine(c.text);
        EXPECT_EQ(line.empty, c.empty) << c.text;
        EXPECT_EQ(line.switchChar, c.switchChar) << c.text;
        EXPECT_EQ(line.previewHandle, c.handle) << c.text;
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

// "C:\Music\ソナタ.mp3" and "C:\表" in Shift-JIS: the second bytes of ソ
// (83 5C) and 表 (95 5C) are "\".
const std::string kSonata = "C:\\Music\\\x83\x5C\x83\x69\x83\x5E.mp3";
const std::string kOmote = "C:\\\x95\x5C";

TEST(LoadSettings, TheStoredChoiceAndWhatIsLeftOfIt) {
    const struct {
        const char *kind, *repeat;
        std::string file;
        bool fileExists;
        int16_t wantKind, wantRepeat;
        std::string wantFile, wantFolder;
    } cases[] = {
        {" 2", " 0", "C:\\Music\\song.mp3", true, 2, 0, "C:\\Music\\song.mp3", "C:\\Music"},
        {" 2", " 3", kSonata, true, 2, 3, kSonata, "C:\\Music"},
        // A file gone since it was chosen: no music this run, from the own folder.
        {" 2", " 0", "C:\\Music\\gone.mp3", false, 0, 0, "", "C:\\Program Files\\Orvelle"},
        {" 2", nullptr, "", false, 0, 0, "", "C:\\Program Files\\Orvelle"},
        {"1", nullptr, "", false, 1, 0, "", "C:\\Program Files\\Orvelle"},
        {"2.7", "-1.5", "D:\\a.wav", true, 2, -2, "D:\\a.wav", "D:"},
        {"abc", "40000", "", false, 0, 0, "", "C:\\Program Files\\Orvelle"},
        {" 5", "1e1", "song.wav", true, 5, 10, "song.wav", ""},
        {nullptr, nullptr, "", false, 0, 0, "", "C:\\Program Files\\Orvelle"},
    };
    for (const auto& c : cases) {
        testing::FakeSettings fake;
        if (c.kind) fake.values[settings::kBgmKind] = c.kind;
        if (c.repeat) fake.values[settings::kBgmRepeat] = c.repeat;
        if (!c.file.empty()) fake.values[settings::kBgmFile] = c.file;
        if (c.fileExists) fake.files.insert(c.file);
        MusicSettings music;
        loadSettings(fake, fake, music);
        SCOPED_TRACE(std::string(c.kind ? c.kind : "-") + " " + c.file);
        EXPECT_EQ(std::tie(music.bgmKind, music.bgmRepeat, music.bgmFile, music.bgmFolder),
                  std::tie(c.wantKind, c.wantRepeat, c.wantFile, c.wantFolder));
        EXPECT_TRUE(fake.writes.empty()) << "loading writes nothing";
    }
}

TEST(SettingNumbers, ParseAndFormat) {
    const std::pair<const char*, std::optional<int16_t>> cases[] = {
        {" 1", 1},        {"1 ", 1},          {"2.7", 2},    {"-0.5", -1},
        {"32767", 32767}, {"-32768", -32768}, {"32768", {}}, {"abc", {}},
        {"1x", {}},       {"", {}},           {".", {}},     {"1e", {}},
        {"+4", 4},        {"3.", 3},          {" \t7\t", 7}, {"-32768.5", {}},
    };
    for (const auto& [text, want] : cases) EXPECT_EQ(parseSettingNumber(text), want) << text;
    EXPECT_EQ(formatSettingNumber(1024) + formatSettingNumber(0) + formatSettingNumber(-5),
              " 1024 0-5");
}

TEST(Paths, FolderOfAndFileExistsReadShiftJisCharacterByCharacter) {
    const LeadBytes sjis = testing::shiftJisLeadBytes();
    // clang-format off
    const std::pair<std::string, std::string> folders[] = {
        {"C:\\Music\\song.mp3", "C:\\Music"}, {"D:\\song.mp3", "D:"}, {"C:song.mp3", "C:"},
        {"song.mp3", ""}, {"C:\\", "C:"}, {kSonata, "C:\\Music"}, {kOmote + "\\a.mp3", kOmote},
        {"C:\\\x83\x5C", "C:"}, {"C:\\\x9F\x5C", "C:"}, {"C:\\\xFC\x5C", "C:"},
    };
    // clang-format on
    for (const auto& [path, folder] : folders) EXPECT_EQ(folderOf(path, sjis), folder) << path;
    // A single-byte code page reads the same bytes as separate characters.
    EXPECT_EQ(folderOf("C:\\\x83\x5C", LeadBytes::none()), "C:\\\x83");

    testing::FakeSettings fake;
    fake.files = {"C:\\a.mp3", kOmote};
    // One trailing backslash is ignored; 表's last byte is part of it.
    for (const auto& [path, exists] : {std::pair<std::string, bool>{"C:\\a.mp3", true},
                                       {"C:\\a.mp3\\", true},
                                       {"C:\\a.mp3\\\\", false},
                                       {kOmote, true},
                                       {"", false},
                                       {"\\", false}})
        EXPECT_EQ(fileExists(fake, path), exists) << path;
}

TEST(ReadAndWriteSetting, CutAt255BytesAndKeepThePlatformsResult) {
    testing::FakeSettings fake;
    fake.values["Long"] = std::string(300, 'x');
    EXPECT_EQ(readSetting(fake, "Section", "Long", settings::kPath), std::string(255, 'x'));
    EXPECT_EQ(readSetting(fake, "Section", "Missing", settings::kPath), "");
    int32_t lastResult = 7;
    for (const int32_t result : {0, 1}) {
        fake.writeResult = result;
        writeSetting(fake, lastResult, "Section", "Width", " 1", settings::kPath);
        EXPECT_EQ(lastResult, result);
    }
}

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

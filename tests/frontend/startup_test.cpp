#include "frontend/startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/settings_keys.h"
#include "tests/support/fake_front_end.h"

namespace orvelle {
namespace {

using ::testing::ElementsAre;
using testing::RecordingStartupPlatform;

struct ParseCase {
    const char* text;
    bool empty;
    char switchChar;
    std::optional<uint32_t> handle;
};

class CommandLines : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandLines, GiveTheSwitchAndThePreviewHandle) {
    const ParseCase& c = GetParam();
    const CommandLine line = parseCommandLine(c.text);
    EXPECT_EQ(line.empty, c.empty);
    EXPECT_EQ(line.switchChar, c.switchChar);
    EXPECT_EQ(line.previewHandle, c.handle);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLines,
    ::testing::Values(ParseCase{"/s", false, 'S', {}}, ParseCase{"/S", false, 'S', {}},
                      ParseCase{"-s", false, 'S', {}}, ParseCase{"/S-anything", false, 'S', {}},
                      ParseCase{"", true, 0, {}}, ParseCase{"/p 1234", false, 'P', 1234u},
                      ParseCase{"/p:1234", false, 'P', 1234u}, ParseCase{"/P 0", false, 'P', {}},
                      ParseCase{"/p", false, 'P', {}}, ParseCase{"/p   77x", false, 'P', 77u},
                      ParseCase{"/p abc", false, 'P', {}}, ParseCase{"/c", false, 'C', {}},
                      ParseCase{"/c:1234", false, 'C', {}}, ParseCase{"/c 1234", false, 'C', {}},
                      ParseCase{"/a", false, 'A', {}}, ParseCase{"x", false, 0, {}},
                      ParseCase{"garbage", false, 'A', {}},
                      ParseCase{"/p 2147483648", false, 'P', 2147483648u},
                      ParseCase{"/p 4294967295", false, 'P', 4294967295u},
                      ParseCase{"/p 4294967296", false, 'P', {}},
                      ParseCase{"/p 99999999999999999999999", false, 'P', {}},
                      ParseCase{"/p -5", false, 'P', {}}));

TEST(ArgumentsOf, DropsTheProgramName) {
    EXPECT_EQ(argumentsOf("\"C:\\Program Files\\Orvelle.scr\" /s"), "/s");
    EXPECT_EQ(argumentsOf("C:\\Orvelle.scr /p 1234"), "/p 1234");
    EXPECT_EQ(argumentsOf("Orvelle.scr"), "");
    EXPECT_EQ(argumentsOf("  \"a b.scr\"   /c:55  "), "/c:55");
}

class Startup : public ::testing::Test {
protected:
    StartupOutcome start(const char* arguments) {
        state.commandLine = parseCommandLine(arguments);
        return runStartup(platform, state);
    }
    void rendererPresent() { platform.readableFiles.insert(platform.folder + "\\Orvelle.dll"); }

    RecordingStartupPlatform platform;
    FrontEndState state;
};

TEST_F(Startup, ABusyCopyRefusesEverySwitch) {
    for (const char* busy : {"Zelkor_Main", "■Orvelle■"}) {
        for (const char* args : {"/s", "/c", "/p 1234", "", "/a"}) {
            RecordingStartupPlatform p;
            p.windows.insert(busy);
            FrontEndState s;
            s.commandLine = parseCommandLine(args);
            EXPECT_EQ(runStartup(p, s), StartupOutcome::EndNow) << busy << " " << args;
            EXPECT_TRUE(p.writes.empty());
            for (const auto& call : p.calls) EXPECT_EQ(call.rfind("find ", 0), 0u) << call;
        }
    }
}

TEST_F(Startup, APreviewDoesNothingElse) {
    EXPECT_EQ(start("/p 4660"), StartupOutcome::PreviewShown);
    EXPECT_THAT(platform.calls, ElementsAre("find Zelkor_Main", "find ■Orvelle■", "preview 4660"));
    EXPECT_TRUE(platform.writes.empty());
}

TEST_F(Startup, APreviewHandleThatNamesNoWindowEndsAtOnce) {
    EXPECT_EQ(start("/p 4294967296"), StartupOutcome::EndNow);
    EXPECT_THAT(platform.calls, ElementsAre("find Zelkor_Main", "find ■Orvelle■"));
    platform.calls.clear();
    platform.previewPlaceable = false;
    EXPECT_EQ(start("/p 77"), StartupOutcome::EndNow);
}

TEST_F(Startup, AMissingRendererShowsTheMessageAndTouchesNothing) {
    for (const char* args : {"/s", "/c", "/a", ""}) {
        platform.calls.clear();
        EXPECT_EQ(start(args), StartupOutcome::EndNow) << args;
        EXPECT_THAT(platform.calls, ElementsAre("find Zelkor_Main", "find ■Orvelle■",
                                                "mkdir C:\\pellan_temp", "message"));
        EXPECT_TRUE(platform.writes.empty());
    }
}

TEST_F(Startup, TheSettingsDialogOpensModallyThenTheProgramEnds) {
    rendererPresent();
    for (const char* args : {"/c", "/C:1234", "/c 99"}) {
        platform.calls.clear();
        EXPECT_EQ(start(args), StartupOutcome::EndNow);
        EXPECT_EQ(platform.calls.back(), "dialog") << args;
    }
    EXPECT_TRUE(platform.writes.empty());
}

TEST_F(Startup, AnotherSwitchEndsAfterThePreparation) {
    rendererPresent();
    platform.fileExists = true;
    platform.file.set(settings::kSection, settings::kBgmKind, " 1");
    EXPECT_EQ(start("/a"), StartupOutcome::EndNow);
    EXPECT_THAT(platform.calls,
                ElementsAre("find Zelkor_Main", "find ■Orvelle■", "mkdir C:\\pellan_temp"));
    EXPECT_EQ(state.music.BgmKind, 1) << "the settings were loaded";
    EXPECT_TRUE(platform.writes.empty());
}

TEST_F(Startup, ASaverRunHidesTheCursorAndRecordsTheScreenWidthFirst) {
    rendererPresent();
    EXPECT_EQ(start("/s"), StartupOutcome::SaverRunLoaded);
    EXPECT_THAT(platform.calls, ElementsAre("find Zelkor_Main", "find ■Orvelle■",
                                            "mkdir C:\\pellan_temp", "hide cursor", "saver run"));
    EXPECT_THAT(platform.writes, ElementsAre("Width= 1920", "Height= 1080"));
    EXPECT_EQ(state.LastResult, 1);
}

TEST_F(Startup, AnEmptyCommandLineRunsTheSaverWithTheCursorLeftAlone) {
    rendererPresent();
    platform.screenW = 1280;
    platform.screenH = 1024;
    EXPECT_EQ(start(""), StartupOutcome::SaverRunLoaded);
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "hide cursor"), 0);
    EXPECT_THAT(platform.writes, ElementsAre("Width= 1280", "Height= 1024"));
}

TEST_F(Startup, AScreenBeyondSixteenBitsIsRecordedAsZero) {
    rendererPresent();
    platform.screenW = 40000;
    start("/s");
    EXPECT_THAT(platform.writes, ElementsAre("Width= 0", "Height= 1080"));
}

}  // namespace
}  // namespace orvelle

#include "frontend/startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace orvelle {
namespace {

using ::testing::ElementsAre;

TEST(CommandLine, GivesTheSwitchAndThePreviewHandle) {
    struct Case {
        const char* text;
        bool empty;
        char switchChar;
        std::optional<uint32_t> handle;
    } cases[] = {
        {"/s", false, 'S', {}},
        {"-S", false, 'S', {}},
        {"/S-anything", false, 'S', {}},
        {"", true, 0, {}},
        {"x", false, 0, {}},
        {"/p 1234", false, 'P', 1234u},
        {"/p:1234", false, 'P', 1234u},
        {"/p   77x", false, 'P', 77u},
        {"/P 0", false, 'P', {}},
        {"/p", false, 'P', {}},
        {"/p abc", false, 'P', {}},
        {"/p -5", false, 'P', {}},
        {"/p 4294967295", false, 'P', 4294967295u},
        {"/p 4294967296", false, 'P', {}},
        {"/c:1234", false, 'C', {}},
        {"garbage", false, 'A', {}},
    };
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
    struct Case {
        const char* arguments;
        StartupOutcome outcome;
        std::vector<std::string> calls;
        size_t writes;
    } cases[] = {
        {"/p 1234", StartupOutcome::PreviewShown, {"preview 1234"}, 0},
        {"/c:99", StartupOutcome::EndNow, {"mkdir C:\\pellan_temp", "dialog"}, 0},
        {"/a", StartupOutcome::EndNow, {"mkdir C:\\pellan_temp"}, 0},
        {"/s",
         StartupOutcome::SaverRunLoaded,
         {"mkdir C:\\pellan_temp", "hide cursor", "saver run"},
         2},
        // An empty command line runs the saver and leaves the cursor alone.
        {"", StartupOutcome::SaverRunLoaded, {"mkdir C:\\pellan_temp", "saver run"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        platform.calls.clear();
        platform.writes.clear();
        EXPECT_EQ(start(c.arguments), c.outcome);
        EXPECT_EQ(platform.calls, c.calls);
        EXPECT_EQ(platform.writes.size(), c.writes);
    }
    // Width first, each with its leading blank.
    EXPECT_THAT(platform.writes, ElementsAre("Width= 1920", "Height= 1080"));
}

TEST_F(Startup, ABusyCopyOrAMissingRendererStopsEverySwitch) {
    for (const char* caption : {"Zelkor_Main", "■Orvelle■"}) {
        platform.windows = {caption};
        for (const char* arguments : {"/s", "/c", "/p 1234", "/a", ""}) {
            EXPECT_EQ(start(arguments), StartupOutcome::EndNow) << caption << " " << arguments;
        }
    }
    EXPECT_TRUE(platform.calls.empty());

    platform.windows.clear();
    platform.renderer = false;
    for (const char* arguments : {"/s", "/c", "/a"}) {
        platform.calls.clear();
        EXPECT_EQ(start(arguments), StartupOutcome::EndNow);
        EXPECT_THAT(platform.calls, ElementsAre("mkdir C:\\pellan_temp", "message")) << arguments;
    }
    EXPECT_TRUE(platform.writes.empty()) << "the settings are not touched";
}

TEST_F(Startup, APreviewThatCannotBePlacedEndsAtOnce) {
    platform.previewPlaceable = false;
    EXPECT_EQ(start("/p 1234"), StartupOutcome::EndNow);
    EXPECT_EQ(start("/p"), StartupOutcome::EndNow);
    EXPECT_THAT(platform.calls, ElementsAre("preview 1234"));
}

TEST_F(Startup, ASaverRunThatCannotLoadEndsAndGivesTheCursorBack) {
    platform.saverRunLoads = false;
    EXPECT_EQ(start("/s"), StartupOutcome::EndNow);
    EXPECT_THAT(platform.calls,
                ElementsAre("mkdir C:\\pellan_temp", "hide cursor", "saver run", "show cursor"));
    platform.calls.clear();
    EXPECT_EQ(start(""), StartupOutcome::EndNow);
    EXPECT_THAT(platform.calls, ElementsAre("mkdir C:\\pellan_temp", "saver run"));
}

TEST_F(Startup, AScreenBeyondSixteenBitsIsRecordedAsZero) {
    platform.screenW = 40000;
    platform.screenH = 1080;
    start("/s");
    EXPECT_THAT(platform.writes, ElementsAre("Width= 0", "Height= 1080"));
}

}  // namespace
}  // namespace orvelle

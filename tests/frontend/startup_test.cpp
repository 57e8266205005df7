#include "frontend/startup.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace orvelle

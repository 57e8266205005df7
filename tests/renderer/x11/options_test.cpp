// The X11 program's options: what each command line and XSCREENSAVER_WINDOW
// give, and each refused input with its one-line reason.
#include "renderer/x11/options.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvelle::x11 {
namespace {

Parsed parse(std::vector<std::string_view> args,
             std::optional<std::string_view> variable = std::nullopt) {
    return parseOptions(args, variable);
}

// The options as one line, to compare whole.
std::string summary(const Options& o) {
    const char* targets[] = {"own", "existing", "root"};
    return std::string(targets[static_cast<int>(o.target)]) + " " + std::to_string(o.windowId) +
           " " + std::to_string(o.width) + "x" + std::to_string(o.height) +
           (o.fullscreen ? " full" : "") + (o.fps ? " fps" : "") +
           (o.seed ? " seed " + std::to_string(*o.seed) : "") + " step " +
           std::to_string(o.clockStepMs) +
           (o.snapshotAtMs ? " at " + std::to_string(*o.snapshotAtMs) + " " + o.snapshotFile : "") +
           (o.help ? " help" : "");
}

TEST(X11Options, WhatEachCommandLineGives) {
    struct Case {
        std::vector<std::string_view> args;
        std::optional<std::string_view> variable;
        const char* options;
    };
    const Case cases[] = {
        {{}, {}, "own 0 1024x768 step 0"},
        {{"-geometry", "640x480", "-fps", "-fullscreen"}, {}, "own 0 640x480 full fps step 0"},
        {{"--window-id", "0x1e00007"}, {}, "existing 31457287 1024x768 step 0"},
        {{"-window-id", "4294967295"}, {}, "existing 4294967295 1024x768 step 0"},
        {{"-root"}, {}, "root 0 1024x768 step 0"},
        {{"--root"}, "0x200001", "existing 2097153 1024x768 step 0"},
        {{}, "2097153", "existing 2097153 1024x768 step 0"},
        {{"-root"}, "", "root 0 1024x768 step 0"},  // set but empty: not XScreenSaver's
        {{"-window-id", "7", "-window"}, {}, "own 7 1024x768 step 0"},
        {{"-seed", "0", "-clock-step", "20", "-snapshot-at", "3000", "a b.ppm"},
         {},
         "own 0 1024x768 seed 0 step 20 at 3000 a b.ppm"},
        {{"-geometry", "1x16384", "-h"}, {}, "own 0 1x16384 step 0 help"},
        {{"-seed", "0XFFFFFFFF"}, {}, "own 0 1024x768 seed 4294967295 step 0"},
    };
    for (const Case& c : cases) {
        const Parsed parsed = parse(c.args, c.variable);
        EXPECT_EQ(parsed.error, "") << c.options;
        EXPECT_EQ(summary(parsed.options), c.options);
    }
}

TEST(X11Options, RefusedInputsSayWhy) {
    struct Case {
        std::vector<std::string_view> args;
        std::optional<std::string_view> variable;
        const char* error;
    };
    const Case cases[] = {
        {{"-geometry", "65536x65536"},
         {},
         "-geometry takes WIDTHxHEIGHT, each 1 to 16384: \"65536x65536\""},
        {{"-geometry", "99999999999x5"},
         {},
         "-geometry takes WIDTHxHEIGHT, each 1 to 16384: \"99999999999x5\""},
        {{"-geometry", "40000x40000"},
         {},
         "-geometry takes WIDTHxHEIGHT, each 1 to 16384: \"40000x40000\""},
        {{"-geometry", "800x600junk"},
         {},
         "-geometry takes WIDTHxHEIGHT, each 1 to 16384: \"800x600junk\""},
        {{"-geometry", "0x600"}, {}, "-geometry takes WIDTHxHEIGHT, each 1 to 16384: \"0x600\""},
        {{"-geometry", "-5x600"}, {}, "-geometry takes WIDTHxHEIGHT, each 1 to 16384: \"-5x600\""},
        {{"-geometry", "800"}, {}, "-geometry takes WIDTHxHEIGHT, each 1 to 16384: \"800\""},
        {{"-window-id", "0x10000050d"},
         {},
         "the window id is not a 32-bit number: \"0x10000050d\""},
        {{"-window-id", "12ab"}, {}, "the window id is not a 32-bit number: \"12ab\""},
        {{"-window-id", " 12"}, {}, "the window id is not a 32-bit number: \" 12\""},
        {{"-window-id", "0x"}, {}, "the window id is not a 32-bit number: \"0x\""},
        {{"-window-id", "0"}, {}, "the window id 0 names no window"},
        {{"-clock-step", "4294967296"},
         {},
         "the clock step is not a 32-bit number: \"4294967296\""},
        {{"-clock-step", "0"}, {}, "the clock step must be at least 1 ms"},
        {{"-seed", "+5"}, {}, "the seed is not a 32-bit number: \"+5\""},
        {{"-snapshot-at", "1e3", "x.ppm"},
         {},
         "the snapshot's clock reading is not a 32-bit number: \"1e3\""},
        {{"-snapshot-at", "1000"}, {}, "unknown option or missing value: \"-snapshot-at\""},
        {{"-geometry"}, {}, "unknown option or missing value: \"-geometry\""},
        {{"-colour"}, {}, "unknown option or missing value: \"-colour\""},
        {{"-root"},
         "0x200001garbage",
         "XSCREENSAVER_WINDOW is not a window id: \"0x200001garbage\""},
        {{}, "0", "XSCREENSAVER_WINDOW is not a window id: \"0\""},
        {{"-seed", "1\n\x1b[2J\"\\"},
         {},
         "the seed is not a 32-bit number: \"1\\x0a\\x1b[2J\\x22\\x5c\""},
    };
    for (const Case& c : cases) EXPECT_EQ(parse(c.args, c.variable).error, c.error);
}

}  // namespace
}  // namespace orvelle::x11

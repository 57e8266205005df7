// The window over the monitors and each monitor's viewport in it (OpenGL's
// origin at the bottom-left), and which scenes stay when the monitors change.
#include "renderer/scene/monitor_layout.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace orvelle {
namespace {

using Rects = std::vector<ScreenRect>;
const ScreenRect xga{0, 0, 1024, 768}, right{1024, 0, 800, 600}, left{-800, 0, 800, 600};
const ScreenRect below{0, 768, 800, 600}, smaller{0, 0, 800, 600}, shifted{800, 0, 800, 600};

TEST(MonitorLayout, WindowAndViewportsOverMonitorsOnEverySide) {
    // The monitors, the window over them, and the viewports in it.
    const std::tuple<const char*, Rects, ScreenRect, Rects> cases[] = {
        // clang-format off
        {"one", {xga}, xga, {xga}},
        {"smaller one to the right", {xga, right}, {0, 0, 1824, 768}, {xga, {1024, 168, 800, 600}}},
        {"left of the primary, lower", {{0, 0, 1920, 1080}, {-1280, 100, 1280, 1024}},
         {-1280, 0, 3200, 1124}, {{1280, 44, 1920, 1080}, {0, 0, 1280, 1024}}},
        {"above", {xga, {0, -768, 1024, 768}}, {0, -768, 1024, 1536}, {xga, {0, 768, 1024, 768}}},
        {"below, sticking out left", {smaller, {-100, 600, 1024, 768}},
         {-100, 0, 1024, 1368}, {{100, 768, 800, 600}, {0, 0, 1024, 768}}},
        {"an empty one left out", {{5, 5, 0, 768}, {0, 0, 640, 480}}, {0, 0, 640, 480}, {}},
        {"none", {}, {0, 0, 0, 0}, {}},
        // clang-format on
    };
    for (const auto& [layout, monitors, window, viewports] : cases) {
        EXPECT_EQ(boundingBox(monitors), window) << layout;
        for (size_t i = 0; i < viewports.size(); ++i)
            EXPECT_EQ(viewportIn(window, monitors[i]), viewports[i]) << layout << " " << i;
    }
}

TEST(MonitorLayout, ScenesStayWithTheirMonitors) {
    // The monitors before and after, and which scene each one after keeps.
    const std::tuple<const char*, Rects, Rects, std::vector<int32_t>> cases[] = {
        // clang-format off
        {"none", {xga, right}, {xga, right}, {0, 1}},
        {"listed the other way round", {xga, right}, {right, xga}, {1, 0}},
        {"one removed", {xga, right}, {xga}, {0}},
        {"the first removed", {xga, right}, {right}, {1}},
        {"one added", {xga}, {xga, right}, {0, kNewScene}},
        {"moved to the other side", {xga, right}, {xga, left}, {0, 1}},
        {"the primary smaller, the other along", {xga, right}, {smaller, shifted}, {0, 1}},
        {"two of a size: the one in place stays", {smaller, shifted}, {shifted}, {1}},
        {"two of a size, both moved", {smaller, shifted}, {below, left}, {0, 1}},
        {"all new", {xga}, {}, {}},
        {"from none", {}, {xga, right}, {kNewScene, kNewScene}},
        // clang-format on
    };
    for (const auto& [change, before, after, kept] : cases)
        EXPECT_EQ(matchMonitors(before, after), kept) << change;
}

}  // namespace
}  // namespace orvelle

// The window over the monitors and each monitor's viewport in it (OpenGL's
// origin at the bottom-left), and which scenes stay when the monitors change.
#include "renderer/monitor_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvelle {
namespace {

TEST(MonitorLayout, WindowAndViewportsOverMonitorsOnEverySide) {
    const struct {
        const char* layout;
        std::vector<ScreenRect> monitors;
        ScreenRect window;
        std::vector<ScreenRect> viewports;
    } cases[] = {
        {"one", {{0, 0, 1024, 768}}, {0, 0, 1024, 768}, {{0, 0, 1024, 768}}},
        {"smaller one to the right",
         {{0, 0, 1024, 768}, {1024, 0, 800, 600}},
         {0, 0, 1824, 768},
         {{0, 0, 1024, 768}, {1024, 168, 800, 600}}},
        {"left of the primary, lower",
         {{0, 0, 1920, 1080}, {-1280, 100, 1280, 1024}},
         {-1280, 0, 3200, 1124},
         {{1280, 44, 1920, 1080}, {0, 0, 1280, 1024}}},
        {"above",
         {{0, 0, 1024, 768}, {0, -768, 1024, 768}},
         {0, -768, 1024, 1536},
         {{0, 0, 1024, 768}, {0, 768, 1024, 768}}},
        {"below, sticking out left",
         {{0, 0, 800, 600}, {-100, 600, 1024, 768}},
         {-100, 0, 1024, 1368},
         {{100, 768, 800, 600}, {0, 0, 1024, 768}}},
        {"an empty one left out", {{5, 5, 0, 768}, {0, 0, 640, 480}}, {0, 0, 640, 480}, {}},
        {"none", {}, {0, 0, 0, 0}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(boundingBox(c.monitors), c.window) << c.layout;
        for (size_t i = 0; i < c.viewports.size(); ++i) {
            EXPECT_EQ(viewportIn(c.window, c.monitors[i]), c.viewports[i]) << c.layout << " " << i;
        }
    }
}

TEST(MonitorLayout, ScenesStayWithTheirMonitors) {
    const ScreenRect primary{0, 0, 1024, 768}, right{1024, 0, 800, 600};
    const ScreenRect left{-800, 0, 800, 600}, below{0, 768, 800, 600};
    const ScreenRect smaller{0, 0, 800, 600}, shifted{800, 0, 800, 600};
    const struct {
        const char* change;
        std::vector<ScreenRect> before, after;
        std::vector<int32_t> kept;
    } cases[] = {
        {"none", {primary, right}, {primary, right}, {0, 1}},
        {"listed the other way round", {primary, right}, {right, primary}, {1, 0}},
        {"one removed", {primary, right}, {primary}, {0}},
        {"the first removed", {primary, right}, {right}, {1}},
        {"one added", {primary}, {primary, right}, {0, kNewScene}},
        {"moved to the other side", {primary, right}, {primary, left}, {0, 1}},
        {"the primary smaller, its neighbour moved along",
         {primary, right},
         {smaller, shifted},
         {0, 1}},
        {"two of a size: the one in place stays", {smaller, shifted}, {shifted}, {1}},
        {"two of a size, both moved", {smaller, shifted}, {below, left}, {0, 1}},
        {"all new", {primary}, {}, {}},
        {"from none", {}, {primary, right}, {kNewScene, kNewScene}},
    };
    for (const auto& c : cases) EXPECT_EQ(matchMonitors(c.before, c.after), c.kept) << c.change;
}

}  // namespace
}  // namespace orvelle

#include "renderer/scene/monitor_layout.h"

#include <algorithm>
#include <limits>

namespace orvelle {
namespace {

int32_t clamped(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int64_t right(const ScreenRect& r) {
    return int64_t{r.left} + r.width;
}

int64_t bottom(const ScreenRect& r) {
    return int64_t{r.top} + r.height;
}

}  // namespace

ScreenRect boundingBox(std::span<const ScreenRect> monitors) {
    bool any = false;
    int64_t left = 0, top = 0, rightEdge = 0, bottomEdge = 0;
    for (const ScreenRect& m : monitors) {
        if (m.empty()) continue;
        left = any ? std::min<int64_t>(left, m.left) : m.left;
        top = any ? std::min<int64_t>(top, m.top) : m.top;
        rightEdge = any ? std::max(rightEdge, right(m)) : right(m);
        bottomEdge = any ? std::max(bottomEdge, bottom(m)) : bottom(m);
        any = true;
    }
    return {clamped(left), clamped(top), clamped(rightEdge - left), clamped(bottomEdge - top)};
}

ScreenRect viewportIn(const ScreenRect& window, const ScreenRect& monitor) {
    return {clamped(int64_t{monitor.left} - window.left), clamped(bottom(window) - bottom(monitor)),
            monitor.width, monitor.height};
}

std::vector<int32_t> matchMonitors(std::span<const ScreenRect> before,
                                   std::span<const ScreenRect> after) {
    std::vector<int32_t> kept(after.size(), kNewScene);
    std::vector<bool> taken(before.size(), false);
    const auto sameRect = [](const ScreenRect& a, const ScreenRect& b) { return a == b; };
    const auto sameSize = [](const ScreenRect& a, const ScreenRect& b) {
        return a.width == b.width && a.height == b.height;
    };
    const auto samePlace = [](const ScreenRect& a, const ScreenRect& b) {
        return a.left == b.left && a.top == b.top;
    };
    const auto pass = [&](auto same) {
        for (size_t i = 0; i < after.size(); ++i) {
            for (size_t j = 0; j < before.size() && kept[i] == kNewScene; ++j) {
                if (taken[j] || !same(before[j], after[i])) continue;
                kept[i] = static_cast<int32_t>(j);
                taken[j] = true;
            }
        }
    };
    pass(sameRect);
    pass(samePlace);
    pass(sameSize);
    return kept;
}

}  // namespace orvelle

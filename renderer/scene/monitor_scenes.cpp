#include "renderer/scene/monitor_scenes.h"

#include <algorithm>
#include <new>

#include "renderer/scene/keys.h"

namespace orvelle {

MonitorScenes::Identity MonitorScenes::identity(uint32_t runSeed, uint32_t made) {
    const uint32_t seed = runSeed + made * kSeedStep;
    return {seed, made == 0 ? 0.0f : static_cast<float>(60 + seed % 241)};
}

bool MonitorScenes::unchanged(const ScreenRect& window,
                              std::span<const ScreenRect> monitors) const {
    // The same monitors listed in another order are no change. Compared in
    // place: this runs at every look at the monitors, and allocates nothing.
    if (window != window_) return false;
    const auto shown = [](const ScreenRect& m) { return !m.empty(); };
    if (static_cast<size_t>(std::count_if(monitors.begin(), monitors.end(), shown)) !=
        views_.size()) {
        return false;
    }
    return std::all_of(monitors.begin(), monitors.end(), [&](const ScreenRect& m) {
        return m.empty() || std::count(monitors.begin(), monitors.end(), m) ==
                                std::count_if(views_.begin(), views_.end(),
                                              [&](const View& v) { return v.monitor == m; });
    });
}

bool MonitorScenes::adopt(const ScreenRect& window, std::span<const ScreenRect> monitors,
                          uint64_t nowMs) {
    if (unchanged(window, monitors)) return false;
    std::vector<ScreenRect> before, after;
    for (const View& view : views_) before.push_back(view.monitor);
    for (const ScreenRect& monitor : monitors) {
        if (!monitor.empty()) after.push_back(monitor);
    }
    const std::vector<int32_t> kept = matchMonitors(before, after);
    std::vector<View> next(after.size());
    for (size_t i = 0; i < after.size(); ++i) {
        View& view = next[i];
        view.monitor = after[i];
        view.viewport = viewportIn(window, after[i]);
        if (kept[i] != kNewScene) {
            View& old = views_[static_cast<size_t>(kept[i])];
            view.scene = std::move(old.scene);
            view.startMs = old.startMs;
            if (view.scene) {  // it may have changed size in place
                view.scene->state.viewWidth = static_cast<uint32_t>(after[i].width);
                view.scene->state.viewHeight = static_cast<uint32_t>(after[i].height);
            }
        } else {
            view.scene = newScene(after[i]);
            view.startMs = nowMs;
        }
    }
    for (View& gone : views_) {
        if (gone.scene) gone.scene->release();
    }
    views_ = std::move(next);
    window_ = window;
    view_.resize(static_cast<uint32_t>(window.width), static_cast<uint32_t>(window.height));
    return true;
}

std::unique_ptr<SceneRenderer> MonitorScenes::newScene(const ScreenRect& monitor) {
    const Identity own = identity(runSeed_, made_++);
    try {
        auto scene =
            std::make_unique<SceneRenderer>(own.seed, static_cast<uint32_t>(monitor.width),
                                            static_cast<uint32_t>(monitor.height), own.turnDegrees);
        scene->attach(view_.newTarget());
        return scene;
    } catch (const std::bad_alloc&) {
        return nullptr;  // a black monitor; the others go on
    }
}

void MonitorScenes::frame(uint64_t nowMs) {
    for (View& view : views_) {
        if (!view.scene) continue;
        view_.viewport(view.viewport);
        view.scene->frame(nowMs - view.startMs);
    }
}

void MonitorScenes::arrowKey(uint32_t virtualKey) {
    for (View& view : views_) {
        if (view.scene) handleArrowKey(view.scene->state, virtualKey);
    }
}

void MonitorScenes::release() {
    for (View& view : views_) {
        if (view.scene) view.scene->release();
    }
}

}  // namespace orvelle

#include "monitor_scenes.h"

#include <algorithm>
#include <new>

#include "gl_api.h"
#include "keys.h"

namespace orvelle {

MonitorScenes::Identity MonitorScenes::identity(uint32_t runSeed, uint32_t made) {
    const uint32_t seed = runSeed + made * kSeedStep;
    return {seed, made == 0 ? 0.0f : static_cast<float>(60 + seed % 3540)};
}

bool MonitorScenes::adopt(const ScreenRect& window, std::span<const ScreenRect> monitors,
                          uint32_t nowMs) {
    std::vector<ScreenRect> before, after;
    for (const View& view : views_) before.push_back(view.monitor);
    for (const ScreenRect& monitor : monitors) {
        if (!monitor.empty()) after.push_back(monitor);
    }
    // The same monitors listed in another order are no change.
    if (window == window_ && before.size() == after.size() &&
        std::is_permutation(before.begin(), before.end(), after.begin())) {
        return false;
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
        if (gone.scene) gone.scene->releaseGl();
    }
    views_ = std::move(next);
    window_ = window;
    return true;
}

std::unique_ptr<SceneRenderer> MonitorScenes::newScene(const ScreenRect& monitor) {
    const Identity own = identity(runSeed_, made_++);
    try {
        auto scene = std::make_unique<SceneRenderer>(own.seed);
        scene->state.pathTimeOffset = own.pathTimeOffset;
        scene->state.viewWidth = static_cast<uint32_t>(monitor.width);
        scene->state.viewHeight = static_cast<uint32_t>(monitor.height);
        primeLights(scene->state, *scene->scene);
        return scene;
    } catch (const std::bad_alloc&) {
        return nullptr;  // a black monitor; the others go on
    }
}

void MonitorScenes::beginClear() {
    // The state every scene expects, over the whole window; the parts of it
    // outside every monitor, never seen, stay black.
    RendererState whole;
    whole.viewWidth = static_cast<uint32_t>(window_.width);
    whole.viewHeight = static_cast<uint32_t>(window_.height);
    glDisable(GL_SCISSOR_TEST);
    detail::setupGLState(whole);
    detail::clearColor();
}

void MonitorScenes::endClear() {
    detail::clearColor();
    glEnable(GL_SCISSOR_TEST);
}

void MonitorScenes::frame(uint32_t nowMs) {
    for (View& view : views_) {
        if (!view.scene) continue;
        applyViewArea(view.viewport.left, view.viewport.top, view.scene->state.viewWidth,
                      view.scene->state.viewHeight);
        view.scene->frame(nowMs - view.startMs);
    }
}

void MonitorScenes::arrowKey(uint32_t virtualKey) {
    for (View& view : views_) {
        if (view.scene) handleArrowKey(view.scene->state, virtualKey);
    }
}

void MonitorScenes::releaseGl() {
    for (View& view : views_) {
        if (view.scene) view.scene->releaseGl();
    }
}

}  // namespace orvelle

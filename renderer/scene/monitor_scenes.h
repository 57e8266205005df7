// One window over several monitors, each showing its own flight of the
// scene: its own lights, attractor, particles and seed, drawn at the
// monitor's size in the monitor's viewport, on a clock that starts when the
// monitor joins (so a monitor added during a run starts black, like the run
// itself). One view and one presentation per frame serve them all.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "renderer/scene/frame_target.h"
#include "renderer/scene/monitor_layout.h"
#include "renderer/scene/scene_renderer.h"

namespace orvelle {

class MonitorScenes {
public:
    // What makes a scene its own: the first one made gets the run's seed,
    // every later one the seed before it plus kSeedStep (2^32 over the
    // golden ratio: far apart for neighbours) and its figure turned by 60 to
    // 300 degrees, by its seed: another picture, at the first one's pace.
    static constexpr uint32_t kSeedStep = 0x9E3779B9u;
    struct Identity {
        uint32_t seed;
        float turnDegrees;
    };
    static Identity identity(uint32_t runSeed, uint32_t made);

    // firstMade: the identity the first scene takes (0 in a run; the
    // off-screen tool draws a later monitor's scene alone with it).
    MonitorScenes(FrameView& view, uint32_t runSeed, uint32_t firstMade = 0)
        : view_(view), runSeed_(runSeed), made_(firstMade) {}

    // At the run's clock reading nowMs: the window's place and the
    // monitors, both in desktop coordinates. Scenes go with their monitors
    // as matchMonitors says; a new monitor gets a new scene, or stays black
    // when none can be made. When anything changed, the whole window is
    // cleared in both buffers (present() shows the first). False when
    // nothing changed.
    template <typename Present>
    bool setLayout(const ScreenRect& window, std::span<const ScreenRect> monitors, uint64_t nowMs,
                   Present&& present) {
        if (!adopt(window, monitors, nowMs)) return false;
        clearBoth(present);
        return true;
    }

    // The view's context was made anew: every scene gets a new target and
    // the window is cleared.
    template <typename Present>
    void viewRestored(Present&& present) {
        for (View& v : views_) {
            if (v.scene) v.scene->attach(view_.newTarget());
        }
        clearBoth(present);
    }

    // One frame of every scene at the run's clock reading; the host presents.
    void frame(uint64_t nowMs);

    // An arrow key, for every scene.
    void arrowKey(uint32_t virtualKey);

    // Every scene's objects of the view, given back.
    void release();

    // The scene of the index-th monitor as listed, if it has one (for tests
    // and tools).
    SceneRenderer* scene(size_t index) {
        return index < views_.size() ? views_[index].scene.get() : nullptr;
    }
    SceneRenderer* first() { return scene(0); }

private:
    struct View {
        ScreenRect monitor;
        ScreenRect viewport;
        uint64_t startMs = 0;
        std::unique_ptr<SceneRenderer> scene;  // none: the monitor stays black
    };

    template <typename Present>
    void clearBoth(Present& present) {
        view_.clear();
        present();
        view_.clear();
    }
    bool unchanged(const ScreenRect& window, std::span<const ScreenRect> monitors) const;
    bool adopt(const ScreenRect& window, std::span<const ScreenRect> monitors, uint64_t nowMs);
    std::unique_ptr<SceneRenderer> newScene(const ScreenRect& monitor);

    FrameView& view_;
    ScreenRect window_;
    std::vector<View> views_;
    uint32_t runSeed_;
    uint32_t made_;
};

}  // namespace orvelle

// One window over several monitors, each showing its own flight of the
// scene: its own lights, attractor, particles and seed, drawn at the
// monitor's size in the monitor's viewport, on a clock that starts when the
// monitor joins (so a monitor added during a run starts black, like the run
// itself). One context and one presentation per frame serve them all.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "monitor_layout.h"
#include "scene_renderer.h"

namespace orvelle {

class MonitorScenes {
public:
    // What makes a scene its own: the first one made gets the run's seed,
    // every later one the seed before it plus kSeedStep (2^32 over the
    // golden ratio: far apart for neighbours) and paths that run a minute to
    // an hour ahead, by its seed.
    static constexpr uint32_t kSeedStep = 0x9E3779B9u;
    struct Identity {
        uint32_t seed;
        float pathTimeOffset;
    };
    static Identity identity(uint32_t runSeed, uint32_t made);

    explicit MonitorScenes(uint32_t seed) : runSeed_(seed) {}

    // With the context current, at the run's clock reading nowMs: the
    // window's place and the monitors, both in desktop coordinates. Scenes
    // go with their monitors as matchMonitors says; a new monitor gets a new
    // scene, or stays black when none can be made. When anything changed,
    // the whole window is cleared in both buffers (present() swaps them).
    // False when nothing changed.
    template <typename Present>
    bool setLayout(const ScreenRect& window, std::span<const ScreenRect> monitors, uint32_t nowMs,
                   Present&& present) {
        if (!adopt(window, monitors, nowMs)) return false;
        beginClear();
        present();
        endClear();
        return true;
    }

    // One frame of every scene at the run's clock reading; the host presents.
    void frame(uint32_t nowMs);

    // An arrow key, for every scene.
    void arrowKey(uint32_t virtualKey);

    // Before the context goes.
    void releaseGl();

private:
    struct View {
        ScreenRect monitor;
        ScreenRect viewport;
        uint32_t startMs = 0;
        std::unique_ptr<SceneRenderer> scene;  // none: the monitor stays black
    };

    bool adopt(const ScreenRect& window, std::span<const ScreenRect> monitors, uint32_t nowMs);
    std::unique_ptr<SceneRenderer> newScene(const ScreenRect& monitor);
    void beginClear();
    void endClear();

    ScreenRect window_;
    std::vector<View> views_;
    uint32_t runSeed_;
    uint32_t made_ = 0;
};

}  // namespace orvelle

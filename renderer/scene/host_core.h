// What every renderer program does the same way, in one place: the run's
// clock, the frame pacing, the frames-per-second figure, following the
// monitors, and a flight of the scene on each. A program supplies its
// window (the monitors it covers, its presentation) and a view of a
// backend; it keeps its own events and presents each frame itself.
#pragma once

#include <cstdint>
#include <vector>

#include "renderer/scene/frame_target.h"
#include "renderer/scene/monitor_layout.h"
#include "renderer/scene/monitor_scenes.h"

namespace orvelle {

// The window's area and the monitors it covers, in the window system's
// coordinates (desktop coordinates on Windows, the window's own on X11),
// the primary first.
struct Layout {
    ScreenRect window;
    std::vector<ScreenRect> monitors;
};

class HostWindow {
public:
    virtual ~HostWindow() = default;
    // Fills the layout as it is now, in place (the list keeps its capacity
    // from one look to the next, so looking allocates nothing); a program
    // that places its own window lays it over the monitors here.
    virtual void layout(Layout& layout) = 0;
    // Shows the buffer just drawn.
    virtual void present() = 0;
};

struct HostSettings {
    uint32_t seed = 0;
    // The identity of the first scene made (0 in a run; a tool can draw a
    // later monitor's scene alone).
    uint32_t firstScene = 0;
    // The presentation itself waits for the display's refresh (the driver
    // granted swap control); otherwise the core paces the frames.
    bool pacedByDisplay = false;
    // The display's refresh rate in hertz; 0 where it is not known.
    uint32_t refreshHz = 0;
    // Scene milliseconds per frame instead of the real clock (0: real time).
    uint32_t clockStepMs = 0;
    // How often the monitors are looked at unasked, in milliseconds of the
    // real clock (0: only when the program says they changed).
    uint32_t layoutPollMs = 0;
};

// The shortest time between two frames: none where the presentation waits
// for the display, one refresh otherwise (60 Hz where the rate is not
// known). A frame per refresh keeps the trails as long as the display's
// pace gives them; flat out they would fade in a blink.
int64_t frameIntervalUs(bool pacedByDisplay, uint32_t refreshHz);

// Frames counted over the real clock: a new figure once at least a second
// has passed since the last one.
class FrameRate {
public:
    void frame(int64_t nowUs);
    double perSecond() const { return perSecond_; }
    // A new figure came with the last frame.
    bool fresh() const { return fresh_; }

private:
    int64_t since_ = 0;
    int64_t frames_ = -1;  // -1: the first frame starts the count
    double perSecond_ = 0.0;
    bool fresh_ = false;
};

class HostCore {
public:
    HostCore(HostWindow& window, FrameView& view, const HostSettings& settings);
    HostCore(const HostCore&) = delete;
    HostCore& operator=(const HostCore&) = delete;

    // With the view's context current, at the program's clock reading (in
    // microseconds, any origin, never going back): the view started at the
    // window's size and a scene on each monitor. False when the view
    // cannot draw.
    bool start(int64_t nowUs);

    // The monitors or the window may have changed: they are looked at
    // before the next frame.
    void layoutChanged() { layoutDue_ = true; }

    void key(uint32_t virtualKey) { scenes_.arrowKey(virtualKey); }

    // One frame at the program's clock reading, drawn but not presented.
    void frame(int64_t nowUs);

    // The run's clock at the last frame, in milliseconds since the start.
    uint64_t sceneMs() const { return sceneMs_; }
    // The clock reading before which the next frame should not start.
    int64_t nextFrameAt() const { return lastFrameUs_ + interval_; }
    const FrameRate& rate() const { return rate_; }

    // The view's context was made anew (a browser gives a lost one back).
    bool restartView();

    // Everything of the view's given back, the context still current.
    void release();

    MonitorScenes& scenes() { return scenes_; }
    const Layout& layout() const { return layout_; }

private:
    void followLayout(int64_t nowUs);

    HostWindow& window_;
    FrameView& view_;
    HostSettings settings_;
    MonitorScenes scenes_;
    Layout layout_;
    FrameRate rate_;
    int64_t interval_;
    int64_t startUs_ = 0;
    int64_t lastFrameUs_ = 0;
    int64_t lastLookUs_ = 0;
    uint64_t frames_ = 0;
    uint64_t sceneMs_ = 0;
    bool layoutDue_ = true;
};

}  // namespace orvelle

#include "renderer/scene/host_core.h"

#include <algorithm>

namespace orvelle {

int64_t frameIntervalUs(bool pacedByDisplay, uint32_t refreshHz) {
    if (pacedByDisplay) return 0;
    return 1'000'000 / (refreshHz != 0 ? refreshHz : 60);
}

void FrameRate::frame(int64_t nowUs) {
    fresh_ = false;
    if (frames_ < 0) {
        since_ = nowUs;
        frames_ = 0;
        return;
    }
    ++frames_;
    const int64_t elapsed = nowUs - since_;
    if (elapsed < 1'000'000) return;
    perSecond_ = static_cast<double>(frames_) * 1e6 / static_cast<double>(elapsed);
    fresh_ = true;
    frames_ = 0;
    since_ = nowUs;
}

HostCore::HostCore(HostWindow& window, FrameView& view, const HostSettings& settings)
    : window_(window),
      view_(view),
      settings_(settings),
      scenes_(view, settings.seed, settings.firstScene),
      // A scripted clock is not the wall's: its frames come as fast as they can.
      interval_(settings.clockStepMs != 0
                    ? 0
                    : frameIntervalUs(settings.pacedByDisplay, settings.refreshHz)) {}

bool HostCore::start(int64_t nowUs) {
    startUs_ = lastFrameUs_ = nowUs;
    window_.layout(layout_);
    if (!view_.start(static_cast<uint32_t>(layout_.window.width),
                     static_cast<uint32_t>(layout_.window.height))) {
        return false;
    }
    lastLookUs_ = nowUs;
    layoutDue_ = false;
    scenes_.setLayout(layout_.window, layout_.monitors, 0, [this] { window_.present(); });
    return true;
}

void HostCore::followLayout(int64_t nowUs) {
    const bool polled = settings_.layoutPollMs != 0 &&
                        nowUs - lastLookUs_ >= int64_t{settings_.layoutPollMs} * 1000;
    if (!layoutDue_ && !polled) return;
    layoutDue_ = false;
    lastLookUs_ = nowUs;
    window_.layout(layout_);
    scenes_.setLayout(layout_.window, layout_.monitors, sceneMs_, [this] { window_.present(); });
}

void HostCore::frame(int64_t nowUs) {
    // A clock that went back (a counter of another core, a clock set back)
    // stands still instead.
    nowUs = std::max(nowUs, lastFrameUs_);
    followLayout(nowUs);
    sceneMs_ = settings_.clockStepMs != 0 ? ++frames_ * settings_.clockStepMs
                                          : static_cast<uint64_t>(nowUs - startUs_) / 1000;
    scenes_.frame(sceneMs_);
    rate_.frame(nowUs);
    lastFrameUs_ = nowUs;
}

bool HostCore::restartView() {
    if (!view_.start(static_cast<uint32_t>(layout_.window.width),
                     static_cast<uint32_t>(layout_.window.height))) {
        return false;
    }
    scenes_.viewRestored([this] { window_.present(); });
    layoutDue_ = true;
    return true;
}

void HostCore::release() {
    scenes_.release();
    view_.release();
}

}  // namespace orvelle

#include "frontend/saver_run.h"

#include <algorithm>

namespace orvelle {

void SaverRun::setTimer(SaverTimer timer, bool on) {
    static constexpr uint32_t kIntervals[] = {0, 1000, 200, 500};
    bool& state = timer == SaverTimer::Mp3Watch  ? mp3Timer_
                  : timer == SaverTimer::CdWatch ? cdTimer_
                                                 : rendererTimer_;
    state = on;
    platform_.setTimer(timer, kIntervals[static_cast<int>(timer)], on);
}

void SaverRun::onLoad() {
    renderer_ = platform_.startRenderer();
    startedAt_ = platform_.nowMs();
    source_ = musicSourceOf(music_);
    switch (source_) {
        case MusicSource::Cd:
            bgm_.cdOpen();
            setTimer(SaverTimer::CdWatch, true);
            break;
        case MusicSource::Wav:
            bgm_.wavStart();
            break;
        case MusicSource::Mp3:
            bgm_.mp3Start();
            setTimer(SaverTimer::Mp3Watch, true);
            break;
        case MusicSource::None:
            break;
    }
    setTimer(SaverTimer::RendererWatch, true);
}

void SaverRun::onTimer(SaverTimer timer) {
    if (ended_) return;
    switch (timer) {
        case SaverTimer::Mp3Watch:
            if (mp3Timer_) bgm_.mp3Watch();
            break;
        case SaverTimer::CdWatch:
            if (!cdTimer_) break;
            bgm_.cdWatch();
            setTimer(SaverTimer::CdWatch, bgm_.cdWatchAlive != 0);
            break;
        case SaverTimer::RendererWatch:
            if (rendererTimer_) watchRenderer();
            break;
    }
}

// Only the renderer this run started counts: a window of the same caption
// from another renderer (started by hand, or by another run) neither keeps
// the run going nor ends it.
bool SaverRun::ownWindowShown() {
    const std::vector<uint32_t> processes = platform_.rendererWindowProcesses();
    return renderer_ &&
           std::find(processes.begin(), processes.end(), *renderer_) != processes.end();
}

void SaverRun::watchRenderer() {
    if (platform_.rendererProcessRunning()) {
        const uint64_t now = platform_.nowMs();
        if (ownWindowShown()) {
            rendererSeen_ = true;
            windowGoneAt_.reset();
            return;
        }
        if (!rendererSeen_) {
            // Still starting, until the deadline. One that misses it is taken
            // for hung and ended: a hidden process left behind could hold on
            // to a switched display and would never end by itself.
            if (now - startedAt_ < kRendererWindowDeadlineMs) return;
            platform_.endRenderer();
        } else {
            // Its window is gone and it is ending; it puts the display back
            // after its window. One that lingers past the grace ends the run
            // all the same and goes on alone.
            if (!windowGoneAt_) windowGoneAt_ = now;
            if (now - *windowGoneAt_ < kRendererEndGraceMs) return;
        }
    }
    setTimer(SaverTimer::RendererWatch, false);
    onQueryUnload();
}

void SaverRun::onQueryUnload() {
    if (ended_) return;
    ended_ = true;
    // A renderer that did not end by itself (killed, crashed, or ended above)
    // may have left the primary display switched. One that ended normally
    // has put it back, so a display as its registry settings hold it is left
    // alone; a renderer still running puts it back itself.
    DisplayMode current, registry;
    if (!platform_.rendererProcessRunning() && platform_.readDisplayModes(current, registry) &&
        current != registry) {
        platform_.restoreDisplay();
    }
    if (cdTimer_) {
        setTimer(SaverTimer::CdWatch, false);
        bgm_.cdClose();
    }
    if (source_ == MusicSource::Wav) bgm_.wavStop();
    if (source_ == MusicSource::Mp3) {
        setTimer(SaverTimer::Mp3Watch, false);
        bgm_.mp3Close();
    }
    if (line_.mode == StartMode::Run) platform_.showCursor();
    platform_.endNow();
}

}  // namespace orvelle

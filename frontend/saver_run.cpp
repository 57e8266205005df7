#include "frontend/saver_run.h"

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
    platform_.startRenderer();
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

void SaverRun::watchRenderer() {
    if (platform_.rendererWindowExists()) {
        rendererSeen_ = true;
        return;
    }
    // A renderer still starting has no window yet: it is gone only once its
    // window was seen and is gone, or its process has ended or never started.
    if (!rendererSeen_ && platform_.rendererProcessRunning()) return;
    setTimer(SaverTimer::RendererWatch, false);
    onQueryUnload();
}

void SaverRun::onQueryUnload() {
    if (ended_) return;
    ended_ = true;
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

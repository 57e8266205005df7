#include "frontend/saver_run.h"

#include "frontend/startup.h"

namespace orvelle {
namespace {

uint32_t intervalOf(SaverTimer timer) {
    switch (timer) {
        case SaverTimer::Mp3Watch:
            return 1000;
        case SaverTimer::CdWatch:
            return 200;
        case SaverTimer::RendererWatch:
            return 500;
    }
    return 1000;
}

}  // namespace

bool SaverRunForm::timerOn(SaverTimer timer) const {
    switch (timer) {
        case SaverTimer::Mp3Watch:
            return timer1_;
        case SaverTimer::CdWatch:
            return timer2_;
        case SaverTimer::RendererWatch:
            return timer3_;
    }
    return false;
}

void SaverRunForm::setTimer(SaverTimer timer, bool on) {
    bool& state = timer == SaverTimer::Mp3Watch  ? timer1_
                  : timer == SaverTimer::CdWatch ? timer2_
                                                 : timer3_;
    state = on;
    platform_.setTimer(timer, intervalOf(timer), on);
}

void SaverRunForm::onLoad() {
    rendererPath_ = platform_.programFolder() + "\\" + kRendererFile;
    platform_.startRenderer(rendererPath_);
    if (music_.BgmKind == 1) {
        bgm_.CdOpen();
        setTimer(SaverTimer::CdWatch, true);
    } else if (music_.BgmKind == 2) {
        const std::string ending = musicFileEnding(music_.BgmFile);
        if (ending == "WAV") {
            bgm_.WavStart();
        } else if (ending == "MP3") {
            bgm_.Mp3Start();
            setTimer(SaverTimer::Mp3Watch, true);
        }
    }
    setTimer(SaverTimer::RendererWatch, true);
}

void SaverRunForm::onTimer(SaverTimer timer) {
    if (ended_ || !timerOn(timer)) return;
    switch (timer) {
        case SaverTimer::Mp3Watch:
            bgm_.Mp3Watch();
            break;
        case SaverTimer::CdWatch:
            bgm_.CdWatch();
            setTimer(SaverTimer::CdWatch, bgm_.CdWatchAlive != 0);
            break;
        case SaverTimer::RendererWatch:
            watchRenderer();
            break;
    }
}

void SaverRunForm::watchRenderer() {
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

void SaverRunForm::onQueryUnload() {
    if (ended_) return;
    ended_ = true;
    if (timer2_) {
        setTimer(SaverTimer::CdWatch, false);
        bgm_.CdClose();
    }
    if (music_.BgmKind == 2) {
        const std::string ending = musicFileEnding(music_.BgmFile);
        if (ending == "WAV") {
            bgm_.WavStop();
        } else if (ending == "MP3") {
            setTimer(SaverTimer::Mp3Watch, false);
            bgm_.Mp3Close();
        }
    }
    if (line_.switchChar == 'S') platform_.showCursor();
    platform_.endNow();
}

}  // namespace orvelle

// A saver run on the front end's side: the hidden window starts the renderer
// and the music, keeps the music going from its timers, watches the
// renderer's window every 500 ms, and when the renderer is gone stops the
// music, gives the cursor back and ends. The logic is here; timers, the
// process start and the window lookup come from the platform.
#pragma once

#include <cstdint>

#include "config/music_settings.h"
#include "frontend/command_line.h"
#include "music/music.h"

namespace orvelle {

enum class SaverTimer { Mp3Watch = 1, CdWatch = 2, RendererWatch = 3 };

class SaverRunPlatform {
public:
    virtual ~SaverRunPlatform() = default;
    // Starts the renderer beside the front end as an independent process,
    // normal window with the focus, no arguments, not waited for. False when
    // it could not start.
    virtual bool startRenderer() = 0;
    // A top-level window captioned "Zelkor_VC" exists.
    virtual bool rendererWindowExists() = 0;
    // The started renderer process has not ended (false when none started).
    virtual bool rendererProcessRunning() = 0;
    virtual void setTimer(SaverTimer timer, uint32_t intervalMs, bool on) = 0;
    virtual void showCursor() = 0;
    // The end of the program, as soon as the current message is handled.
    virtual void endNow() = 0;
};

class SaverRun {
public:
    SaverRun(SaverRunPlatform& platform, MediaCommands& media, const MusicSettings& music,
             int32_t& lastResult, const CommandLine& commandLine)
        : platform_(platform), music_(music), line_(commandLine), bgm_(media, music, lastResult) {}

    void onLoad();
    void onTimer(SaverTimer timer);
    // Stops the music, gives the cursor back for "S", and ends the program.
    void onQueryUnload();

private:
    void setTimer(SaverTimer timer, bool on);
    void watchRenderer();

    SaverRunPlatform& platform_;
    const MusicSettings& music_;
    const CommandLine& line_;
    BackgroundMusic bgm_;
    MusicSource source_ = MusicSource::None;
    bool mp3Timer_ = false;
    bool cdTimer_ = false;
    bool rendererTimer_ = false;
    // The renderer's window has been seen at least once.
    bool rendererSeen_ = false;
    bool ended_ = false;
};

}  // namespace orvelle

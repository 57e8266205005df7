// A saver run on the front end's side: the hidden window starts the renderer
// and the music, keeps the music going from its timers, watches its own
// renderer every 500 ms, and when that renderer is gone stops the music,
// puts back a display the renderer left switched, gives the cursor back and
// ends. The logic is here; timers, the process, the window lookup and the
// display come from the platform.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "config/music_settings.h"
#include "frontend/command_line.h"
#include "music/music.h"

namespace orvelle {

enum class SaverTimer { Mp3Watch = 1, CdWatch = 2, RendererWatch = 3 };

// A renderer whose window has not appeared this long after its start is
// taken for hung: a cold start under load takes a few seconds at most.
inline constexpr uint64_t kRendererWindowDeadlineMs = 10000;
// How long a renderer whose window has gone may take to end (it puts the
// display back after its window) before the run ends without waiting.
inline constexpr uint64_t kRendererEndGraceMs = 2000;

// A display mode as far as a run changes it.
struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
    bool operator==(const DisplayMode&) const = default;
};

class SaverRunPlatform {
public:
    virtual ~SaverRunPlatform() = default;
    // Starts the renderer beside the front end as an independent process,
    // normal window with the focus, no arguments, not waited for. Its
    // process id, or nothing when it could not start.
    virtual std::optional<uint32_t> startRenderer() = 0;
    // The process ids of the top-level windows captioned "Zelkor_VC".
    virtual std::vector<uint32_t> rendererWindowProcesses() = 0;
    // The started renderer process has not ended (false when none started).
    virtual bool rendererProcessRunning() = 0;
    // Ends the started renderer process and waits a moment for its end.
    virtual void endRenderer() = 0;
    // Milliseconds of a steady clock.
    virtual uint64_t nowMs() = 0;
    // The primary display's mode now and the one its registry settings
    // hold; false when either cannot be read.
    virtual bool readDisplayModes(DisplayMode& current, DisplayMode& registry) = 0;
    // Switches the primary display to its registry settings.
    virtual void restoreDisplay() = 0;
    virtual void setTimer(SaverTimer timer, uint32_t intervalMs, bool on) = 0;
    virtual void showCursor() = 0;
    // The end of the program, as soon as the current message is handled.
    virtual void endNow() = 0;
};

class SaverRun {
public:
    SaverRun(SaverRunPlatform& platform, MediaCommands& media, const MusicSettings& music,
             const CommandLine& commandLine)
        : platform_(platform), music_(music), line_(commandLine), bgm_(media, music) {}

    void onLoad();
    void onTimer(SaverTimer timer);
    // Puts back a display that a renderer gone left switched, stops the
    // music, gives the cursor back for "S", and ends the program.
    void onQueryUnload();

private:
    void setTimer(SaverTimer timer, bool on);
    void watchRenderer();
    bool ownWindowShown();

    SaverRunPlatform& platform_;
    const MusicSettings& music_;
    const CommandLine& line_;
    BackgroundMusic bgm_;
    MusicSource source_ = MusicSource::None;
    bool mp3Timer_ = false;
    bool cdTimer_ = false;
    bool rendererTimer_ = false;
    // The started renderer's process, and when it started.
    std::optional<uint32_t> renderer_;
    uint64_t startedAt_ = 0;
    // Its window has been seen at least once; when it was first missed after.
    bool rendererSeen_ = false;
    std::optional<uint64_t> windowGoneAt_;
    bool ended_ = false;
};

}  // namespace orvelle

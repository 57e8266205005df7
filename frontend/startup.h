// The front end's start-up routine: refuse a second copy, place a preview,
// prepare the folder and the settings, check for the renderer, then open the
// settings dialog or prepare a saver run. What it asks of the platform comes
// in through one interface.
#pragma once

#include <cstdint>
#include <string>

#include "config/music_settings.h"
#include "config/settings_file.h"
#include "frontend/command_line.h"
#include "settings/window_animation.h"

namespace orvelle {

// The missing-renderer message (UTF-8; shown through the wide-character API).
inline constexpr const char* kMissingRendererMessage =
    "Orvelle.dll が同じﾌｫﾙﾀﾞ内に見つかりません！";
inline constexpr const char* kApplicationTitle = "Orvelle (ScreenSaver)";

// What the front end learns of the window a preview is asked to go into.
struct PaneFacts {
    bool exists = false;   // it is a window
    bool child = false;    // a child window, as a host's preview pane is
    bool desktop = false;  // the desktop window
    bool inShell = false;  // the shell's window, or a window inside it
};

// A preview goes only into a host's pane: a child window of another
// window, neither the desktop nor the shell's window or anything inside it
// (its icons cover the screen too). A top-level window of any program is no
// pane: the picture would cover it, and nothing would ever close it.
bool isPreviewPane(const PaneFacts& facts);

// The start-up module's shared variables, and the music settings it loads.
struct FrontEndState {
    MusicSettings music;
    int32_t lastResult = 0;
    AnimPoint animPoint;
    CommandLine commandLine;
};

class StartupPlatform : public virtual ProfileStore, public virtual FileProbe {
public:
    // A top-level window with this caption (UTF-8), hidden ones too.
    virtual bool windowExists(const std::string& caption) = 0;
    // The busy guard: a named object of the session that the starts which
    // open a saver run or the settings dialog take before they look for the
    // busy captions, and hold while they live. Unlike a caption, which
    // exists only once the window does, it cannot be taken by two starts at
    // once. takeBusyGuard is false when another copy holds it (a guard that
    // cannot be made at all stops nothing); busyGuardHeld asks without taking.
    virtual bool takeBusyGuard() = 0;
    virtual bool busyGuardHeld() = 0;
    virtual PaneFacts paneFacts(uint32_t paneHandle) = 0;
    // Places the preview window into the host's pane; false when it cannot be.
    virtual bool showPreview(uint32_t paneHandle) = 0;
    virtual void makeFolder(const std::string& path) = 0;
    // The renderer's program file lies beside the front end's.
    virtual bool rendererExists() = 0;
    virtual void showMissingRendererMessage() = 0;
    virtual void showSettingsDialog(FrontEndState& state) = 0;
    virtual void hideCursor() = 0;
    virtual void showCursor() = 0;
    // The primary screen's size in pixels.
    virtual int32_t screenWidth() = 0;
    virtual int32_t screenHeight() = 0;
    // Creates the hidden saver-run window, which starts the renderer and the
    // music; false when the window cannot be created.
    virtual bool loadSaverRun(FrontEndState& state) = 0;
};

enum class StartupOutcome {
    // End the program at once.
    EndNow,
    // The program lives as long as the preview window does.
    PreviewShown,
    // The program lives as long as the saver-run window does.
    SaverRunLoaded,
};

StartupOutcome runStartup(StartupPlatform& platform, FrontEndState& state);

}  // namespace orvelle

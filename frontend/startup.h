// The front end's start-up routine: refuse a second copy, place a preview,
// prepare the folder and the settings, check for the renderer, then open the
// settings dialog or prepare a saver run. What it asks of the platform comes
// in through one interface.
#pragma once

#include <cstdint>
#include <string>

#include "frontend/command_line.h"
#include "frontend/settings_file.h"
#include "music/music_settings.h"

namespace orvelle {

// Captions of the windows that tell that a copy of the front end is busy.
inline constexpr const char* kSaverRunCaption = "Zelkor_Main";
// The settings dialog's caption. Captions are UTF-8 here and go through the
// wide-character API, so they match on a Windows of any language.
inline constexpr const char* kSettingsDialogCaption = "■Orvelle■";
inline constexpr const char* kRendererCaption = "Zelkor_VC";
inline constexpr const char* kRendererFile = "Orvelle.dll";

// The missing-renderer message (UTF-8; shown through the wide-character API).
inline constexpr const char* kMissingRendererMessage =
    "Orvelle.dll が同じﾌｫﾙﾀﾞ内に見つかりません！";
inline constexpr const char* kApplicationTitle = "Orvelle (ScreenSaver)";

// A screen point from which the settings dialog grows and into which it shrinks.
struct AnimPoint {
    int16_t x = 0;
    int16_t y = 0;
};

// The start-up module's shared variables, and the music settings it loads.
struct FrontEndState {
    MusicSettings music;
    int32_t LastResult = 0;
    AnimPoint animPoint;
    CommandLine commandLine;
};

class StartupPlatform : public virtual ProfileStore, public virtual FileProbe {
public:
    // A top-level window with this caption (UTF-8), hidden ones too.
    virtual bool windowExists(const std::string& caption) = 0;
    // Places the preview form into the host's pane; false when it cannot be.
    virtual bool showPreview(uint32_t paneHandle, FrontEndState& state) = 0;
    virtual void makeFolder(const std::string& path) = 0;
    virtual void showMissingRendererMessage() = 0;
    virtual void showSettingsDialog(FrontEndState& state) = 0;
    virtual void hideCursor() = 0;
    // The primary screen's size in pixels.
    virtual int32_t screenWidth() = 0;
    virtual int32_t screenHeight() = 0;
    // Loads the hidden saver-run form, which starts the renderer and the music.
    virtual void loadSaverRun(FrontEndState& state) = 0;
};

enum class StartupOutcome {
    // End the program at once.
    EndNow,
    // The program lives as long as the preview form does.
    PreviewShown,
    // The program lives as long as the saver-run form does.
    SaverRunLoaded,
};

StartupOutcome runStartup(StartupPlatform& platform, FrontEndState& state);

}  // namespace orvelle

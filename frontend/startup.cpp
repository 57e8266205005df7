#include "frontend/startup.h"

#include <limits>

#include "config/settings_keys.h"
#include "platform/names.h"

namespace orvelle {
namespace {

// A screen size as a 16-bit value; one that does not fit stays 0.
int16_t screenDimension16(int32_t pixels) {
    if (pixels < std::numeric_limits<int16_t>::min() ||
        pixels > std::numeric_limits<int16_t>::max()) {
        return 0;
    }
    return static_cast<int16_t>(pixels);
}

}  // namespace

bool isPreviewPane(const PaneFacts& facts) {
    return facts.exists && facts.child && !facts.desktop && !facts.inShell;
}

StartupOutcome runStartup(StartupPlatform& platform, FrontEndState& state) {
    const CommandLine& line = state.commandLine;

    // 1. A saver run or the settings dialog is already there, or starting.
    //    The starts that may open one take the guard first; the captions
    //    stay for copies that know no guard.
    const bool opensBusyWindow = line.mode == StartMode::Run || line.mode == StartMode::RunPlain ||
                                 line.mode == StartMode::Configure;
    const bool guardFree = opensBusyWindow ? platform.takeBusyGuard() : !platform.busyGuardHeld();
    if (!guardFree || platform.windowExists(names::kSaverRunCaption) ||
        platform.windowExists(names::kSettingsDialogCaption)) {
        return StartupOutcome::EndNow;
    }

    // 2. The preview: nothing else happens. A handle that names no pane
    //    leaves nothing to show, so the program ends.
    if (line.mode == StartMode::Preview) {
        if (!line.previewHandle || !isPreviewPane(platform.paneFacts(*line.previewHandle)) ||
            !platform.showPreview(*line.previewHandle)) {
            return StartupOutcome::EndNow;
        }
        return StartupOutcome::PreviewShown;
    }

    // 3 to 5, for every other switch.
    platform.makeFolder(settings::kFolder);
    loadSettings(platform, platform, state.music);
    if (!platform.rendererExists()) {
        platform.showMissingRendererMessage();
        return StartupOutcome::EndNow;
    }

    // 6. The settings dialog, modally; the program ends when it closes.
    if (line.mode == StartMode::Configure) {
        platform.showSettingsDialog(state);
        return StartupOutcome::EndNow;
    }

    // 7. Any other switch ends here.
    if (line.mode != StartMode::Run && line.mode != StartMode::RunPlain) {
        return StartupOutcome::EndNow;
    }
    const bool saverSwitch = line.mode == StartMode::Run;

    // 8 to 11: the saver run.
    if (saverSwitch) platform.hideCursor();
    const int16_t width = screenDimension16(platform.screenWidth());
    const int16_t height = screenDimension16(platform.screenHeight());
    writeSetting(platform, state.lastResult, settings::kSection, settings::kWidth,
                 formatSettingNumber(width), settings::kPath);
    writeSetting(platform, state.lastResult, settings::kSection, settings::kHeight,
                 formatSettingNumber(height), settings::kPath);
    if (!platform.loadSaverRun(state)) {
        // Nothing carries the run: without this the program would wait for
        // messages for ever, with the cursor hidden and no renderer.
        if (saverSwitch) platform.showCursor();
        return StartupOutcome::EndNow;
    }
    return StartupOutcome::SaverRunLoaded;
}

}  // namespace orvelle

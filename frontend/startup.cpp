#include "frontend/startup.h"

#include <limits>

#include "platform/names.h"
#include "platform/settings_keys.h"

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

StartupOutcome runStartup(StartupPlatform& platform, FrontEndState& state) {
    const CommandLine& line = state.commandLine;

    // 1. A saver run or the settings dialog is already there.
    if (platform.windowExists(names::kSaverRunCaption) ||
        platform.windowExists(names::kSettingsDialogCaption)) {
        return StartupOutcome::EndNow;
    }

    // 2. The preview: nothing else happens. A handle that names no window
    //    leaves nothing to show, so the program ends.
    if (line.switchChar == 'P') {
        if (!line.previewHandle || !platform.showPreview(*line.previewHandle, state)) {
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
    if (line.switchChar == 'C') {
        platform.showSettingsDialog(state);
        return StartupOutcome::EndNow;
    }

    // 7. Any other switch ends here.
    const bool saverSwitch = line.switchChar == 'S';
    if (!saverSwitch && !line.empty) return StartupOutcome::EndNow;

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

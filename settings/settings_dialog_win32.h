// The settings dialog "■Orvelle■", shown modally: the music choice, written
// to the settings file when the user confirms it.
#pragma once

#include <cstdint>

#include "config/music_settings.h"
#include "config/settings_file.h"
#include "settings/window_animation.h"

namespace orvelle {

// What the dialog edits, and where it saves.
struct DialogContext {
    MusicSettings& music;
    int32_t& lastResult;
    AnimPoint& animPoint;
    ProfileStore& store;
};

void showSettingsDialogModal(const DialogContext& context);

}  // namespace orvelle

// The settings dialog "■Orvelle■", shown modally.
#pragma once

#include "frontend/settings_file.h"
#include "frontend/startup.h"

namespace orvelle {

void showSettingsDialogModal(FrontEndState& state, ProfileStore& store);

}  // namespace orvelle

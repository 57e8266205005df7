// The music routines' platform: winmm's media control interface and wave
// player.
#pragma once

#include "music/media_commands.h"

namespace orvelle {

class WinmmMediaCommands final : public MediaCommands {
public:
    int32_t sendString(const std::string& command, char* reply, uint32_t capacity) override;
    bool errorString(int32_t code, char* text, uint32_t capacity) override;
    int32_t playSound(const char* sound, uint32_t flags) override;
    int32_t waveOutDeviceCount() override;
};

}  // namespace orvelle

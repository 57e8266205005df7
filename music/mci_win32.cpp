#include "music/mci_win32.h"

#include <windows.h>

// After windows.h, which it needs.
#include <mmsystem.h>

namespace orvelle {

static_assert(kSoundAsync == SND_ASYNC && kSoundLoop == SND_LOOP);

int32_t WinmmMediaCommands::sendString(const std::string& command, char* reply, uint32_t capacity) {
    return static_cast<int32_t>(mciSendStringA(command.c_str(), reply, capacity, nullptr));
}

bool WinmmMediaCommands::errorString(int32_t code, char* text, uint32_t capacity) {
    return mciGetErrorStringA(static_cast<MCIERROR>(code), text, capacity) != FALSE;
}

int32_t WinmmMediaCommands::playSound(const char* sound, uint32_t flags) {
    return PlaySoundA(sound, nullptr, flags);
}

int32_t WinmmMediaCommands::waveOutDeviceCount() {
    return static_cast<int32_t>(waveOutGetNumDevs());
}

}  // namespace orvelle

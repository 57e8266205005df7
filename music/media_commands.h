// What the music routines ask of the platform: text commands to the media
// control interface, its error texts, the wave-sound player and the number
// of wave output devices. winmm on Windows; simulated players in tests.
#pragma once

#include <cstdint>
#include <string>

namespace orvelle {

// PlaySoundA's flags the music uses (SND_ASYNC, SND_LOOP; the winmm binding
// checks that they agree).
inline constexpr uint32_t kSoundAsync = 0x0001;
inline constexpr uint32_t kSoundLoop = 0x0008;

class MediaCommands {
public:
    virtual ~MediaCommands() = default;
    // mciSendStringA: the reply (NUL-terminated, at most capacity bytes with
    // the NUL) goes into reply, which may be null with a capacity of 0.
    virtual int32_t sendString(const std::string& command, char* reply, uint32_t capacity) = 0;
    // mciGetErrorStringA: false when the code has no text.
    virtual bool errorString(int32_t code, char* text, uint32_t capacity) = 0;
    // PlaySoundA(sound, no module, flags); sound may be null.
    virtual int32_t playSound(const char* sound, uint32_t flags) = 0;
    // waveOutGetNumDevs.
    virtual int32_t waveOutDeviceCount() = 0;
};

}  // namespace orvelle

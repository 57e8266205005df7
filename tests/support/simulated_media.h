// A simulated CD player and file player that accept the music module's
// command texts: track numbers and counts as decimal numbers, the mode as
// "playing" or "stopped", a track's start as an opaque position text that
// "play ... from" accepts back, and error codes for everything else. Every
// command is recorded with the reply capacity it was sent with.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "music/media_commands.h"

namespace orvelle::testing {

class SimulatedMedia final : public MediaCommands {
public:
    struct Sent {
        std::string command;
        uint32_t capacity;
    };
    struct Sound {
        std::string sound;  // "<none>" for a null sound
        uint32_t flags;
    };

    // Error codes the simulation answers with.
    static constexpr int32_t kNoDrive = 266;
    static constexpr int32_t kNoDisc = 276;
    static constexpr int32_t kNotOpen = 263;
    static constexpr int32_t kBadPosition = 274;
    static constexpr int32_t kNoFile = 275;
    static constexpr int32_t kUnknownCommand = 261;
    static constexpr int32_t kNoErrorText = 999;  // a code without a text

    // The CD drive.
    bool drivePresent = true;
    bool discPresent = true;
    int trackCount = 8;
    double trackSeconds = 180.0;
    // The file player: files that exist, and their length.
    std::set<std::string> files;
    double fileSeconds = 3.0;
    int waveDevices = 1;

    // Lets time pass for whatever is playing.
    void advance(double seconds);

    int32_t sendString(const std::string& command, char* reply, uint32_t capacity) override;
    bool errorString(int32_t code, char* text, uint32_t capacity) override;
    int32_t playSound(const char* sound, uint32_t flags) override;
    int32_t waveOutDeviceCount() override { return waveDevices; }

    std::vector<Sent> sent;
    std::vector<Sound> sounds;
    std::vector<std::string> commands() const;
    void clearLog() {
        sent.clear();
        sounds.clear();
    }

    bool cdOpen = false;
    bool cdPlaying = false;
    double cdPosition = 0.0;  // seconds from the start of the disc
    bool fileOpen = false;
    bool filePlaying = false;
    double filePosition = 0.0;
    std::string openFile;

    int currentTrack() const { return static_cast<int>(cdPosition / trackSeconds) + 1; }

private:
    int32_t cd(const std::string& rest, std::string& answer);
    int32_t file(const std::string& verb, const std::string& rest, std::string& answer);
};

}  // namespace orvelle::testing

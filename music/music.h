// Background music of a saver run: an audio CD through the "cdaudio" device,
// an MP3 file through an MPEGVideo device under the alias MP3Play, a WAV file
// through the wave-sound player. Every failure is absorbed; the only outcome
// a caller sees is whether the CD watch stays alive.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/music_settings.h"
#include "music/media_commands.h"

namespace orvelle {

// What a saver run plays: kind 1 the CD; kind 2 a file, by the last three
// characters of its path in any case ("WAV" or "MP3"); nothing otherwise.
enum class MusicSource { None, Cd, Wav, Mp3 };
MusicSource musicSourceOf(const MusicSettings& settings);

class BackgroundMusic {
public:
    BackgroundMusic(MediaCommands& media, const MusicSettings& settings)
        : media_(media), settings_(settings) {}

    // Sends one command with the 512-byte reply area: 0, the media error
    // code, or -1 for an empty command. The reply (or error) text goes to reply.
    int32_t mciSend(const std::string& command, std::string& reply);
    // The reply text, or "Error:" and the code when the command failed.
    std::string mciQuery(const std::string& command);
    // "play DEVICE[ from FROM][ to TO]".
    int32_t mciPlay(const std::string& device, const std::string& from, const std::string& to);

    void cdOpen();
    // One tick of the CD watch: keeps the disc playing, or the repeat track
    // repeating; clears cdWatchAlive when the disc cannot be asked about.
    void cdWatch();
    void cdClose();

    void mp3Start();
    bool mp3IsPlaying();
    // One tick of the MP3 watch: restarts the file when it is not playing.
    void mp3Watch();
    void mp3Close();

    void wavStart();
    void wavStop();

    // 16-bit boolean: true is all bits set.
    int16_t cdWatchAlive = 0;
    // Reply (or error) text of the latest mciQuery or mciPlay.
    std::string mciReply;

    static constexpr int16_t kTrue = -1;
    static constexpr int16_t kFalse = 0;

private:
    int32_t sendNoReply(const std::string& command) {
        return media_.sendString(command, nullptr, 0);
    }

    MediaCommands& media_;
    const MusicSettings& settings_;
    // The module's fixed-length reply areas; they keep their contents
    // between calls, as the platform writes only what it replies.
    std::array<char, 512> generalReply_{};
    std::array<char, 256> errorText_{};
    std::array<char, 256> cdModeReply_{};
    std::array<char, 30> mp3ModeReply_{};
};

}  // namespace orvelle

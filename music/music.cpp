#include "music/music.h"

#include <cstring>
#include <optional>

namespace orvelle {
namespace {

std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

template <size_t N>
std::string untilNul(const std::array<char, N>& area) {
    return std::string(area.data(), strnlen(area.data(), N));
}

// The first seven characters of a reply area, NULs included.
template <size_t N>
std::string firstSeven(const std::array<char, N>& area) {
    return std::string(area.data(), 7);
}

// A track number as the device reports it, compared as a number; nothing
// when the text is no number.
std::optional<long> trackNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    long value = 0;
    size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 9) {
        value = value * 10 + (text[i] - '0');
        ++i;
        ++digits;
    }
    while (i < text.size() && text[i] == ' ') ++i;
    if (digits == 0 || i != text.size()) return std::nullopt;
    return value;
}

constexpr const char* kNoCommandText = "コマンド文字列が指定されていません";
constexpr const char* kNoErrorText = "Error (文字列が取れません)";

}  // namespace

std::string musicFileEnding(const std::string& path) {
    return upper(path.size() >= 3 ? path.substr(path.size() - 3) : path);
}

int32_t BackgroundMusic::MciSend(const std::string& command, std::string& reply) {
    if (command.empty()) {
        reply = kNoCommandText;
        return -1;
    }
    const int32_t code = media_.sendString(command, generalReply_.data(),
                                           static_cast<uint32_t>(generalReply_.size()));
    lastResult_ = code;
    if (code == 0) {
        reply = untilNul(generalReply_);
        return 0;
    }
    if (!media_.errorString(code, errorText_.data(), static_cast<uint32_t>(errorText_.size()))) {
        reply = kNoErrorText;
    } else {
        reply = untilNul(errorText_);
    }
    return code;
}

std::string BackgroundMusic::MciQuery(const std::string& command) {
    const int32_t code = MciSend(command, MciReply);
    lastResult_ = code;
    if (code != 0) return "Error:" + std::to_string(code);
    return MciReply;
}

int32_t BackgroundMusic::MciPlay(const std::string& device, const std::string& from,
                                 const std::string& to) {
    std::string command = "play " + device;
    if (!from.empty()) command += " from " + from;
    if (!to.empty()) command += " to " + to;
    return MciSend(command, MciReply);
}

void BackgroundMusic::CdOpen() {
    lastResult_ = sendNoReply("open cdaudio");
    lastResult_ = sendNoReply("set cdaudio time format tmsf");
}

void BackgroundMusic::CdWatch() {
    CdWatchAlive = kTrue;
    const std::string current = MciQuery("status cdaudio current track");
    if (upper(current).find("ERR") != std::string::npos) {
        CdWatchAlive = kFalse;
        return;
    }
    // The count is not used: the query only proves that a disc is there.
    const std::string count = MciQuery("status cdaudio number of tracks");
    if (upper(count).find("ERR") != std::string::npos) {
        CdWatchAlive = kFalse;
        return;
    }
    lastResult_ = media_.sendString("status cdaudio mode", cdModeReply_.data(),
                                    static_cast<uint32_t>(cdModeReply_.size() - 1));
    const bool stopped = firstSeven(cdModeReply_) == "stopped";

    if (settings_.BgmRepeat == 0) {
        if (stopped) MciPlay("cdaudio", "", "");
        return;
    }
    const auto track = trackNumber(current);
    if (!track) {
        // Not a number: the comparison fails, and so does the watch.
        CdWatchAlive = kFalse;
        return;
    }
    if (stopped || *track != settings_.BgmRepeat) {
        const std::string start =
            MciQuery("status cdaudio position track " + std::to_string(settings_.BgmRepeat));
        MciPlay("cdaudio", start, "");
    }
}

void BackgroundMusic::CdClose() {
    lastResult_ = sendNoReply("stop cdaudio");
    lastResult_ = sendNoReply("close cdaudio");
}

void BackgroundMusic::Mp3Start() {
    const std::string open = "open \"" + settings_.BgmFile + "\" type MPEGVideo Alias MP3Play";
    if (sendNoReply(open) == 0) sendNoReply("play MP3Play");
}

bool BackgroundMusic::Mp3IsPlaying() {
    media_.sendString("status MP3Play mode", mp3ModeReply_.data(),
                      static_cast<uint32_t>(mp3ModeReply_.size()));
    return firstSeven(mp3ModeReply_) == "playing";
}

void BackgroundMusic::Mp3Watch() {
    if (Mp3IsPlaying()) return;
    // After the end the mode keeps reading "stopped" unless a stop comes first.
    sendNoReply("stop MP3Play");
    sendNoReply("play MP3Play from 0");
}

void BackgroundMusic::Mp3Close() {
    sendNoReply("stop MP3Play");
    sendNoReply("close MP3Play");
}

void BackgroundMusic::WavStart() {
    if (media_.waveOutDeviceCount() <= 0) return;
    // Asynchronous (1) and looping (8); no file-name flag, so the text is
    // first looked up as a sound event and then played as a file.
    lastResult_ = media_.playSound(settings_.BgmFile.c_str(), 9);
}

void BackgroundMusic::WavStop() {
    lastResult_ = media_.playSound(nullptr, 0);
}

}  // namespace orvelle

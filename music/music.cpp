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
std::optional<int32_t> trackNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    int32_t value = 0;
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

MusicSource musicSourceOf(const MusicSettings& settings) {
    if (settings.kindIs(MusicKind::Cd)) return MusicSource::Cd;
    if (!settings.kindIs(MusicKind::File)) return MusicSource::None;
    const std::string& path = settings.bgmFile;
    const std::string ending = upper(path.size() >= 3 ? path.substr(path.size() - 3) : path);
    if (ending == "WAV") return MusicSource::Wav;
    if (ending == "MP3") return MusicSource::Mp3;
    return MusicSource::None;
}

int32_t BackgroundMusic::mciSend(const std::string& command, std::string& reply) {
    if (command.empty()) {
        reply = kNoCommandText;
        return -1;
    }
    const int32_t code = media_.sendString(command, generalReply_.data(),
                                           static_cast<uint32_t>(generalReply_.size()));
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

std::string BackgroundMusic::mciQuery(const std::string& command) {
    const int32_t code = mciSend(command, mciReply);
    if (code != 0) return "Error:" + std::to_string(code);
    return mciReply;
}

int32_t BackgroundMusic::mciPlay(const std::string& device, const std::string& from,
                                 const std::string& to) {
    std::string command = "play " + device;
    if (!from.empty()) command += " from " + from;
    if (!to.empty()) command += " to " + to;
    return mciSend(command, mciReply);
}

void BackgroundMusic::cdOpen() {
    sendNoReply("open cdaudio");
    sendNoReply("set cdaudio time format tmsf");
}

void BackgroundMusic::cdWatch() {
    cdWatchAlive = kTrue;
    const std::string current = mciQuery("status cdaudio current track");
    if (upper(current).find("ERR") != std::string::npos) {
        cdWatchAlive = kFalse;
        return;
    }
    // The count is not used: the query only proves that a disc is there.
    const std::string count = mciQuery("status cdaudio number of tracks");
    if (upper(count).find("ERR") != std::string::npos) {
        cdWatchAlive = kFalse;
        return;
    }
    media_.sendString("status cdaudio mode", cdModeReply_.data(),
                      static_cast<uint32_t>(cdModeReply_.size() - 1));
    const bool stopped = firstSeven(cdModeReply_) == "stopped";

    if (settings_.bgmRepeat == 0) {
        if (stopped) mciPlay("cdaudio", "", "");
        return;
    }
    const auto track = trackNumber(current);
    if (!track) {
        // Not a number: the comparison fails, and so does the watch.
        cdWatchAlive = kFalse;
        return;
    }
    if (stopped || *track != settings_.bgmRepeat) {
        const std::string start =
            mciQuery("status cdaudio position track " + std::to_string(settings_.bgmRepeat));
        mciPlay("cdaudio", start, "");
    }
}

void BackgroundMusic::cdClose() {
    sendNoReply("stop cdaudio");
    sendNoReply("close cdaudio");
}

void BackgroundMusic::mp3Start() {
    const std::string open = "open \"" + settings_.bgmFile + "\" type MPEGVideo Alias MP3Play";
    if (sendNoReply(open) == 0) sendNoReply("play MP3Play");
}

bool BackgroundMusic::mp3IsPlaying() {
    media_.sendString("status MP3Play mode", mp3ModeReply_.data(),
                      static_cast<uint32_t>(mp3ModeReply_.size()));
    return firstSeven(mp3ModeReply_) == "playing";
}

void BackgroundMusic::mp3Watch() {
    if (mp3IsPlaying()) return;
    // After the end the mode keeps reading "stopped" unless a stop comes first.
    sendNoReply("stop MP3Play");
    sendNoReply("play MP3Play from 0");
}

void BackgroundMusic::mp3Close() {
    sendNoReply("stop MP3Play");
    sendNoReply("close MP3Play");
}

void BackgroundMusic::wavStart() {
    if (media_.waveOutDeviceCount() <= 0) return;
    // Asynchronous and looping; no file-name flag, so the text is first
    // looked up as a sound event and then played as a file.
    media_.playSound(settings_.bgmFile.c_str(), kSoundAsync | kSoundLoop);
}

void BackgroundMusic::wavStop() {
    media_.playSound(nullptr, 0);
}

}  // namespace orvelle

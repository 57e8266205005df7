#include "tests/support/simulated_media.h"

#include <cstdio>
#include <cstring>

namespace orvelle::testing {
namespace {

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::vector<std::string> SimulatedMedia::commands() const {
    std::vector<std::string> out;
    for (const auto& s : sent) out.push_back(s.command);
    return out;
}

void SimulatedMedia::advance(double seconds) {
    if (cdPlaying) {
        cdPosition += seconds;
        if (cdPosition >= trackCount * trackSeconds) {
            // At the end of the disc the drive stops and goes back to the start.
            cdPlaying = false;
            cdPosition = 0.0;
        }
    }
    if (filePlaying) {
        filePosition += seconds;
        if (filePosition >= fileSeconds) {
            filePlaying = false;
            filePosition = fileSeconds;
        }
    }
}

int32_t SimulatedMedia::sendString(const std::string& command, char* reply, uint32_t capacity) {
    sent.push_back({command, capacity});
    std::string answer;
    int32_t code = kUnknownCommand;
    const size_t space = command.find(' ');
    const std::string verb = command.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : command.substr(space + 1);
    if (rest == "cdaudio" || startsWith(rest, "cdaudio ")) {
        code = cd(verb + (rest.size() > 7 ? rest.substr(7) : ""), answer);
    } else if (startsWith(rest, "\"") || rest == "MP3Play" || startsWith(rest, "MP3Play ")) {
        code = file(verb, rest, answer);
    }
    if (code == 0 && reply != nullptr && capacity > 0) {
        const size_t n = std::min<size_t>(answer.size(), capacity - 1);
        std::memcpy(reply, answer.data(), n);
        reply[n] = '\0';
    }
    return code;
}

int32_t SimulatedMedia::cd(const std::string& request, std::string& answer) {
    if (request == "open") {
        if (!drivePresent) return kNoDrive;
        cdOpen = true;
        return 0;
    }
    if (!cdOpen) return drivePresent ? kNotOpen : kNoDrive;
    if (request == "close") {
        cdOpen = cdPlaying = false;
        return 0;
    }
    if (request == "set time format tmsf") return 0;
    if (request == "stop") {
        cdPlaying = false;
        return 0;
    }
    if (!discPresent) return kNoDisc;
    if (request == "status current track") {
        answer = std::to_string(currentTrack());
        return 0;
    }
    if (request == "status number of tracks") {
        answer = std::to_string(trackCount);
        return 0;
    }
    if (request == "status mode") {
        answer = cdPlaying ? "playing" : "stopped";
        return 0;
    }
    if (startsWith(request, "status position track ")) {
        const int track = std::atoi(request.c_str() + 22);
        if (track < 1 || track > trackCount) return kBadPosition;
        char position[32];
        std::snprintf(position, sizeof position, "%02d:00:00:00", track);
        answer = position;
        return 0;
    }
    if (request == "play") {
        cdPlaying = true;
        return 0;
    }
    if (startsWith(request, "play from ")) {
        int track = 0, minutes = 0, seconds = 0, frames = 0;
        if (std::sscanf(request.c_str() + 10, "%d:%d:%d:%d", &track, &minutes, &seconds, &frames) !=
                4 ||
            track < 1 || track > trackCount) {
            return kBadPosition;
        }
        cdPosition = (track - 1) * trackSeconds + minutes * 60 + seconds;
        cdPlaying = true;
        return 0;
    }
    return kUnknownCommand;
}

int32_t SimulatedMedia::file(const std::string& verb, const std::string& rest,
                             std::string& answer) {
    if (verb == "open") {
        const size_t close = rest.find('"', 1);
        if (close == std::string::npos ||
            rest.substr(close + 1) != " type MPEGVideo Alias MP3Play") {
            return kUnknownCommand;
        }
        const std::string path = rest.substr(1, close - 1);
        if (files.count(path) == 0) return kNoFile;
        fileOpen = true;
        openFile = path;
        filePosition = 0.0;
        return 0;
    }
    if (!fileOpen) return kNotOpen;
    if (verb == "close" && rest == "MP3Play") {
        fileOpen = filePlaying = false;
        return 0;
    }
    if (verb == "stop" && rest == "MP3Play") {
        filePlaying = false;
        return 0;
    }
    if (verb == "play" && rest == "MP3Play") {
        if (filePosition >= fileSeconds) return 0;  // at the end: nothing to play
        filePlaying = true;
        return 0;
    }
    if (verb == "play" && rest == "MP3Play from 0") {
        filePosition = 0.0;
        filePlaying = true;
        return 0;
    }
    if (verb == "status" && rest == "MP3Play mode") {
        answer = filePlaying ? "playing" : "stopped";
        return 0;
    }
    return kUnknownCommand;
}

bool SimulatedMedia::errorString(int32_t code, char* text, uint32_t capacity) {
    if (code == kNoErrorText || capacity == 0) return false;
    std::snprintf(text, capacity, "simulated error %d", code);
    return true;
}

int32_t SimulatedMedia::playSound(const char* sound, uint32_t flags) {
    sounds.push_back({sound != nullptr ? sound : "<none>", flags});
    return 1;
}

}  // namespace orvelle::testing

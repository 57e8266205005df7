// The music settings in memory, shared by the front end's windows: filled
// from the settings file at every start, edited by the settings dialog, read
// by the saver run and the music routines. All 0 or empty at start. Texts are
// in the system's ANSI code page, as the settings file holds them.
#pragma once

#include <cstdint>
#include <string>

namespace orvelle {

struct MusicSettings {
    // 0 none, 1 audio CD, 2 an MP3 or WAV file; other values play nothing.
    int16_t bgmKind = 0;
    // The CD track played over and over; 0 plays the whole disc.
    int16_t bgmRepeat = 0;
    // Full path of an existing music file, or empty.
    std::string bgmFile;
    // Folder in which the settings dialog's file chooser opens.
    std::string bgmFolder;
};

}  // namespace orvelle

// The music settings in memory, shared by the front end's forms: filled from
// the settings file at every start, edited by the settings dialog, read by
// the saver run and the music routines. All 0 or empty at start.
#pragma once

#include <cstdint>
#include <string>

namespace orvelle {

struct MusicSettings {
    // 0 none, 1 audio CD, 2 an MP3 or WAV file; other values play nothing.
    int16_t BgmKind = 0;
    // The CD track played over and over; 0 plays the whole disc.
    int16_t BgmRepeat = 0;
    // Full path of an existing music file (system code page), or empty.
    std::string BgmFile;
    // Folder in which the settings dialog's file chooser opens.
    std::string BgmFolder;
};

}  // namespace orvelle

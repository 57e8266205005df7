// The music settings in memory, shared by the front end's windows: filled
// from the settings file at every start, edited by the settings dialog, read
// by the saver run and the music routines. All 0 or empty at start. Texts are
// in the system's ANSI code page, as the settings file holds them.
#pragma once

#include <cstdint>
#include <string>

namespace orvelle {

// The music kinds, as the settings file stores them ("BGM区分"). A file
// edited by hand may hold any other number, which plays nothing and is
// kept as it is.
enum class MusicKind : int16_t { None = 0, Cd = 1, File = 2 };

struct MusicSettings {
    // A MusicKind, or another stored value (which plays nothing).
    int16_t bgmKind = 0;
    // The CD track played over and over; 0 plays the whole disc.
    int16_t bgmRepeat = 0;
    // Full path of an existing music file, or empty.
    std::string bgmFile;
    // Folder in which the settings dialog's file chooser opens.
    std::string bgmFolder;

    bool kindIs(MusicKind kind) const { return bgmKind == static_cast<int16_t>(kind); }
    void setKind(MusicKind kind) { bgmKind = static_cast<int16_t>(kind); }
};

}  // namespace orvelle

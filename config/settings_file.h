// The settings file's routines: read and write one value, load the music
// settings at start-up, and the two path helpers. The platform's
// private-profile functions and file access come in through two small
// interfaces, so the rules are the same natively and on Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/music_settings.h"
#include "config/number_text.h"
#include "platform/ansi_text.h"

namespace orvelle {

// The bytes of one value that the settings routines read, with its NUL.
inline constexpr uint32_t kSettingBuffer = 256;

// GetPrivateProfileStringA and WritePrivateProfileStringA.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // At most bufferSize - 1 bytes of the stored value, or the default.
    virtual std::string getString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue, uint32_t bufferSize,
                                  const std::string& file) = 0;
    // Non-zero for success.
    virtual int32_t writeString(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file) = 0;
};

// Files as the system's ANSI code page names them.
class FileProbe {
public:
    virtual ~FileProbe() = default;
    virtual bool canOpenForReading(const std::string& path) = 0;
    // The folder of the front end's program file: no trailing backslash
    // except at the root of a drive.
    virtual std::string programFolder() = 0;
    virtual LeadBytes leadBytes() = 0;
};

// The value under key in section of file, or the empty text; at most
// bufferSize - 1 bytes (255 with the routine's own buffer).
std::string readSetting(ProfileStore& store, const std::string& section, const std::string& key,
                        const std::string& file, uint32_t bufferSize = kSettingBuffer);

// Stores value under key; the platform's result goes to lastResult.
void writeSetting(ProfileStore& store, int32_t& lastResult, const std::string& section,
                  const std::string& key, const std::string& value, const std::string& file);

// Fills the four music settings from the settings file.
void loadSettings(ProfileStore& store, FileProbe& files, MusicSettings& music);

// Whether path names a file that can be opened for reading (one trailing
// backslash is ignored; a folder is not a file).
bool fileExists(FileProbe& files, std::string path);

// The folder part of a path: up to the last ":" or "\", without a trailing
// "\" (C:\Music\song.mp3 gives C:\Music, D:\song.mp3 gives D:).
std::string folderOf(std::string_view path, const LeadBytes& lead);

// A stored whole number: blanks around it allowed, a decimal number (with
// fraction or exponent) rounded down; nothing when the text is not a number
// or the result does not fit 16 bits.
std::optional<int16_t> parseSettingNumber(std::string_view text);

}  // namespace orvelle

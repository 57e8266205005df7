#include "config/settings_file.h"

#include <algorithm>
#include <cmath>

#include "config/settings_keys.h"

namespace orvelle {

std::string readSetting(ProfileStore& store, const std::string& section, const std::string& key,
                        const std::string& file, uint32_t bufferSize) {
    // The platform gives at most bufferSize - 1 bytes; the value ends at its first NUL.
    std::string value = store.getString(section, key, "", bufferSize, file);
    value.resize(std::min(value.find('\0'), value.size()));
    return value;
}

namespace {

// The music file's path, whole: a path that fills the routine's buffer may
// have been cut there (a file written by hand or by an older version), and a
// cut path names no file, which would turn the music off without a word.
std::string readWholePath(ProfileStore& store, const std::string& section, const std::string& key,
                          const std::string& file) {
    uint32_t size = kSettingBuffer;
    std::string path = readSetting(store, section, key, file, size);
    while (path.size() == size - 1 && size < 32768) {
        size *= 4;
        path = readSetting(store, section, key, file, size);
    }
    return path;
}

}  // namespace

void writeSetting(ProfileStore& store, int32_t& lastResult, const std::string& section,
                  const std::string& key, const std::string& value, const std::string& file) {
    lastResult = store.writeString(section, key, value, file);
}

std::optional<int16_t> parseSettingNumber(std::string_view text) {
    const auto number = parseDecimal(text);
    if (!number) return std::nullopt;
    const double value = std::floor(*number);
    if (!(value >= -32768.0 && value <= 32767.0)) return std::nullopt;
    return static_cast<int16_t>(value);
}

bool fileExists(FileProbe& files, std::string path) {
    // A last byte of 0x5C may be the second half of a character, not a "\".
    if (!path.empty() && lastCharacterOf(path, "\\", files.leadBytes()) == path.size() - 1) {
        path.pop_back();
    }
    if (path.empty()) return false;
    return files.canOpenForReading(path);
}

std::string folderOf(std::string_view path, const LeadBytes& lead) {
    const size_t last = lastCharacterOf(path, ":\\", lead);
    if (last == std::string_view::npos) return {};
    std::string folder(path.substr(0, last + 1));
    if (folder.back() == '\\') folder.pop_back();
    return folder;
}

void loadSettings(ProfileStore& store, FileProbe& files, MusicSettings& music) {
    const std::string section = settings::kSection;
    const std::string file = settings::kPath;

    // Empty text gives 0; text that is no 16-bit number leaves the value as it is.
    auto loadNumber = [&](const char* key, int16_t& target) {
        const std::string text = readSetting(store, section, key, file);
        if (text.empty()) {
            target = 0;
        } else if (auto number = parseSettingNumber(text)) {
            target = *number;
        }
    };
    loadNumber(settings::kBgmKind, music.bgmKind);
    loadNumber(settings::kBgmRepeat, music.bgmRepeat);

    const std::string path = readWholePath(store, section, settings::kBgmFile, file);
    if (path.empty() || !fileExists(files, path)) {
        // A file gone since it was chosen plays nothing this run; the stored
        // value is left as it is.
        music.bgmFile.clear();
        if (music.kindIs(MusicKind::File)) music.setKind(MusicKind::None);
    } else {
        music.bgmFile = path;
    }

    music.bgmFolder =
        music.bgmFile.empty() ? files.programFolder() : folderOf(music.bgmFile, files.leadBytes());
}

}  // namespace orvelle

#include "frontend/settings_file.h"

#include <cmath>
#include <cstdlib>

#include "platform/settings_keys.h"

namespace orvelle {

std::string readSetting(ProfileStore& store, const std::string& section, const std::string& key,
                        const std::string& file) {
    std::string value = store.getString(section, key, "", 256, file);
    const size_t nul = value.find('\0');
    if (nul != std::string::npos) value.resize(nul);
    if (value.size() > 255) value.resize(255);
    return value;
}

void writeSetting(ProfileStore& store, int32_t& lastResult, const std::string& section,
                  const std::string& key, const std::string& value, const std::string& file) {
    lastResult = store.writeString(section, key, value, file);
}

std::optional<int16_t> parseSettingNumber(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    // The whole text must be one decimal number.
    size_t i = 0;
    if (text[i] == '+' || text[i] == '-') ++i;
    size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        size_t exponentDigits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++exponentDigits;
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    const double value = std::floor(std::strtod(std::string(text).c_str(), nullptr));
    if (!(value >= -32768.0 && value <= 32767.0)) return std::nullopt;
    return static_cast<int16_t>(value);
}

std::string formatSettingNumber(int32_t value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
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

    const std::string path = readSetting(store, section, settings::kBgmFile, file);
    if (path.empty() || !fileExists(files, path)) {
        // A file gone since it was chosen plays nothing this run; the stored
        // value is left as it is.
        music.bgmFile.clear();
        if (music.bgmKind == 2) music.bgmKind = 0;
    } else {
        music.bgmFile = path;
    }

    music.bgmFolder =
        music.bgmFile.empty() ? files.programFolder() : folderOf(music.bgmFile, files.leadBytes());
}

}  // namespace orvelle

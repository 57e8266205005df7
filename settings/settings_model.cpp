#include "settings/settings_model.h"

#include <cmath>

#include "config/settings_keys.h"

namespace orvelle {

ControlStates controlStatesFor(int16_t kind) {
    switch (static_cast<MusicKind>(kind)) {
        case MusicKind::None:
            return {MusicKind::None, false, false};
        case MusicKind::Cd:
            return {MusicKind::Cd, true, false};
        case MusicKind::File:
            return {MusicKind::File, false, true};
    }
    return {std::nullopt, false, false};
}

std::string formatRepeat(int16_t value) {
    return value == 0 ? std::string() : std::to_string(value);
}

std::vector<std::string> repeatItems() {
    std::vector<std::string> items;
    for (int16_t i = 0; i <= 30; ++i) items.push_back(formatRepeat(i));
    return items;
}

namespace {

// Full-width ASCII (U+FF01 to U+FF5E, as an input method types it) to ASCII.
std::string narrowFullWidth(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        if (b0 == 0xEF && i + 2 < text.size()) {
            const unsigned code = ((b0 & 0x0Fu) << 12) |
                                  ((static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6) |
                                  (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
            if (code >= 0xFF01 && code <= 0xFF5E) {
                out += static_cast<char>(code - 0xFF01 + 0x21);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

}  // namespace

int16_t repeatFromText(std::string_view text) {
    const auto number = parseDecimal(narrowFullWidth(text));
    if (!number) return 0;
    const double rounded = std::nearbyint(*number);  // a half to the even neighbour
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) return 0;
    return static_cast<int16_t>(rounded);
}

BannerStep advanceBanner(int16_t& bannerTick) {
    bannerTick = static_cast<int16_t>(bannerTick + 1);
    if (bannerTick >= 1 && bannerTick <= kBannerFrames) return {0, bannerTick};
    if (bannerTick > kBannerFrames && bannerTick <= 2 * kBannerFrames)
        return {1, bannerTick - kBannerFrames};
    if (bannerTick == 2 * kBannerFrames + 1) bannerTick = 0;
    return {-1, 0};
}

std::optional<std::string> storablePath(const std::u16string& path, PathEncoding& encoding) {
    auto fits = [](const std::optional<std::string>& ansi) {
        return ansi && ansi->size() <= kMaxStoredPath;
    };
    if (auto ansi = encoding.toAnsi(path); fits(ansi)) return ansi;
    if (auto shortPath = encoding.shortForm(path)) {
        if (auto ansi = encoding.toAnsi(*shortPath); fits(ansi)) return ansi;
    }
    return std::nullopt;
}

ControlStates SettingsModel::chooseKind(MusicKind kind) {
    music_.setKind(kind);
    return states();
}

bool SettingsModel::fileChosen(const std::u16string& path, PathEncoding& encoding) {
    const auto stored = storablePath(path, encoding);
    if (!stored) return false;
    music_.bgmFile = *stored;
    music_.bgmFolder = folderOf(music_.bgmFile, lead_);
    return true;
}

void SettingsModel::save(ProfileStore& store, std::string_view repeatText, int32_t& lastResult) {
    const std::string section = settings::kSection, file = settings::kPath;
    writeSetting(store, lastResult, section, settings::kBgmKind,
                 formatSettingNumber(music_.bgmKind), file);
    music_.bgmRepeat = repeatFromText(repeatText);
    writeSetting(store, lastResult, section, settings::kBgmRepeat,
                 formatSettingNumber(music_.bgmRepeat), file);
    writeSetting(store, lastResult, section, settings::kBgmFile, music_.bgmFile, file);
}

}  // namespace orvelle

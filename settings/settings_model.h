// The settings dialog's model: the music choice and the control states that
// follow it, the repeat box's texts, saving, the choice of a file and how
// its path is stored, and the banner animation. The window only binds it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/music_settings.h"
#include "config/settings_file.h"

namespace orvelle {

// The dialog's fixed texts (UTF-8).
inline constexpr const char* kHomePage = "https://www.orvelle.jp/";
inline constexpr const char* kFileFilterName = "BGMﾌｧｲﾙ (MP3 WAV)";
inline constexpr const char* kFileFilterPattern = "*.MP3;*.WAV";
inline constexpr const char* kFileChooserTitle = "ﾌｧｲﾙを開く";
inline constexpr const char* kUnusableFileMessage =
    "このファイルのパスは、このシステムの文字コードでは表せないか、長すぎるため使用できません。"
    "ファイル名を変えるか、短いパスの場所に移してから選び直してください。";

// What the controls show for a music kind.
struct ControlStates {
    std::optional<MusicKind> chosen;  // the marked option; none for another stored kind
    bool repeatEnabled;
    bool fileEnabled;
    bool operator==(const ControlStates&) const = default;
};
ControlStates controlStatesFor(int16_t kind);

// The "##" format: the number's digits, the empty text for 0.
std::string formatRepeat(int16_t value);
// The 31 items of the repeat list: "" and then 1 to 30.
std::vector<std::string> repeatItems();
// A typed repeat text as saved: a number rounded to the nearest whole one (a
// half to the even neighbour), anything else 0. Full-width digits count.
// A number outside the 16-bit range saves 0 as well: the whole disc plays,
// rather than a track that no disc has.
int16_t repeatFromText(std::string_view text);

// The banner animation's frames, stored with the program.
inline constexpr int kBannerFrames = 24;

// One tick of the banner timer: which banner shows which frame. The left
// banner takes ticks 1 to kBannerFrames, the right one the next as many,
// and the tick after them shows nothing and starts the round again.
struct BannerStep {
    int banner;  // 0 left, 1 right, -1 none this tick
    int frame;   // 1 to kBannerFrames
};
BannerStep advanceBanner(int16_t& bannerTick);

// How the chooser's path (UTF-16) can be kept in the settings file, which
// holds the system's ANSI code page.
class PathEncoding {
public:
    virtual ~PathEncoding() = default;
    // The path in the ANSI code page; nothing when a character has no place there.
    virtual std::optional<std::string> toAnsi(const std::u16string& path) = 0;
    // The volume's short (8.3) form of the path; nothing when it has none.
    virtual std::optional<std::u16string> shortForm(const std::u16string& path) = 0;
};

// The bytes of a path the settings file reads back whole.
inline constexpr size_t kMaxStoredPath = kSettingBuffer - 1;

// The path as the settings file can hold it: as it is, or else its short
// form; nothing when neither has a place in the code page within
// kMaxStoredPath bytes (a Japanese character takes two).
std::optional<std::string> storablePath(const std::u16string& path, PathEncoding& encoding);

class SettingsModel {
public:
    SettingsModel(MusicSettings& music, const LeadBytes& lead) : music_(music), lead_(lead) {}

    ControlStates states() const { return controlStatesFor(music_.bgmKind); }
    // An option chosen (by the mouse, a key or a screen reader).
    ControlStates chooseKind(MusicKind kind);
    // The user chose a file in the chooser: false when its path cannot be
    // kept, and then nothing changes.
    bool fileChosen(const std::u16string& path, PathEncoding& encoding);
    // Writes the three keys, whatever the kind, with the repeat box's text;
    // each write's result goes to lastResult.
    void save(ProfileStore& store, std::string_view repeatText, int32_t& lastResult);

    const MusicSettings& music() const { return music_; }

private:
    MusicSettings& music_;
    LeadBytes lead_;
};

}  // namespace orvelle

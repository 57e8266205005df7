// The settings file shared by the two programs: one fixed path, one section,
// and its keys. Key names are the Shift-JIS (code page 932) bytes that the
// product writes on the Japanese systems it is made for, whatever the code
// page of the machine it runs on.
#pragma once

namespace orvelle::settings {

inline constexpr const char* kFolder = "C:\\pellan_temp";
inline constexpr const char* kPath = "C:\\pellan_temp\\Orvelle.ini";
inline constexpr const char* kSection = "Section";

inline constexpr const char* kWidth = "Width";
inline constexpr const char* kHeight = "Height";
// "BGM区分": the music kind.
inline constexpr const char* kBgmKind = "BGM\x8B\xE6\x95\xAA";
// "BGMﾘﾋﾟｰﾄ" (half-width katakana): the CD track to repeat.
inline constexpr const char* kBgmRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";
// "BGMﾌｧｲﾙ" (half-width katakana): the music file.
inline constexpr const char* kBgmFile = "BGM\xCC\xA7\xB2\xD9";

// The renderer's screen size when the file gives none.
inline constexpr int kDefaultWidth = 1024;
inline constexpr int kDefaultHeight = 768;

// A stored size below 1 (missing, 0, garbage, or negative) means the default:
// a negative size would give a negative window and a huge unsigned view.
constexpr int usableDimension(int stored, int byDefault) {
    return stored < 1 ? byDefault : stored;
}

}  // namespace orvelle::settings

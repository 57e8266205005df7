// The settings dialog's places, as one table: every control's box at 96 DPI
// (left, top, width, height), its identifier and its text. Controls on the
// frame are placed relative to the frame. The window scales the boxes by
// the display's DPI.
#pragma once

#include <array>

#include "config/music_settings.h"
#include "platform/version.h"

namespace orvelle::dialog {

struct Box {
    int x, y, w, h;
};

// Control identifiers (none is IDOK or IDCANCEL, which the dialog keys send).
enum : int {
    kFrameId = 1000,
    kSetId,
    kCancelId,
    kFileId,
    kRepeatId,
    kFileLabelId,
    kRepeatLabelId,
    kCreditId,
    kOptionId = 1010,  // + the option's music kind
    kBannerId = 1020,  // + 0 left, 1 right
};

inline constexpr Box kClient{0, 0, 522, 265};
inline constexpr Box kFrame{12, 12, 501, 173};
inline constexpr Box kSet{144, 192, 113, 33};
inline constexpr Box kCancel{260, 192, 113, 33};
inline constexpr std::array<Box, 2> kBanners = {{{12, 192, 123, 52}, {384, 192, 123, 52}}};
inline constexpr Box kCredit{172, 232, 165, 13};
// On the frame:
inline constexpr Box kFile{24, 112, 45, 25};
inline constexpr Box kRepeat{96, 48, 41, 20};
inline constexpr Box kRepeatLabel{140, 52, 66, 13};
inline constexpr Box kFileLabel{72, 112, 397, 33};
inline constexpr Box kTitleOutline{20, 16, 113, 21};
inline constexpr Box kTitle{20, 20, 111, 13};
// The drop-down list's height below the repeat box.
inline constexpr int kRepeatListHeight = 200;

// The options from top to bottom: audio CD, none, file. Each label has an
// access key (the buttons have none, so nothing clashes); marks are 13 x 13.
struct OptionPlace {
    MusicKind kind;
    Box mark;
    Box label;
    const char* text;
};
inline constexpr std::array<OptionPlace, 3> kOptions = {{
    {MusicKind::Cd, {28, 52, 13, 13}, {44, 52, 43, 13}, "音楽&CD"},
    {MusicKind::None, {28, 72, 13, 13}, {44, 72, 22, 13}, "なし(&N)"},
    {MusicKind::File, {28, 92, 13, 13}, {44, 92, 60, 13}, "&MP3、WAV"},
}};

// A label's box may grow to the right, to fit its text in the face the
// platform gives, as far as this (relative to the frame): the frame's
// inner edge.
inline constexpr int kFrameTextLimit = 489;

// The face and size of the labels, the options and the buttons.
inline constexpr const char* kFontFace = "ＭＳ Ｐゴシック";
inline constexpr float kFontPoints = 9.75f;

inline constexpr const char* kTitleText = "BGM";
inline constexpr const char* kRepeatText = "曲目をﾘﾋﾟｰﾄ";
inline constexpr const char* kSetText = "設定";
inline constexpr const char* kCancelText = "ｷｬﾝｾﾙ";
inline constexpr const char* kFileButtonText = "...";
inline constexpr const char* kBannerName = "Orvelle のホームページ";
// The credit line under the buttons: the product, its version and the year.
inline constexpr const char* kCreditText = "Orvelle Ver " ORVELLE_VERSION " (C) " ORVELLE_YEAR;

}  // namespace orvelle::dialog

// The settings dialog's logic: its model (what a user could hit), what an
// option's input does, where the focus goes when controls are disabled or
// the dialog comes back, and where its window opens.
#include <gtest/gtest.h>

#include <tuple>

#include "config/settings_keys.h"
#include "settings/dialog_behaviour.h"
#include "settings/dialog_placement.h"
#include "settings/settings_model.h"
#include "tests/support/fakes.h"

namespace orvelle {
namespace {

TEST(SettingsModel, TheRepeatBoxLoadsAndSavesItsNumber) {
    EXPECT_EQ(formatRepeat(0) + "," + formatRepeat(12), ",12");
    const auto items = repeatItems();  // the empty first item, then 1 to 30
    ASSERT_EQ(items.size(), 31u);
    EXPECT_EQ(items.front() + "," + items[12] + "," + items.back(), ",12,30");
    const std::pair<const char*, int16_t> typed[] = {
        {"", 0},     {"abc", 0},   {"7.5", 8},   {"6.5", 6},   {" 12 ", 12}, {"-2.5", -2},
        {"1e1", 10}, {"１２", 12}, {"40000", 0}, {"12abc", 0}, {"3.", 3},
    };
    for (const auto& [text, saved] : typed) EXPECT_EQ(repeatFromText(text), saved) << text;
}

TEST(SettingsModel, TheBannerCounterTakesTurns) {
    // (banner, frame) at ticks 1, 24, 25, 48, 49 (nothing) and 50 (round again).
    int16_t tick = 0;
    std::vector<std::pair<int, int>> steps;
    for (int i = 0; i < 50; ++i) {
        const BannerStep s = advanceBanner(tick);
        steps.emplace_back(s.banner, s.frame);
    }
    const std::vector<std::pair<int, int>> want = {{0, 1},  {0, 24}, {1, 1},
                                                   {1, 24}, {-1, 0}, {0, 1}};
    EXPECT_EQ((std::vector{steps[0], steps[23], steps[24], steps[47], steps[48], steps[49]}), want);
}

// Shift-JIS as far as these paths need it: ASCII in one byte, any other
// character in two, as it holds Japanese, and no place for "é".
class ShiftJisPaths final : public PathEncoding {
public:
    std::optional<std::u16string> shortPath;
    std::optional<std::string> toAnsi(const std::u16string& path) override {
        std::string out;
        for (char16_t c : path) {
            if (c == u'\u00e9') return std::nullopt;
            out += c < 0x80 ? std::string(1, char(c)) : std::string("\x82\xA0");
        }
        return out;
    }
    std::optional<std::u16string> shortForm(const std::u16string&) override { return shortPath; }
};

class Dialog : public ::testing::Test {
protected:
    MusicSettings music;
    int32_t lastResult = 0;
    SettingsModel model{music, testing::shiftJisLeadBytes()};
    testing::FakeSettings store;
    ShiftJisPaths encoding;
    const std::string kind = settings::kBgmKind, repeat = settings::kBgmRepeat,
                      file = settings::kBgmFile;
};

// A kind from a hand-edited file (no option marked, both disabled) is saved
// back; kind 2 is saved without a file; switching kinds keeps the file.
TEST_F(Dialog, SwitchingKindsKeepsTheFileAndSavingWritesAllThreeKeys) {
    music.bgmKind = 5;
    EXPECT_EQ(controlStatesFor(5), (ControlStates{std::nullopt, false, false}));
    store.writeResult = 0;  // a failed write: only its result is kept
    lastResult = 7;
    model.save(store, "", lastResult);
    EXPECT_EQ(lastResult, 0);
    store.writeResult = 1;
    model.chooseKind(MusicKind::File);
    model.save(store, "", lastResult);
    ASSERT_TRUE(model.fileChosen(u"C:\\Music\\a.mp3", encoding));
    EXPECT_EQ(music.bgmFolder, "C:\\Music");
    EXPECT_EQ(model.chooseKind(MusicKind::Cd), (ControlStates{MusicKind::Cd, true, false}));
    EXPECT_EQ(model.chooseKind(MusicKind::File).fileEnabled, true);
    EXPECT_EQ(model.chooseKind(MusicKind::None), (ControlStates{MusicKind::None, false, false}));
    model.save(store, "7.5", lastResult);
    EXPECT_EQ(testing::joined(store.writes),
              kind + "= 5, " + repeat + "= 0, " + file + "=, " + kind + "= 2, " + repeat + "= 0, " +
                  file + "=, " + kind + "= 0, " + repeat + "= 8, " + file + "=C:\\Music\\a.mp3");
    EXPECT_EQ(lastResult, 1);
}

TEST_F(Dialog, APathTheFileCannotHoldIsKeptShortOrNotAtAll) {
    // A character the code page lacks; 200 Japanese characters, which the
    // chooser allows, in 400 bytes, where the settings file reads back 255.
    const std::tuple<std::u16string, std::u16string, std::string> cases[] = {
        {u"C:\\Music\\caf\u00e9.mp3", u"C:\\MUSIC\\CAFE~1.MP3", "C:\\MUSIC"},
        {u"C:\\" + std::u16string(200, u'\u3042') + u".mp3", u"C:\\AAAAAA~1.MP3", "C:"},
    };
    ASSERT_TRUE(model.fileChosen(u"C:\\Music\\a.mp3", encoding));
    for (const auto& [path, shortPath, folder] : cases) {
        const std::string kept(shortPath.begin(), shortPath.end());
        encoding.shortPath = shortPath;
        ASSERT_TRUE(model.fileChosen(path, encoding));
        EXPECT_EQ(music.bgmFile, kept);
        // A volume without short names: the previous choice stays.
        encoding.shortPath.reset();
        EXPECT_FALSE(model.fileChosen(path, encoding));
        EXPECT_EQ(std::tie(music.bgmFile, music.bgmFolder), std::tie(kept, folder));
    }
    // 255 bytes exactly still fit.
    const std::u16string fits = u"C:\\" + std::u16string(123, u'\u3042') + u"\\a.mp3";
    ASSERT_TRUE(model.fileChosen(fits, encoding));
    EXPECT_EQ(music.bgmFile.size(), 255u);
}

using enum DialogControl;
using Kind = MusicKind;

TEST(DialogBehaviour, OptionsFromTopToBottomAreCdNoneFile) {
    const std::tuple<Kind, OptionInput, OptionAction> cases[] = {
        // A press or the access key chooses the option and focuses it; Space
        // and a screen reader choose it where the focus is.
        {Kind::File, OptionInput::Press, {Kind::File, OptionFile}},
        {Kind::None, OptionInput::AccessKey, {Kind::None, OptionNone}},
        {Kind::None, OptionInput::Space, {Kind::None, None}},
        {Kind::Cd, OptionInput::DefaultAction, {Kind::Cd, None}},
        // The arrows go round the group and choose where they land.
        {Kind::Cd, OptionInput::Next, {Kind::None, OptionNone}},
        {Kind::None, OptionInput::Next, {Kind::File, OptionFile}},
        {Kind::File, OptionInput::Next, {Kind::Cd, OptionCd}},
        {Kind::Cd, OptionInput::Previous, {Kind::File, OptionFile}},
        {Kind::File, OptionInput::Previous, {Kind::None, OptionNone}},
    };
    for (const auto& [row, input, action] : cases)
        EXPECT_EQ(optionInput(row, input), action) << int(row) << " " << int(input);
}

TEST(DialogBehaviour, TheFocusNeverStaysOnADisabledControl) {
    const ControlStates cd = controlStatesFor(1), none = controlStatesFor(0),
                        file = controlStatesFor(2), stored5 = controlStatesFor(5);
    const std::tuple<DialogControl, ControlStates, DialogControl> cases[] = {
        // clang-format off
        // The repeat box loses the focus with the CD, the file button with the file.
        {Repeat, file, OptionFile}, {Repeat, none, OptionNone}, {Repeat, cd, Repeat},
        {FileButton, cd, OptionCd}, {FileButton, file, FileButton},
        // Nothing focused, or no option marked: the group's top option.
        {None, none, OptionNone}, {FileButton, stored5, OptionCd}, {Set, stored5, Set},
        {RightBanner, none, RightBanner},
        // clang-format on
    };
    for (const auto& [focused, states, after] : cases)
        EXPECT_EQ(focusAfter(focused, states), after) << int(focused);

    // Away and back: the control that had the focus gets it again, unless
    // it was disabled meanwhile; a second deactivation finds nothing and
    // forgets nothing. The file chooser gives it back to its button.
    FocusKeeper keeper;
    EXPECT_EQ(keeper.activated(cd), OptionCd) << "the first activation";
    keeper.deactivated(Repeat);
    keeper.deactivated(None);
    EXPECT_EQ(keeper.activated(cd), Repeat);
    EXPECT_EQ(keeper.activated(file), OptionFile);
    keeper.chooserClosed();
    EXPECT_EQ(keeper.activated(file), FileButton);
}

TEST(DialogPlacement, CentredAtAThirdOnTheMonitorUnderThePointer) {
    using dialog::Box, dialog::Monitor;
    // The client area, 522 x 265 at 96 DPI, half as large again at 144.
    const std::tuple<int, int, int> lengths[] = {
        {522, 96, 522}, {522, 144, 783}, {265, 144, 398},
        {13, 144, 20},  {265, 120, 331}, {-3, 144, -5},
    };
    for (const auto& [value, dpi, length] : lengths) EXPECT_EQ(dialog::scaled(value, dpi), length);

    const Monitor primary{{0, 0, 1024, 768}, {0, 0, 1024, 738}, true},
        left{{-1280, 0, 1280, 1024}, {-1280, 0, 1280, 1024}},
        above{{0, -768, 1024, 768}, {0, -768, 1024, 768}},
        small{{1024, 0, 640, 480}, {1024, 0, 640, 480}};
    // A frame of 6 x 29 pixels at 96 DPI, 9 x 44 at 144: the window is
    // 528 x 294 or 792 x 442. Left = the work area's left + (its width -
    // the window's) / 2, top = its top + (its height - the window's) / 3.
    const struct {
        const char* name;
        std::vector<Monitor> monitors;
        int x, y, dpi;
        Box place;
    } cases[] = {
        {"the primary alone", {primary}, 500, 300, 96, {248, 148, 528, 294}},
        {"left of the primary", {primary, left}, -100, 500, 96, {-904, 243, 528, 294}},
        {"above the primary", {above, primary}, 10, -10, 96, {248, -610, 528, 294}},
        {"the pointer off every monitor", {left, primary}, 5000, 5000, 96, {248, 148, 528, 294}},
        {"144 DPI, the pointer at the left edge", {left, primary}, 0, 0, 144, {116, 98, 792, 442}},
        {"144 DPI, left", {left, primary}, -1, 0, 144, {-1036, 194, 792, 442}},
        {"too wide at 144 DPI", {primary, small}, 1100, 10, 144, {1024, 12, 792, 442}},
        {"no primary named", {left, above}, 5000, 0, 96, {-904, 243, 528, 294}},
        {"no monitor", {}, 0, 0, 96, {0, 0, 528, 294}},
    };
    for (const auto& [name, monitors, x, y, dpi, place] : cases) {
        const Box got =
            dialog::placeDialog(monitors, x, y, dpi, dpi == 96 ? 6 : 9, dpi == 96 ? 29 : 44);
        EXPECT_EQ(std::tie(got.x, got.y, got.w, got.h),
                  std::tie(place.x, place.y, place.w, place.h))
            << name;
    }
}

}  // namespace
}  // namespace orvelle

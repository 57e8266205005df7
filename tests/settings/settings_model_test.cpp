// The settings dialog's model: what a user could hit.
#include "settings/settings_model.h"

#include <gtest/gtest.h>

#include <tuple>

#include "config/settings_keys.h"
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
    SettingsModel model{music, lastResult, testing::shiftJisLeadBytes()};
    testing::FakeSettings store;
    ShiftJisPaths encoding;
    const std::string kind = settings::kBgmKind, repeat = settings::kBgmRepeat,
                      file = settings::kBgmFile;
};

TEST_F(Dialog, SwitchingKindsKeepsTheFileAndSavingWritesAllThreeKeys) {
    ASSERT_TRUE(model.fileChosen(u"C:\\Music\\a.mp3", encoding));
    EXPECT_EQ(music.bgmFolder, "C:\\Music");
    EXPECT_EQ(model.chooseKind(MusicKind::Cd), (ControlStates{MusicKind::Cd, true, false}));
    EXPECT_EQ(model.chooseKind(MusicKind::File).fileEnabled, true);
    EXPECT_EQ(model.chooseKind(MusicKind::None), (ControlStates{MusicKind::None, false, false}));
    EXPECT_EQ(music.bgmFile, "C:\\Music\\a.mp3");
    model.save(store, "7.5");
    EXPECT_EQ(testing::joined(store.writes),
              kind + "= 0, " + repeat + "= 8, " + file + "=C:\\Music\\a.mp3");
    EXPECT_EQ(lastResult, 1);
}

TEST_F(Dialog, AKindFromAHandEditedFileIsSavedBackAndKindTwoWithoutAFile) {
    music.bgmKind = 5;  // no option marked, both disabled
    EXPECT_EQ(controlStatesFor(5), (ControlStates{std::nullopt, false, false}));
    model.save(store, "");
    model.chooseKind(MusicKind::File);
    model.save(store, "");
    EXPECT_EQ(testing::joined(store.writes), kind + "= 5, " + repeat + "= 0, " + file + "=, " +
                                                 kind + "= 2, " + repeat + "= 0, " + file + "=");
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

}  // namespace
}  // namespace orvelle

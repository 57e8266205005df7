// The settings file: loading the music choice, the number format, Shift-JIS
// paths, and reading and writing single values.
#include "config/settings_file.h"

#include <gtest/gtest.h>

#include <tuple>

#include "config/settings_keys.h"
#include "tests/support/fakes.h"

namespace orvelle {
namespace {

// "C:\Music\ソナタ.mp3" and "C:\表" in Shift-JIS: the second bytes of ソ
// (83 5C) and 表 (95 5C) are "\".
const std::string kSonata = "C:\\Music\\\x83\x5C\x83\x69\x83\x5E.mp3";
const std::string kOmote = "C:\\\x95\x5C";
// A path longer than the 255 bytes a setting is read in.
const std::string kDeepFolder = "C:\\" + std::string(250, 'd');
const std::string kDeep = kDeepFolder + "\\\x83\x5C.mp3";

TEST(LoadSettings, TheStoredChoiceAndWhatIsLeftOfIt) {
    const struct {
        const char *kind, *repeat;
        std::string file;
        bool fileExists;
        int16_t wantKind, wantRepeat;
        std::string wantFile, wantFolder;
    } cases[] = {
        {" 2", " 0", "C:\\Music\\song.mp3", true, 2, 0, "C:\\Music\\song.mp3", "C:\\Music"},
        {" 2", " 3", kSonata, true, 2, 3, kSonata, "C:\\Music"},
        // The music file's path is read whole, however long: a path cut at
        // 255 bytes names no file and would turn the music off.
        {" 2", nullptr, kDeep, true, 2, 0, kDeep, kDeepFolder},
        // A file gone since it was chosen: no music this run, from the own folder.
        {" 2", " 0", "C:\\Music\\gone.mp3", false, 0, 0, "", "C:\\Program Files\\Orvelle"},
        {" 2", nullptr, "", false, 0, 0, "", "C:\\Program Files\\Orvelle"},
        {"1", nullptr, "", false, 1, 0, "", "C:\\Program Files\\Orvelle"},
        {"2.7", "-1.5", "D:\\a.wav", true, 2, -2, "D:\\a.wav", "D:"},
        {"abc", "40000", "", false, 0, 0, "", "C:\\Program Files\\Orvelle"},
        {" 5", "1e1", "song.wav", true, 5, 10, "song.wav", ""},
        {nullptr, nullptr, "", false, 0, 0, "", "C:\\Program Files\\Orvelle"},
    };
    for (const auto& c : cases) {
        testing::FakeSettings fake;
        if (c.kind) fake.values[settings::kBgmKind] = c.kind;
        if (c.repeat) fake.values[settings::kBgmRepeat] = c.repeat;
        if (!c.file.empty()) fake.values[settings::kBgmFile] = c.file;
        if (c.fileExists) fake.files.insert(c.file);
        MusicSettings music;
        loadSettings(fake, fake, music);
        SCOPED_TRACE(std::string(c.kind ? c.kind : "-") + " " + c.file);
        EXPECT_EQ(std::tie(music.bgmKind, music.bgmRepeat, music.bgmFile, music.bgmFolder),
                  std::tie(c.wantKind, c.wantRepeat, c.wantFile, c.wantFolder));
        EXPECT_TRUE(fake.writes.empty()) << "loading writes nothing";
    }
}

TEST(SettingNumbers, ParseAndFormat) {
    const std::pair<const char*, std::optional<int16_t>> cases[] = {
        {" 1", 1},        {"1 ", 1},          {"2.7", 2},    {"-0.5", -1},
        {"32767", 32767}, {"-32768", -32768}, {"32768", {}}, {"abc", {}},
        {"1x", {}},       {"", {}},           {".", {}},     {"1e", {}},
        {"+4", 4},        {"3.", 3},          {" \t7\t", 7}, {"-32768.5", {}},
    };
    for (const auto& [text, want] : cases) EXPECT_EQ(parseSettingNumber(text), want) << text;
    EXPECT_EQ(formatSettingNumber(1024) + formatSettingNumber(0) + formatSettingNumber(-5),
              " 1024 0-5");
}

TEST(Paths, FolderOfAndFileExistsReadShiftJisCharacterByCharacter) {
    const LeadBytes sjis = testing::shiftJisLeadBytes();
    // clang-format off
    const std::pair<std::string, std::string> folders[] = {
        {"C:\\Music\\song.mp3", "C:\\Music"}, {"D:\\song.mp3", "D:"}, {"C:song.mp3", "C:"},
        {"song.mp3", ""}, {"C:\\", "C:"}, {kSonata, "C:\\Music"}, {kOmote + "\\a.mp3", kOmote},
        {"C:\\\x83\x5C", "C:"}, {"C:\\\x9F\x5C", "C:"}, {"C:\\\xFC\x5C", "C:"},
    };
    // clang-format on
    for (const auto& [path, folder] : folders) EXPECT_EQ(folderOf(path, sjis), folder) << path;
    // A single-byte code page reads the same bytes as separate characters.
    EXPECT_EQ(folderOf("C:\\\x83\x5C", LeadBytes::none()), "C:\\\x83");

    testing::FakeSettings fake;
    fake.files = {"C:\\a.mp3", kOmote};
    // One trailing backslash is ignored; 表's last byte is part of it.
    const std::pair<std::string, bool> files[] = {
        {"C:\\a.mp3", true}, {"C:\\a.mp3\\", true}, {"C:\\a.mp3\\\\", false},
        {kOmote, true},      {"", false},           {"\\", false}};
    for (const auto& [path, exists] : files) EXPECT_EQ(fileExists(fake, path), exists) << path;
}

TEST(ReadAndWriteSetting, CutAt255BytesAndKeepThePlatformsResult) {
    testing::FakeSettings fake;
    fake.values["Long"] = std::string(300, 'x');
    EXPECT_EQ(readSetting(fake, settings::kSection, "Long", settings::kPath),
              std::string(255, 'x'));
    EXPECT_EQ(readSetting(fake, settings::kSection, "Missing", settings::kPath), "");
    int32_t lastResult = 7;
    for (const int32_t result : {0, 1}) {
        fake.writeResult = result;
        writeSetting(fake, lastResult, settings::kSection, settings::kWidth, " 1", settings::kPath);
        EXPECT_EQ(lastResult, result);
    }
}

}  // namespace
}  // namespace orvelle

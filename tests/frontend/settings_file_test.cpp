#include "frontend/settings_file.h"

#include <gtest/gtest.h>

#include "platform/settings_keys.h"
#include "tests/support/fake_front_end.h"

namespace orvelle {
namespace {

using testing::FakeSettingsPlatform;

class LoadSettingsTest : public ::testing::Test {
protected:
    void store(const char* key, const std::string& value) {
        fake.file.set(settings::kSection, key, value);
        fake.fileExists = true;
    }
    MusicSettings load() {
        MusicSettings music;
        LoadSettings(fake, fake, music);
        return music;
    }
    FakeSettingsPlatform fake;
};

TEST_F(LoadSettingsTest, AnMp3ThatExistsLoadsWithItsFolder) {
    store(settings::kBgmKind, " 2");
    store(settings::kBgmRepeat, " 0");
    store(settings::kBgmFile, "C:\\Music\\song.mp3");
    fake.readableFiles.insert("C:\\Music\\song.mp3");
    const auto music = load();
    EXPECT_EQ(music.BgmKind, 2);
    EXPECT_EQ(music.BgmRepeat, 0);
    EXPECT_EQ(music.BgmFile, "C:\\Music\\song.mp3");
    EXPECT_EQ(music.BgmFolder, "C:\\Music");
}

TEST_F(LoadSettingsTest, AMissingFileTurnsKindTwoIntoNothingAndLeavesTheStoredValue) {
    store(settings::kBgmKind, " 2");
    store(settings::kBgmFile, "C:\\Music\\gone.mp3");
    const auto music = load();
    EXPECT_EQ(music.BgmKind, 0);
    EXPECT_EQ(music.BgmFile, "");
    EXPECT_EQ(music.BgmFolder, "C:\\Program Files\\Orvelle");
    EXPECT_EQ(fake.file.get(settings::kSection, settings::kBgmKind), "2");
    EXPECT_TRUE(fake.writes.empty());
}

TEST_F(LoadSettingsTest, NoSettingsFileLoadsNothing) {
    const auto music = load();
    EXPECT_EQ(music.BgmKind, 0);
    EXPECT_EQ(music.BgmRepeat, 0);
    EXPECT_EQ(music.BgmFile, "");
    EXPECT_EQ(music.BgmFolder, "C:\\Program Files\\Orvelle");
}

TEST_F(LoadSettingsTest, NumbersFollowTheConversionRules) {
    // With a file present, so that a kind of 2 stays 2.
    store(settings::kBgmFile, "C:\\a.wav");
    fake.readableFiles.insert("C:\\a.wav");
    struct Case {
        const char* stored;
        int16_t kind;
    };
    for (const Case& c :
         {Case{"1", 1}, Case{" 1", 1}, Case{"2.7", 2}, Case{"-1.5", -2}, Case{"abc", 0},
          Case{"40000", 0}, Case{"-32768", -32768}, Case{"32767.9", 32767}, Case{"1e1", 10},
          Case{"1x", 0}, Case{"", 0}, Case{"5", 5}}) {
        store(settings::kBgmKind, c.stored);
        EXPECT_EQ(load().BgmKind, c.kind) << '"' << c.stored << '"';
    }
}

TEST_F(LoadSettingsTest, CdKindNeedsNoFile) {
    store(settings::kBgmKind, " 1");
    store(settings::kBgmRepeat, " 3");
    store(settings::kBgmFile, "");
    const auto music = load();
    EXPECT_EQ(music.BgmKind, 1);
    EXPECT_EQ(music.BgmRepeat, 3);
}

TEST_F(LoadSettingsTest, KeysMatchWithoutRegardToCaseAndTheJapaneseKeysByTheirBytes) {
    fake.file =
        IniDocument::parse("[SECTION]\r\nbgm\x8B\xE6\x95\xAA= 1\r\nBgm\xD8\xCB\xDF\xB0\xC4=4\r\n");
    fake.fileExists = true;
    const auto music = load();
    EXPECT_EQ(music.BgmKind, 1);
    EXPECT_EQ(music.BgmRepeat, 4);
}

TEST(ReadSetting, CutsAValueAt255Bytes) {
    FakeSettingsPlatform fake;
    fake.fileExists = true;
    fake.file.set("Section", "BGM\xCC\xA7\xB2\xD9", std::string(300, 'x'));
    EXPECT_EQ(ReadSetting(fake, "Section", "BGM\xCC\xA7\xB2\xD9", settings::kPath),
              std::string(255, 'x'));
    EXPECT_EQ(ReadSetting(fake, "Section", "nothing", settings::kPath), "");
}

TEST(WriteSetting, KeepsThePlatformsResult) {
    FakeSettingsPlatform fake;
    int32_t lastResult = 7;
    WriteSetting(fake, lastResult, "Section", "Width", " 1280", settings::kPath);
    EXPECT_EQ(lastResult, 1);
    EXPECT_EQ(fake.writes.back(), "Width= 1280") << "the number is passed with its blank";
    fake.writable = false;
    WriteSetting(fake, lastResult, "Section", "Width", " 1", settings::kPath);
    EXPECT_EQ(lastResult, 0);
    EXPECT_EQ(fake.file.get("Section", "Width"), "1280") << "a failed write loses nothing";
}

TEST(FormatSettingNumber, LeadsWithABlankUnlessNegative) {
    EXPECT_EQ(formatSettingNumber(1024), " 1024");
    EXPECT_EQ(formatSettingNumber(0), " 0");
    EXPECT_EQ(formatSettingNumber(-5), "-5");
}

TEST(FileExists, AFolderIsNoFileAndOneTrailingBackslashIsIgnored) {
    FakeSettingsPlatform fake;
    fake.readableFiles.insert("C:\\Music\\a.mp3");
    EXPECT_TRUE(FileExists(fake, "C:\\Music\\a.mp3"));
    EXPECT_TRUE(FileExists(fake, "C:\\Music\\a.mp3\\"));
    EXPECT_FALSE(FileExists(fake, "C:\\Music\\a.mp3\\\\"));
    EXPECT_FALSE(FileExists(fake, "C:\\Music"));
    EXPECT_FALSE(FileExists(fake, "C:\\Music\\"));
    EXPECT_FALSE(FileExists(fake, ""));
    EXPECT_FALSE(FileExists(fake, "\\"));
}

TEST(FolderOf, TakesThePathUpToTheLastColonOrBackslash) {
    EXPECT_EQ(FolderOf("C:\\Music\\song.mp3"), "C:\\Music");
    EXPECT_EQ(FolderOf("D:\\song.mp3"), "D:");
    EXPECT_EQ(FolderOf("C:song.mp3"), "C:");
    EXPECT_EQ(FolderOf("song.mp3"), "");
    EXPECT_EQ(FolderOf("\\\\server\\share\\a.wav"), "\\\\server\\share");
    EXPECT_EQ(FolderOf(""), "");
}

}  // namespace
}  // namespace orvelle

#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace orvelle {
namespace {

TEST(IniDocument, FindsKeysWithoutRegardToCaseAndStripsBlanksAndQuotes) {
    const auto doc = IniDocument::parse(
        "; comment\r\n[Other]\r\nWidth=1\r\n[SECTION]\r\n  width =  640  \r\nName=\"a b\"\r\n"
        "Empty=\r\nBare\r\n");
    EXPECT_EQ(doc.get("section", "WIDTH"), "640");
    EXPECT_EQ(doc.get("Section", "name"), "a b");
    EXPECT_EQ(doc.get("Section", "Empty"), "");
    EXPECT_EQ(doc.get("Section", "Bare"), std::nullopt) << "a key without = holds no value";
    EXPECT_EQ(doc.get("Section", "Height"), std::nullopt);
    EXPECT_EQ(doc.get("Missing", "Width"), std::nullopt);
}

TEST(IniDocument, MatchesOtherBytesExactly) {
    // "BGM区分" and a key that differs only in the second Shift-JIS byte.
    const auto doc =
        IniDocument::parse("[Section]\nBGM\x8B\xE6\x95\xAA=2\nBGM\x8B\xC6\x95\xAA=3\n");
    EXPECT_EQ(doc.get("Section", "bgm\x8B\xE6\x95\xAA"), "2");
    EXPECT_EQ(doc.get("Section", "BGM\x8B\xC6\x95\xAA"), "3");
}

TEST(IniDocument, WritesKeepEveryLineTheyDoNotTouch) {
    auto doc =
        IniDocument::parse("; keep me\r\n[A]\r\nx=1\r\n\r\n[Section]\r\nWidth= 800\r\nz=9\r\n");
    doc.set("section", "WIDTH", " 1024");
    doc.set("Section", "Height", " 768");
    doc.set("B", "k", "v");
    EXPECT_EQ(doc.serialize(),
              "; keep me\r\n[A]\r\nx=1\r\n\r\n[Section]\r\nWIDTH= 1024\r\nz=9\r\nHeight= 768\r\n"
              "[B]\r\nk=v\r\n");
}

TEST(IniFile, CreatesTheFileAndReadsItBack) {
    const std::string path = ::testing::TempDir() + "orvelle_ini_test.ini";
    std::remove(path.c_str());
    EXPECT_EQ(readIniValue(path, "Section", "Width"), std::nullopt);
    EXPECT_TRUE(writeIniValue(path, "Section", "Width", " 1920"));
    EXPECT_TRUE(writeIniValue(path, "Section", "Height", " 1080"));
    EXPECT_EQ(readIniValue(path, "Section", "Width"), "1920");
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "[Section]\r\nWidth= 1920\r\nHeight= 1080\r\n");
    std::remove(path.c_str());
    EXPECT_FALSE(writeIniValue(::testing::TempDir() + "no/such/folder/x.ini", "S", "k", "v"));
}

TEST(ProfileInt, ReadsLikeThePlatform) {
    EXPECT_EQ(profileInt(std::nullopt, 1024), 1024);
    EXPECT_EQ(profileInt(std::string(""), 768), 768);
    EXPECT_EQ(profileInt(std::string(" 1024"), 0), 1024);
    EXPECT_EQ(profileInt(std::string("abc"), 5), 0);
    EXPECT_EQ(profileInt(std::string("-5"), 0), -5);
    EXPECT_EQ(profileInt(std::string("2.7"), 0), 2);
    EXPECT_EQ(profileInt(std::string("+12px"), 0), 12);
    EXPECT_EQ(parseProfileInt("4294967295"), -1) << "wraps at 32 bits";
}

}  // namespace
}  // namespace orvelle

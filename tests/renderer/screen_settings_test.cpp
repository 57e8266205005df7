#include "renderer/screen_settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace orvelle {
namespace {

class ScreenSettings : public ::testing::Test {
protected:
    std::string path = ::testing::TempDir() + "orvelle_screen_settings.ini";
    void TearDown() override { std::remove(path.c_str()); }
    void write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
};

TEST_F(ScreenSettings, NoFileGivesTheDefaults) {
    std::remove(path.c_str());
    const auto size = readScreenSettings(path);
    EXPECT_EQ(size.width, 1024);
    EXPECT_EQ(size.height, 768);
}

TEST_F(ScreenSettings, ReadsTheBlankPrefixedNumbersTheFrontEndWrites) {
    write("[Section]\r\nWidth= 800\r\nHeight= 600\r\n");
    const auto size = readScreenSettings(path);
    EXPECT_EQ(size.width, 800);
    EXPECT_EQ(size.height, 600);
}

TEST_F(ScreenSettings, ZeroNegativeAndGarbageMeanTheDefault) {
    write("[section]\r\nwidth=0\r\nHEIGHT=-600\r\n");
    auto size = readScreenSettings(path);
    EXPECT_EQ(size.width, 1024);
    EXPECT_EQ(size.height, 768);

    write("[Section]\r\nWidth=abc\r\nHeight=\r\n");
    size = readScreenSettings(path);
    EXPECT_EQ(size.width, 1024);
    EXPECT_EQ(size.height, 768);
}

TEST_F(ScreenSettings, TakesTheLeadingNumberOfAMixedValue) {
    write("[Section]\r\nWidth=1280px\r\nHeight= 1024.7\r\n");
    const auto size = readScreenSettings(path);
    EXPECT_EQ(size.width, 1280);
    EXPECT_EQ(size.height, 1024);
}

TEST(ScreenDimension, BelowOneMeansTheDefault) {
    EXPECT_EQ(screenDimension(0, 1024), 1024);
    EXPECT_EQ(screenDimension(-1, 1024), 1024);
    EXPECT_EQ(screenDimension(INT32_MIN, 768), 768);
    EXPECT_EQ(screenDimension(1, 768), 1);
    EXPECT_EQ(screenDimension(1920, 1024), 1920);
}

}  // namespace
}  // namespace orvelle

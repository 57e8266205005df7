#include "music/music.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/fakes.h"

namespace orvelle {
namespace {

using testing::ScriptedMedia;

class Music : public ::testing::Test {
protected:
    // What one call sends, alone.
    template <typename Call>
    std::string sent(Call call) {
        media.log.clear();
        call();
        return testing::joined(media.log);
    }

    ScriptedMedia media;
    MusicSettings settings;
    int32_t lastResult = 12345;
    BackgroundMusic music{media, settings, lastResult};
};

TEST_F(Music, TheCommandLayerRepliesWithTheTextOrTheErrorText) {
    std::string reply;
    EXPECT_EQ(music.mciSend("", reply), -1);
    EXPECT_EQ(reply, "コマンド文字列が指定されていません");
    EXPECT_TRUE(media.log.empty());
    EXPECT_EQ(lastResult, 12345);

    media.replies["status cdaudio number of tracks"] = {0, "8"};
    EXPECT_EQ(music.mciSend("status cdaudio number of tracks", reply), 0);
    EXPECT_EQ(reply, "8");
    EXPECT_EQ(media.log.back(), "status cdaudio number of tracks |512");

    media.replies["status MP3Play mode"] = {263, ""};
    EXPECT_EQ(music.mciSend("status MP3Play mode", reply), 263);
    EXPECT_EQ(reply, "error 263");
    EXPECT_EQ(lastResult, 263);
    EXPECT_EQ(music.mciQuery("status MP3Play mode"), "Error:263");
    media.errorTexts = false;
    EXPECT_EQ(music.mciSend("status MP3Play mode", reply), 263);
    EXPECT_EQ(reply, "Error (文字列が取れません)");

    EXPECT_EQ(sent([&] {
                  music.mciPlay("cdaudio", "", "");
                  music.mciPlay("cdaudio", "03:00:00:00", "");
                  music.mciPlay("cdaudio", "", "5");
                  music.mciPlay("cdaudio", "1", "2");
              }),
              "play cdaudio |512, play cdaudio from 03:00:00:00 |512, play cdaudio to 5 |512, "
              "play cdaudio from 1 to 2 |512");
}

// What each call sends, given the settings and the device's replies; a
// command not scripted succeeds with an empty reply.
TEST_F(Music, ScenariosOfTheCdTheMp3AndTheWav) {
    using Replies = std::map<std::string, ScriptedMedia::Reply>;
    const auto disc = [](const char* track, const char* mode, Replies more = {}) {
        more.insert({{"status cdaudio current track", {0, track}},
                     {"status cdaudio number of tracks", {0, "8"}},
                     {"status cdaudio mode", {0, mode}},
                     {"status cdaudio position track 3", {0, "03:00:00:00"}}});
        return more;
    };
    const std::string ask =
        "status cdaudio current track |512, status cdaudio number of "
        "tracks |512, status cdaudio mode |255";
    const std::string back3 =
        ask + ", status cdaudio position track 3 |512, play cdaudio from 03:00:00:00 |512";
    const std::string mp3 = "\"C:\\My Music\\a.mp3\" type MPEGVideo Alias MP3Play";
    using M = BackgroundMusic;
    // clang-format off
    const struct {
        int16_t repeat;
        Replies replies;
        void (BackgroundMusic::*call)();
        std::string sent;
        int16_t watchAlive = M::kTrue;
    } cases[] = {
        {0, {}, &M::cdOpen, "open cdaudio |0, set cdaudio time format tmsf |0", 0},
        {0, {}, &M::cdClose, "stop cdaudio |0, close cdaudio |0", 0},
        // The whole disc: a stopped disc is told to play on; a playing one is only asked.
        {0, disc("1", "stopped"), &M::cdWatch, ask + ", play cdaudio |512"},
        {0, disc("5", "playing"), &M::cdWatch, ask},
        // Track 3 over and over: back to it as soon as another plays or the disc stops.
        {3, disc("4", "playing"), &M::cdWatch, back3},
        {3, disc("3", "stopped"), &M::cdWatch, back3},
        {3, disc("3", "playing"), &M::cdWatch, ask},
        // A repeat track beyond the last: the position query fails, and so does
        // the play that carries its error text; the watch keeps trying.
        {12, disc("1", "playing", {{"status cdaudio position track 12", {290, ""}}}), &M::cdWatch,
         ask + ", status cdaudio position track 12 |512, play cdaudio from Error:290 |512"},
        // A disc that cannot be asked about stops the watch.
        {0, {{"status cdaudio current track", {266, ""}}}, &M::cdWatch,
         "status cdaudio current track |512", M::kFalse},
        {0, disc("1", "playing", {{"status cdaudio number of tracks", {266, ""}}}), &M::cdWatch,
         "status cdaudio current track |512, status cdaudio number of tracks |512", M::kFalse},
        {0, {}, &M::mp3Start, "open " + mp3 + " |0, play MP3Play |0", 0},
        {0, {{"open " + mp3, {277, ""}}}, &M::mp3Start, "open " + mp3 + " |0", 0},
        {0, {{"status MP3Play mode", {0, "playing"}}}, &M::mp3Watch, "status MP3Play mode |30", 0},
        {0, {{"status MP3Play mode", {0, "stopped"}}}, &M::mp3Watch,
         "status MP3Play mode |30, stop MP3Play |0, play MP3Play from 0 |0", 0},
        {0, {}, &M::mp3Close, "stop MP3Play |0, close MP3Play |0", 0},
        {0, {}, &M::wavStart, "PlaySound C:\\My Music\\a.mp3 9", 0},
        {0, {}, &M::wavStop, "PlaySound null 0", 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sent);
        settings.bgmRepeat = c.repeat;
        settings.bgmFile = "C:\\My Music\\a.mp3";
        media.replies = c.replies;
        music.cdWatchAlive = 0;
        EXPECT_EQ(sent([&] { (music.*c.call)(); }), c.sent);
        EXPECT_EQ(music.cdWatchAlive, c.watchAlive);
    }
    media.waveDevices = 0;
    EXPECT_EQ(sent([&] { music.wavStart(); }), "") << "no wave device, no sound";
}

}  // namespace
}  // namespace orvelle

#include "music/music.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

#include "tests/support/fakes.h"
#include "tests/support/golden.h"

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
    BackgroundMusic music{media, settings};
};

TEST_F(Music, TheCommandLayerRepliesWithTheTextOrTheErrorText) {
    std::string reply;
    EXPECT_EQ(music.mciSend("", reply), -1);
    EXPECT_EQ(reply, "コマンド文字列が指定されていません");
    EXPECT_TRUE(media.log.empty());

    media.replies["status cdaudio number of tracks"] = {0, "8"};
    EXPECT_EQ(music.mciSend("status cdaudio number of tracks", reply), 0);
    EXPECT_EQ(reply, "8");
    EXPECT_EQ(media.log.back(), "status cdaudio number of tracks |512");

    media.replies["status MP3Play mode"] = {263, ""};
    EXPECT_EQ(music.mciSend("status MP3Play mode", reply), 263);
    EXPECT_EQ(reply, "error 263");
    EXPECT_EQ(music.mciQuery("status MP3Play mode"), "Error:263");
    media.errorTexts = false;
    EXPECT_EQ(music.mciSend("status MP3Play mode", reply), 263);
    EXPECT_EQ(reply, "Error (文字列が取れません)");

    EXPECT_EQ(sent([&] { music.mciPlay("cdaudio", "1", "2"); }), "play cdaudio from 1 to 2 |512");
}

// What each watch sends, given the settings and the device's replies (a
// command not scripted succeeds with an empty reply), and the CD watch's
// state after it; the saver run's scenarios walk the opening, closing and
// playing commands. Regression guard: all of it in watches.golden.txt, a
// row a line.
TEST_F(Music, ScenariosOfTheWatches) {
    using Replies = std::map<std::string, ScriptedMedia::Reply>;
    const auto disc = [](const char* track, const char* mode, Replies more = {}) {
        more.insert({{"status cdaudio current track", {0, track}},
                     {"status cdaudio number of tracks", {0, "8"}},
                     {"status cdaudio mode", {0, mode}},
                     {"status cdaudio position track 3", {0, "03:00:00:00"}}});
        return more;
    };
    const std::string mp3 = "open \"C:\\My Music\\a.mp3\" type MPEGVideo Alias MP3Play";
    using M = BackgroundMusic;
    const std::tuple<int16_t, Replies, void (M::*)()> cases[] = {
        // The whole disc: a stopped disc is told to play on; a playing one is only asked.
        {0, disc("1", "stopped"), &M::cdWatch},
        {0, disc("5", "playing"), &M::cdWatch},
        // Track 3 over and over: back to it as soon as another plays or the disc stops.
        {3, disc("4", "playing"), &M::cdWatch},
        {3, disc("3", "stopped"), &M::cdWatch},
        {3, disc("3", "playing"), &M::cdWatch},
        // A repeat track beyond the last: the position query fails, and so does
        // the play that carries its error text; the watch keeps trying.
        {12, disc("1", "playing", {{"status cdaudio position track 12", {290, ""}}}), &M::cdWatch},
        // A disc that cannot tell its tracks stops the watch.
        {0, disc("1", "playing", {{"status cdaudio number of tracks", {266, ""}}}), &M::cdWatch},
        {0, {{mp3, {277, ""}}}, &M::mp3Start},
        {0, {{"status MP3Play mode", {0, "playing"}}}, &M::mp3Watch},
    };
    std::vector<testing::GoldenRow> rows;
    for (const auto& [repeat, replies, call] : cases) {
        settings.bgmRepeat = repeat;
        settings.bgmFile = "C:\\My Music\\a.mp3";
        media.replies = replies;
        music.cdWatchAlive = 0;
        const std::string heard = sent([&] { (music.*call)(); });
        std::string input = call == &M::cdWatch    ? "cdWatch"
                            : call == &M::mp3Start ? "mp3Start"
                                                   : "mp3Watch";
        input += " repeat " + std::to_string(repeat) + ", replies:";
        for (const auto& [command, reply] : replies)
            input += " [" + command + ": " +
                     (reply.code ? "error " + std::to_string(reply.code) : reply.text) + "]";
        rows.push_back({input, heard + "; cdWatchAlive " + std::to_string(music.cdWatchAlive)});
    }
    testing::expectGolden("music/watches", rows);
    media.waveDevices = 0;
    EXPECT_EQ(sent([&] { music.wavStart(); }), "") << "no wave device, no sound";
}

}  // namespace
}  // namespace orvelle

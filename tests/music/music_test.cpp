#include "music/music.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace orvelle {
namespace {

using ::testing::ElementsAre;
using testing::ScriptedMedia;

class Music : public ::testing::Test {
protected:
    // The log of what one call sends, alone.
    template <typename Call>
    std::vector<std::string> sent(Call call) {
        media.log.clear();
        call();
        return media.log;
    }
    void disc(const std::string& track, const std::string& mode) {
        media.replies["status cdaudio current track"] = {0, track};
        media.replies["status cdaudio number of tracks"] = {0, "8"};
        media.replies["status cdaudio mode"] = {0, mode};
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

    EXPECT_THAT(sent([&] {
                    music.mciPlay("cdaudio", "", "");
                    music.mciPlay("cdaudio", "03:00:00:00", "");
                    music.mciPlay("cdaudio", "", "5");
                    music.mciPlay("cdaudio", "1", "2");
                }),
                ElementsAre("play cdaudio |512", "play cdaudio from 03:00:00:00 |512",
                            "play cdaudio to 5 |512", "play cdaudio from 1 to 2 |512"));
}

TEST_F(Music, TheCdOpensWithoutPlayingAndClosesWithStop) {
    EXPECT_THAT(sent([&] { music.cdOpen(); }),
                ElementsAre("open cdaudio |0", "set cdaudio time format tmsf |0"));
    EXPECT_THAT(sent([&] { music.cdClose(); }), ElementsAre("stop cdaudio |0", "close cdaudio |0"));
}

TEST_F(Music, TheCdWatchKeepsTheDiscOrTheRepeatTrackPlaying) {
    const std::vector<std::string> statuses = {"status cdaudio current track |512",
                                               "status cdaudio number of tracks |512",
                                               "status cdaudio mode |255"};
    auto with = [&](std::vector<std::string> lines, std::vector<std::string> more) {
        lines.insert(lines.end(), more.begin(), more.end());
        return lines;
    };
    media.replies["status cdaudio position track 3"] = {0, "03:00:00:00"};
    struct Case {
        int16_t repeat;
        const char* track;
        const char* mode;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        // The whole disc: a stopped disc is told to play on; a playing one is only asked.
        {0, "1", "stopped", {"play cdaudio |512"}},
        {0, "5", "playing", {}},
        // Track 3 over and over: back to it as soon as another plays or the disc stops.
        {3,
         "4",
         "playing",
         {"status cdaudio position track 3 |512", "play cdaudio from 03:00:00:00 |512"}},
        {3,
         "3",
         "stopped",
         {"status cdaudio position track 3 |512", "play cdaudio from 03:00:00:00 |512"}},
        {3, "3", "playing", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("repeat ") + std::to_string(c.repeat) + " track " + c.track + " " +
                     c.mode);
        settings.bgmRepeat = c.repeat;
        disc(c.track, c.mode);
        EXPECT_EQ(sent([&] { music.cdWatch(); }), with(statuses, c.after));
        EXPECT_EQ(music.cdWatchAlive, BackgroundMusic::kTrue);
    }

    // A repeat track beyond the last: the position query fails, and so does
    // the play that carries its error text; the watch keeps trying.
    settings.bgmRepeat = 12;
    disc("1", "playing");
    media.replies["status cdaudio position track 12"] = {290, ""};
    EXPECT_EQ(sent([&] { music.cdWatch(); }).back(), "play cdaudio from Error:290 |512");
    EXPECT_EQ(music.cdWatchAlive, BackgroundMusic::kTrue);
}

TEST_F(Music, TheCdWatchGivesUpWhenTheDiscCannotBeAskedAbout) {
    media.replies["status cdaudio current track"] = {266, ""};
    EXPECT_THAT(sent([&] { music.cdWatch(); }), ElementsAre("status cdaudio current track |512"));
    EXPECT_EQ(music.cdWatchAlive, BackgroundMusic::kFalse);

    disc("1", "playing");
    media.replies["status cdaudio number of tracks"] = {266, ""};
    EXPECT_EQ(sent([&] { music.cdWatch(); }).size(), 2u);
    EXPECT_EQ(music.cdWatchAlive, BackgroundMusic::kFalse);
}

TEST_F(Music, AnMp3OpensQuotedPlaysAndRestartsAfterItsEnd) {
    settings.bgmFile = "C:\\My Music\\a.mp3";
    EXPECT_THAT(sent([&] { music.mp3Start(); }),
                ElementsAre("open \"C:\\My Music\\a.mp3\" type MPEGVideo Alias MP3Play |0",
                            "play MP3Play |0"));
    media.replies["status MP3Play mode"] = {0, "playing"};
    EXPECT_THAT(sent([&] { music.mp3Watch(); }), ElementsAre("status MP3Play mode |30"));
    media.replies["status MP3Play mode"] = {0, "stopped"};
    EXPECT_THAT(
        sent([&] { music.mp3Watch(); }),
        ElementsAre("status MP3Play mode |30", "stop MP3Play |0", "play MP3Play from 0 |0"));
    EXPECT_THAT(sent([&] { music.mp3Close(); }),
                ElementsAre("stop MP3Play |0", "close MP3Play |0"));

    // A file that cannot be opened is not played.
    media.replies["open \"C:\\My Music\\a.mp3\" type MPEGVideo Alias MP3Play"] = {277, ""};
    EXPECT_EQ(sent([&] { music.mp3Start(); }).size(), 1u);
}

TEST_F(Music, AWavLoopsOnlyWhereThereIsAWaveDevice) {
    settings.bgmFile = "C:\\a.wav";
    EXPECT_THAT(sent([&] { music.wavStart(); }), ElementsAre("PlaySound C:\\a.wav 9"));
    EXPECT_THAT(sent([&] { music.wavStop(); }), ElementsAre("PlaySound null 0"));
    media.waveDevices = 0;
    EXPECT_TRUE(sent([&] { music.wavStart(); }).empty());
}

TEST(MusicSource, KindAndTheFilesEndingInAnyCase) {
    struct Case {
        int16_t kind;
        const char* file;
        MusicSource source;
    } cases[] = {
        {0, "a.mp3", MusicSource::None},      {1, "", MusicSource::Cd},
        {2, "C:\\a.Mp3", MusicSource::Mp3},   {2, "C:\\a.wAV", MusicSource::Wav},
        {2, "C:\\a.mpeg", MusicSource::None}, {2, "mp", MusicSource::None},
        {5, "a.wav", MusicSource::None},
    };
    for (const auto& c : cases) {
        MusicSettings settings;
        settings.bgmKind = c.kind;
        settings.bgmFile = c.file;
        EXPECT_EQ(musicSourceOf(settings), c.source) << c.kind << " " << c.file;
    }
}

}  // namespace
}  // namespace orvelle

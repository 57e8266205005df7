#include "music/music.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/simulated_media.h"

namespace orvelle {
namespace {

using ::testing::ElementsAre;
using testing::SimulatedMedia;

class Music : public ::testing::Test {
protected:
    SimulatedMedia media;
    MusicSettings settings;
    int32_t lastResult = 12345;
    BackgroundMusic music{media, settings, lastResult};
};

TEST_F(Music, MciSendRepliesWithTheTextOrTheErrorText) {
    std::string reply;
    EXPECT_EQ(music.MciSend("", reply), -1);
    EXPECT_EQ(reply, "コマンド文字列が指定されていません");
    EXPECT_TRUE(media.sent.empty()) << "nothing is sent";
    EXPECT_EQ(lastResult, 12345);

    music.CdOpen();
    EXPECT_EQ(music.MciSend("status cdaudio number of tracks", reply), 0);
    EXPECT_EQ(reply, "8");
    EXPECT_EQ(media.sent.back().capacity, 512u);
    EXPECT_EQ(lastResult, 0);

    EXPECT_EQ(music.MciSend("status MP3Play mode", reply), SimulatedMedia::kNotOpen);
    EXPECT_EQ(reply, "simulated error 263");
    EXPECT_EQ(lastResult, SimulatedMedia::kNotOpen);
}

TEST_F(Music, AnErrorWithoutTextSaysSo) {
    struct Unreadable : MediaCommands {
        int32_t sendString(const std::string&, char*, uint32_t) override { return 300; }
        bool errorString(int32_t, char*, uint32_t) override { return false; }
        int32_t playSound(const char*, uint32_t) override { return 0; }
        int32_t waveOutDeviceCount() override { return 0; }
    } unreadable;
    BackgroundMusic m(unreadable, settings, lastResult);
    std::string reply;
    EXPECT_EQ(m.MciSend("open cdaudio", reply), 300);
    EXPECT_EQ(reply, "Error (文字列が取れません)");
    EXPECT_EQ(m.MciQuery("status cdaudio mode"), "Error:300");
}

TEST_F(Music, MciPlayBuildsItsCommandFromTheNonEmptyParts) {
    music.MciPlay("cdaudio", "", "");
    music.MciPlay("cdaudio", "03:00:00:00", "");
    music.MciPlay("cdaudio", "", "5");
    music.MciPlay("cdaudio", "1", "2");
    EXPECT_THAT(media.commands(), ElementsAre("play cdaudio", "play cdaudio from 03:00:00:00",
                                              "play cdaudio to 5", "play cdaudio from 1 to 2"));
}

TEST_F(Music, CdWithoutRepeatPlaysOnWhenStoppedAndOnlyAsksWhilePlaying) {
    settings.BgmKind = 1;
    music.CdOpen();
    EXPECT_THAT(media.commands(), ElementsAre("open cdaudio", "set cdaudio time format tmsf"));
    EXPECT_EQ(media.sent[0].capacity, 0u);
    EXPECT_FALSE(media.cdPlaying) << "opening does not play";

    media.clearLog();
    music.CdWatch();
    EXPECT_EQ(music.CdWatchAlive, BackgroundMusic::kTrue);
    EXPECT_THAT(media.commands(),
                ElementsAre("status cdaudio current track", "status cdaudio number of tracks",
                            "status cdaudio mode", "play cdaudio"));
    EXPECT_EQ(media.sent[2].capacity, 255u);
    EXPECT_TRUE(media.cdPlaying);

    media.clearLog();
    media.advance(0.2);
    music.CdWatch();
    EXPECT_THAT(media.commands(),
                ElementsAre("status cdaudio current track", "status cdaudio number of tracks",
                            "status cdaudio mode"));
}

TEST_F(Music, CdRepeatTrackStartsThereAndJumpsBackFromTheNext) {
    settings.BgmKind = 1;
    settings.BgmRepeat = 3;
    music.CdOpen();
    media.clearLog();
    music.CdWatch();
    EXPECT_THAT(media.commands(),
                ElementsAre("status cdaudio current track", "status cdaudio number of tracks",
                            "status cdaudio mode", "status cdaudio position track 3",
                            "play cdaudio from 03:00:00:00"));
    EXPECT_EQ(media.currentTrack(), 3);

    // Playing track 3: each tick only asks.
    media.clearLog();
    media.advance(100.0);
    music.CdWatch();
    EXPECT_EQ(media.commands().size(), 3u);

    // Track 4 begins: the next tick goes back to track 3.
    media.advance(85.0);
    ASSERT_EQ(media.currentTrack(), 4);
    media.clearLog();
    music.CdWatch();
    EXPECT_EQ(media.commands().back(), "play cdaudio from 03:00:00:00");
    EXPECT_EQ(media.currentTrack(), 3);
    EXPECT_EQ(music.CdWatchAlive, BackgroundMusic::kTrue);
}

TEST_F(Music, NoDriveOrNoDiscEndsTheWatchAtItsFirstTick) {
    for (bool drive : {false, true}) {
        SimulatedMedia m;
        m.drivePresent = drive;
        m.discPresent = false;
        BackgroundMusic bgm(m, settings, lastResult);
        bgm.CdOpen();
        EXPECT_EQ(lastResult, drive ? 0 : SimulatedMedia::kNoDrive);
        bgm.CdWatch();
        EXPECT_EQ(bgm.CdWatchAlive, BackgroundMusic::kFalse) << drive;
        EXPECT_EQ(m.commands().back(), "status cdaudio current track")
            << "stops at the first query";
    }
}

TEST_F(Music, ARepeatTrackBeyondTheDiscKeepsTryingSilently) {
    settings.BgmRepeat = 12;
    music.CdOpen();
    for (int tick = 0; tick < 3; ++tick) {
        media.clearLog();
        music.CdWatch();
        EXPECT_EQ(music.CdWatchAlive, BackgroundMusic::kTrue);
        EXPECT_EQ(media.commands().back(), "play cdaudio from Error:274");
        EXPECT_FALSE(media.cdPlaying);
    }
}

TEST_F(Music, CdCloseStopsThenCloses) {
    music.CdOpen();
    media.clearLog();
    music.CdClose();
    EXPECT_THAT(media.commands(), ElementsAre("stop cdaudio", "close cdaudio"));
    EXPECT_EQ(lastResult, 0);
}

TEST_F(Music, Mp3OpensQuotedPlaysAndRestartsAfterItsEnd) {
    settings.BgmFile = "C:\\My Music\\song one.mp3";
    media.files.insert(settings.BgmFile);
    music.Mp3Start();
    EXPECT_THAT(media.commands(),
                ElementsAre("open \"C:\\My Music\\song one.mp3\" type MPEGVideo Alias MP3Play",
                            "play MP3Play"));
    EXPECT_TRUE(media.filePlaying);

    media.clearLog();
    media.advance(1.0);
    music.Mp3Watch();
    EXPECT_THAT(media.commands(), ElementsAre("status MP3Play mode"));
    EXPECT_EQ(media.sent[0].capacity, 30u);

    media.advance(5.0);  // past its end
    ASSERT_FALSE(media.filePlaying);
    media.clearLog();
    music.Mp3Watch();
    EXPECT_THAT(media.commands(),
                ElementsAre("status MP3Play mode", "stop MP3Play", "play MP3Play from 0"));
    EXPECT_TRUE(media.filePlaying);

    media.clearLog();
    music.Mp3Close();
    EXPECT_THAT(media.commands(), ElementsAre("stop MP3Play", "close MP3Play"));
    EXPECT_FALSE(media.fileOpen);
}

TEST_F(Music, AnMp3ThatCannotBeOpenedIsNotPlayedButWatchedHarmlessly) {
    settings.BgmFile = "C:\\gone.mp3";
    music.Mp3Start();
    EXPECT_THAT(media.commands(),
                ElementsAre("open \"C:\\gone.mp3\" type MPEGVideo Alias MP3Play"));
    media.clearLog();
    music.Mp3Watch();
    EXPECT_THAT(media.commands(),
                ElementsAre("status MP3Play mode", "stop MP3Play", "play MP3Play from 0"));
    EXPECT_FALSE(media.filePlaying);
}

TEST_F(Music, WavLoopsThroughTheSoundPlayerWhenThereIsADevice) {
    settings.BgmFile = "C:\\a.wav";
    media.waveDevices = 0;
    music.WavStart();
    EXPECT_TRUE(media.sounds.empty());
    EXPECT_EQ(lastResult, 12345);

    media.waveDevices = 1;
    music.WavStart();
    ASSERT_EQ(media.sounds.size(), 1u);
    EXPECT_EQ(media.sounds[0].sound, "C:\\a.wav");
    EXPECT_EQ(media.sounds[0].flags, 9u);
    EXPECT_EQ(lastResult, 1);

    music.WavStop();
    EXPECT_EQ(media.sounds[1].sound, "<none>");
    EXPECT_EQ(media.sounds[1].flags, 0u);
    EXPECT_TRUE(media.sent.empty()) << "WAV files do not use the media control interface";
}

TEST(MusicFileEnding, IsTheLastThreeCharactersInUpperCase) {
    EXPECT_EQ(musicFileEnding("C:\\a.mp3"), "MP3");
    EXPECT_EQ(musicFileEnding("C:\\a.Mp3"), "MP3");
    EXPECT_EQ(musicFileEnding("C:\\a.wav"), "WAV");
    EXPECT_EQ(musicFileEnding("C:\\a.mpeg"), "PEG");
    EXPECT_EQ(musicFileEnding("ab"), "AB");
    EXPECT_EQ(musicFileEnding(""), "");
}

}  // namespace
}  // namespace orvelle

#include "AudioTestSupport.h"
#include "core/audio/ReminderAudioPlayer.h"
#include "core/timers/paTimerList.h"
#include "platform/audio/AlsaMasterVolume.h"
#include "platform/audio/GstCDPlayer.h"
#include "platform/audio/GstToneGenerator.h"
#include "platform/audio/Mpg123Library.h"
#include "platform/audio/PlatformAudio.h"
#include "platform/runtime/QtTimers.h"
#include "support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

using namespace test;

TEST(Mpg123, DecodesAnMp3OnItsOwnThreadAndReportsTheEndThroughThePoll) {
    App();
    TempDir dir;
    if (!WriteMp3(dir.Path() / "tone.mp3", 500))
        GTEST_SKIP() << "lame is not installed";
    auto library = LoadMpg123Library("wav:" + dir.File("out.wav"));
    ASSERT_NE(library, nullptr);
    TQtTimerFactory timers;
    TMPEGPlayer player(timers);
    player.Load(std::move(library));
    int ends = 0;
    player.OnPlayEnd = [&] { ++ends; };
    player.SetStreamName(dir.File("tone.mp3"));
    player.Open();
    EXPECT_GE(player.Length(), 450);
    player.Start();
    ASSERT_TRUE(WaitFor([&] { return ends == 1; }, 5000));
    EXPECT_FALSE(player.Playing());
    EXPECT_NE(player.PlayerMode(), MPEGModePlaying);
    player.Close();
    // Half a second of 44.1 kHz audio went to the output.
    EXPECT_GT(std::filesystem::file_size(dir.Path() / "out.wav"), 40000u);
}

TEST(Mpg123, AFileThatIsNoMp3IsAnInputStreamError) {
    App();
    TempDir dir;
    WriteWholeFile(dir.Path() / "fake.mp3", std::string(5000, 'x'));
    TQtTimerFactory timers;
    TMPEGPlayer player(timers);
    player.Load(LoadMpg123Library("test"));
    player.SetStreamName(dir.File("fake.mp3"));
    try {
        player.Start();
        FAIL();
    } catch (const TMPEGError& e) {
        EXPECT_EQ(e.Code(), 3);
        EXPECT_STREQ(e.what(), "Input stream error");
    }
}

TEST(Tones, EachToneLastsItsDuration) {
    App();
    TGstToneGenerator tones;
    QElapsedTimer clock;
    clock.start();
    tones.Tone(440, 250);
    EXPECT_EQ(tones.LastError(), "");
    EXPECT_GE(clock.elapsed(), 230);
    clock.restart();
    PlayBeepTones(tones);
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_LT(clock.elapsed(), 5000);
    clock.restart();
    tones.Tone(440, -5);
    EXPECT_LT(clock.elapsed(), 100);
}

TEST(MasterVolume, NoMixerIsAClearError) {
    TAlsaMasterVolume volume("hw:99");
    try {
        volume.GetMasterVolume();
        FAIL();
    } catch (const EAudioError& e) {
        EXPECT_THAT(e.what(), ::testing::StartsWith("Error during mixerOpen\n\rCode: -"));
    }
}

TEST(CD, NoDriveMeansNoTrack) {
    TGstCDPlayer cd({"/nonexistent/cdrom"});
    EXPECT_FALSE(cd.HasDrive());
}

// The shared player over the real engines, with the volume of a fake mixer.
struct RealPlayer : ::testing::Test {
    struct Volume : IMasterVolume {
        int GetMasterVolume() override { return level; }
        void SetMasterVolume(int percent) override { level = percent; }
        int level = 55;
    };
    struct Action : IAudioClient {
        void PlaybackComplete() override {
            ++completions;
            if (then)
                then();
        }
        int completions = 0;
        std::function<void()> then;
    };

    RealPlayer() : timerList((App(), timerFactory), ticks) {
        player = std::make_unique<TReminderAudioPlayer>(CreateAudioEngines(timerFactory), timerList,
                                                        &volume);
        player->SetSoundsFolder(sounds.Path().string());
        WriteWav(sounds.Path() / "a.wav", 250, 440);
        WriteWav(sounds.Path() / "b.wav", 250, 660);
    }

    TempDir sounds;
    TQtTimerFactory timerFactory;
    TMonotonicTickCounter ticks;
    TTimerList timerList;
    Volume volume;
    std::unique_ptr<TReminderAudioPlayer> player;
};

TEST_F(RealPlayer, CompletionIsReportedAndTheVolumeRestored) {
    Action action;
    action.then = [&] { player->StopAudio(); };
    player->PlayMedia(&action, "a.wav", 80, false);
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_EQ(volume.level, 80);
    ASSERT_TRUE(WaitFor([&] { return action.completions == 1; }));
    EXPECT_EQ(volume.level, 55);
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(player->CurrentAction(), nullptr);
}

TEST_F(RealPlayer, ThreeTimesMeansThreePerformances) {
    Action action;
    action.then = [&] {
        if (action.completions == 3)
            player->StopAudio();
        else
            player->PlayMedia(&action, "a.wav", 70, false);
    };
    QElapsedTimer clock;
    clock.start();
    player->PlayMedia(&action, "a.wav", 70, false);
    ASSERT_TRUE(WaitFor([&] { return action.completions == 3; }));
    EXPECT_GE(clock.elapsed(), 700);
    RunFor(300);
    EXPECT_EQ(action.completions, 3);
    EXPECT_EQ(volume.level, 55);
}

TEST_F(RealPlayer, ASecondActionStopsTheFirstWithoutACompletionReport) {
    Action first;
    Action second;
    player->PlayMedia(&first, "a.wav", -1, false);
    RunFor(100);
    player->PlayMedia(&second, "b.wav", -1, false);
    ASSERT_TRUE(WaitFor([&] { return second.completions == 1; }));
    RunFor(300);
    EXPECT_EQ(first.completions, 0);
    EXPECT_EQ(second.completions, 1);
}

TEST_F(RealPlayer, PlaylistsPlayEveryEntryAsOnePerformance) {
    WriteWholeFile(sounds.Path() / "list.m3u", "#EXTM3U\na.wav\n# skip me\nb.wav\n");
    WriteWholeFile(sounds.Path() / "list.pls",
                   "[playlist]\nNumberOfEntries=2\nFile1=b.wav\nFile2=a.wav\n");
    for (const char* list : {"list.m3u", "list.pls"}) {
        Action action;
        QElapsedTimer clock;
        clock.start();
        player->PlayMedia(&action, list, -1, false);
        ASSERT_TRUE(WaitFor([&] { return action.completions == 1; })) << list;
        EXPECT_GE(clock.elapsed(), 450) << list; // both entries were heard
        RunFor(200);
        EXPECT_EQ(action.completions, 1) << list;
        player->StopAudio();
    }
}

TEST_F(RealPlayer, AMissingSoundIsTriedAgainUntilItCanBePlayed) {
    Action action;
    player->PlayMedia(&action, "late.wav", -1, false);
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_GE(player->RetryTimerId(), 1);
    WriteWav(sounds.Path() / "late.wav", 300);
    ASSERT_TRUE(WaitFor([&] { return player->IsPlaying(); }, 7000));
    ASSERT_TRUE(WaitFor([&] { return action.completions == 1; }));
}

TEST_F(RealPlayer, WithoutADiscNothingPlays) {
    Action action;
    player->PlayCD(&action, 1, -1);
    RunFor(100);
    EXPECT_EQ(action.completions, 0);
    EXPECT_EQ(player->RetryTimerId(), -1);
}

} // namespace
} // namespace kelvo

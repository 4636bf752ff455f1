#include "core/audio/ReminderAudioPlayer.h"

#include "AudioFakes.h"
#include "core/timers/paTimerList.h"
#include "support/ManualTime.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using namespace test;

class FakeCD : public ICDPlayer {
public:
    bool HasDrive() override { return drive; }
    int TrackCount() override { return tracks; }
    bool PlayTrack(int track) override {
        played.push_back(track);
        playing = true;
        return true;
    }
    void Stop() override { playing = false; }
    bool IsPlaying() const override { return playing; }
    void Finish() {
        playing = false;
        if (OnEnd)
            OnEnd();
    }
    bool drive = true;
    int tracks = 7;
    bool playing = false;
    std::vector<int> played;
};

class FakeExternal : public IExternalPlayer {
public:
    void SetProgramPath(const std::string& path) override { program = path; }
    void PlayList(const std::vector<std::string>& entries) override { lists.push_back(entries); }
    std::string program;
    std::vector<std::vector<std::string>> lists;
};

struct ReminderPlayer : ::testing::Test {
    ReminderPlayer() : time(1000), timerList(time, time) {
        auto file = std::make_unique<FakeFilePlayer>();
        files = file.get();
        auto cdPlayer = std::make_unique<FakeCD>();
        cd = cdPlayer.get();
        auto external = std::make_unique<FakeExternal>();
        winamp = external.get();
        TAudioEngines engines;
        engines.File = std::move(file);
        engines.CD = std::move(cdPlayer);
        engines.External = std::move(external);
        player = std::make_unique<TReminderAudioPlayer>(std::move(engines), timerList, &volume);
        player->SetSoundsFolder(sounds.Path().string());
        player->OnLog = [this](const std::string& text) { log.push_back(text); };
        WriteWholeFile(sounds.Path() / "alarm.wav", "RIFF");
        alarm = sounds.File("alarm.wav");
        files->playable = {alarm};
    }

    // Lets the system timer of the action timer list run as time passes.
    void Advance(std::uint32_t ms) { time.Advance(ms); }

    // A sound action that, like one without repetition, stops the player when it is done.
    void StopWhenDone(FakeClient& client) {
        client.onComplete = [this] { player->StopAudio(); };
    }

    TempDir sounds;
    ManualTime time;
    TTimerList timerList;
    FakeVolume volume;
    FakeFilePlayer* files = nullptr;
    FakeCD* cd = nullptr;
    FakeExternal* winamp = nullptr;
    std::unique_ptr<TReminderAudioPlayer> player;
    std::vector<std::string> log;
    std::string alarm;
};

TEST_F(ReminderPlayer, ARelativeQuotedNamePlaysFromTheSoundsFolderAndReportsItsEnd) {
    FakeClient action;
    StopWhenDone(action);
    player->PlayMedia(&action, "  \"alarm.wav\" ", 70, false);
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_EQ(files->current, alarm);
    EXPECT_EQ(player->CurrentAction(), &action);
    EXPECT_EQ(volume.volume, 70);
    EXPECT_EQ(player->SavedVolume(), 40);
    EXPECT_EQ(player->RetryTimerId(), -1);
    files->Finish();
    EXPECT_EQ(action.completions, 1);
    EXPECT_EQ(player->CurrentAction(), nullptr);
    EXPECT_EQ(volume.volume, 40);
    EXPECT_EQ(player->SavedVolume(), -1);
}

TEST_F(ReminderPlayer, ASecondActionTakesThePlayerAndTheFirstHearsNothingMore) {
    FakeClient first;
    FakeClient second;
    player->PlayMedia(&first, alarm, 70, false);
    player->PlayMedia(&second, alarm, 30, false);
    EXPECT_EQ(player->CurrentAction(), &second);
    // The first volume came back before the second was set.
    EXPECT_EQ(volume.history, (std::vector<int>{70, 40, 30}));
    files->Finish();
    EXPECT_EQ(first.completions, 0);
    EXPECT_EQ(second.completions, 1);
}

TEST_F(ReminderPlayer, StoppingForOneActionLeavesAnotherActionsSoundAlone) {
    FakeClient first;
    FakeClient second;
    player->PlayMedia(&first, alarm, 70, false);
    player->PlayMedia(&second, alarm, 30, false);
    player->StopAudioFor(&first);
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_EQ(player->CurrentAction(), &second);
    EXPECT_EQ(volume.volume, 30);
    player->StopAudioFor(&second);
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(volume.volume, 40);
}

TEST_F(ReminderPlayer, RepeatingThreeTimesPlaysThreeTimesThenRestoresTheVolume) {
    FakeClient action;
    action.onComplete = [&] {
        if (action.completions == 3)
            player->StopAudio();
        else
            player->PlayMedia(&action, alarm, 80, false);
    };
    player->PlayMedia(&action, alarm, 80, false);
    for (int i = 0; i < 3; ++i)
        files->Finish();
    EXPECT_EQ(files->attempts.size(), 3u);
    EXPECT_EQ(action.completions, 3);
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(volume.volume, 40);
}

TEST_F(ReminderPlayer, ASoundThatDoesNotStartIsTriedAgainEveryFiveSeconds) {
    FakeClient action;
    const std::string later = sounds.File("later.wav");
    player->PlayMedia(&action, later, -1, false);
    EXPECT_FALSE(player->IsPlaying());
    ASSERT_GE(player->RetryTimerId(), 1);
    EXPECT_TRUE(timerList.Active());
    EXPECT_EQ(files->attempts.size(), 1u);
    Advance(4800);
    EXPECT_EQ(files->attempts.size(), 1u);
    Advance(400);
    EXPECT_EQ(files->attempts.size(), 2u);
    // The file appears (a drive is mounted): the next try plays it, the one after that
    // finds it playing and the timer goes.
    files->playable.insert(later);
    Advance(5000);
    EXPECT_TRUE(player->IsPlaying());
    Advance(5000);
    EXPECT_EQ(files->attempts.size(), 3u);
    EXPECT_EQ(timerList.FindTimer(player->RetryTimerId()), nullptr);
}

TEST_F(ReminderPlayer, StoppingEndsTheRetries) {
    FakeClient action;
    player->PlayMedia(&action, "missing.wav", -1, false);
    const int id = player->RetryTimerId();
    ASSERT_GE(id, 1);
    player->StopAudio();
    EXPECT_EQ(player->RetryTimerId(), -1);
    Advance(15000);
    EXPECT_EQ(files->attempts.size(), 1u);
    EXPECT_EQ(timerList.FindTimer(id), nullptr);
}

TEST_F(ReminderPlayer, SoundsWithoutAnActionAreNotRetried) {
    player->PlayMedia(nullptr, "missing.wav", -1, false);
    EXPECT_EQ(player->RetryTimerId(), -1);
}

TEST_F(ReminderPlayer, AnUnreadableListPlaysNothingAndLeavesTheVolumeAlone) {
    FakeClient action;
    WriteWholeFile(sounds.Path() / "bad.pls", "File1=alarm.wav\n");
    player->PlayMedia(&action, "bad.pls", 90, false);
    EXPECT_TRUE(files->attempts.empty());
    EXPECT_EQ(player->RetryTimerId(), -1);
    EXPECT_TRUE(volume.history.empty());
}

TEST_F(ReminderPlayer, ABrokenMixerNeverSilencesTheAlarm) {
    volume.broken = true;
    FakeClient action;
    StopWhenDone(action);
    player->PlayMedia(&action, alarm, 70, false);
    EXPECT_TRUE(player->IsPlaying());
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("mixerOpen"), std::string::npos);
    files->Finish();
    EXPECT_EQ(action.completions, 1);
    EXPECT_EQ(log.size(), 1u); // nothing to restore
}

TEST_F(ReminderPlayer, TheExternalPlayerGetsTheListOnceAndFallsSilentOnStop) {
    player->SetUseWinAmp(true);
    player->SetWinAmpPath("/usr/bin/someplayer");
    FakeClient action;
    player->PlayMedia(&action, alarm, -1, false);
    EXPECT_EQ(player->RetryTimerId(), -1);
    Advance(20000);
    ASSERT_EQ(winamp->lists.size(), 2u); // the stop before the start, then the list
    EXPECT_EQ(winamp->lists[1], std::vector<std::string>{alarm});
    EXPECT_EQ(winamp->program, "/usr/bin/someplayer");
    player->StopAudio();
    EXPECT_TRUE(winamp->lists.back().empty());
    EXPECT_TRUE(files->attempts.empty());
}

TEST_F(ReminderPlayer, ARandomCDTrackIsAnyTrackOfTheDisc) {
    FakeClient action;
    StopWhenDone(action);
    std::set<int> seen;
    for (int i = 0; i < 300; ++i) {
        player->PlayCD(&action, -1, -1);
        seen.insert(cd->played.back());
    }
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5, 6, 7}));
    player->PlayCD(&action, 12, -1);
    EXPECT_EQ(cd->played.back(), 7);
    EXPECT_EQ(player->CurrentAction(), &action);
    cd->Finish();
    EXPECT_EQ(action.completions, 1);
    EXPECT_EQ(player->RetryTimerId(), -1);
}

TEST_F(ReminderPlayer, NoDriveMeansNothingPlays) {
    cd->drive = false;
    FakeClient action;
    player->PlayCD(&action, 2, -1);
    EXPECT_TRUE(cd->played.empty());
    EXPECT_FALSE(player->IsPlaying());
}

TEST_F(ReminderPlayer, DestroyingThePlayerRestoresTheVolume) {
    FakeClient action;
    player->PlayMedia(&action, alarm, 70, false);
    player.reset();
    EXPECT_EQ(volume.volume, 40);
    EXPECT_EQ(action.completions, 0);
}

} // namespace
} // namespace kelvo

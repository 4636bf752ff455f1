// Sound actions with the real shared player and the real action timer list, on engines and
// a clock driven by hand.

#include "core/actions/ActionFakes.h"
#include "core/actions/EventAction.h"
#include "core/audio/ReminderAudioPlayer.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

// Every file plays until the test ends it.
class HandFilePlayer : public IFilePlayer {
public:
    bool Play(const std::string& name) override {
        started.push_back(name);
        playing = true;
        return true;
    }
    void Stop() override { playing = false; }
    bool IsPlaying() const override { return playing; }
    void End() {
        playing = false;
        if (OnEnd)
            OnEnd();
    }
    std::vector<std::string> started;
    bool playing = false;
};

class HandVolume : public IMasterVolume {
public:
    int GetMasterVolume() override { return volume; }
    void SetMasterVolume(int percent) override { volume = percent; }
    int volume = 40;
};

class WithRealPlayer : public test::ActionTest {
protected:
    WithRealPlayer() {
        TAudioEngines engines;
        auto file = std::make_unique<HandFilePlayer>();
        files = file.get();
        engines.File = std::move(file);
        real = std::make_unique<TReminderAudioPlayer>(std::move(engines), timers, &volume);
        adapter = std::make_unique<TReminderPlayerAdapter>(*real);
        ActionContext().Player = adapter.get();
    }
    ~WithRealPlayer() override { ActionContext().Player = nullptr; }

    HandVolume volume;
    HandFilePlayer* files = nullptr;
    std::unique_ptr<TReminderAudioPlayer> real;
    std::unique_ptr<TReminderPlayerAdapter> adapter;
};

TEST_F(WithRealPlayer, TwiceThenSilenceAndTheVolumeComesBack) {
    TPlayMediaEventAction a;
    a.SetFileName("/snd/a.wav");
    a.SetRepeatType(rtTimes);
    a.SetTimes(2);
    a.SetVolume(80);
    a.ExecuteIfEnabled();
    EXPECT_EQ(volume.volume, 80);
    files->End();
    EXPECT_EQ(files->started.size(), 2u);
    EXPECT_TRUE(real->IsPlaying());
    files->End();
    EXPECT_EQ(files->started.size(), 2u);
    EXPECT_FALSE(real->IsPlaying());
    EXPECT_EQ(real->CurrentAction(), nullptr);
    EXPECT_EQ(volume.volume, 40);
}

TEST_F(WithRealPlayer, ANewSoundTakesThePlayerWithoutAReportToTheOld) {
    TComplexEventAction first, second;
    auto& a = static_cast<TPlayMediaEventAction&>(
        first.Actions().Add(std::make_unique<TPlayMediaEventAction>()));
    a.SetFileName("/snd/a.wav");
    a.SetRepeatType(rtTimes);
    a.SetTimes(5);
    auto& b = static_cast<TPlayMediaEventAction&>(
        second.Actions().Add(std::make_unique<TPlayMediaEventAction>()));
    b.SetFileName("/snd/b.wav");
    b.SetRepeatType(rtTimes);
    b.SetTimes(2);

    first.ExecuteIfEnabled();
    files->End();
    EXPECT_EQ(a.PlayCount(), 1);
    second.ExecuteIfEnabled();
    EXPECT_EQ(real->CurrentAction(), static_cast<IAudioClient*>(&b));

    // Closing the first alarm must not silence the second.
    first.EventClosed();
    EXPECT_TRUE(real->IsPlaying());
    files->End();
    EXPECT_EQ(a.PlayCount(), 0) << "stopped by its closed alarm";
    EXPECT_EQ(b.PlayCount(), 1);
    files->End();
    EXPECT_FALSE(real->IsPlaying());
    EXPECT_EQ(files->started,
              (std::vector<std::string>{"/snd/a.wav", "/snd/a.wav", "/snd/b.wav", "/snd/b.wav"}));
}

TEST_F(WithRealPlayer, AMinuteOfA25SecondFile) {
    TPlayMediaEventAction a;
    a.SetFileName("/snd/a.wav");
    a.SetRepeatType(rtMinutes);
    a.SetMinutes(1);
    a.ExecuteIfEnabled();
    time.Advance(25000);
    files->End();
    time.Advance(25000);
    files->End();
    time.Advance(9500);
    EXPECT_TRUE(real->IsPlaying());
    time.Advance(600);
    EXPECT_FALSE(real->IsPlaying());
    EXPECT_EQ(files->started.size(), 3u);
    EXPECT_EQ(timers.Count(), 0u);
    time.Advance(600000);
    EXPECT_EQ(files->started.size(), 3u);
}

TEST_F(WithRealPlayer, DestroyingTheOwnerSilencesThePlayer) {
    auto c = std::make_unique<TComplexEventAction>();
    auto& a = static_cast<TPlayMediaEventAction&>(
        c->Actions().Add(std::make_unique<TPlayMediaEventAction>()));
    a.SetFileName("/snd/a.wav");
    a.SetRepeatType(rtMinutes);
    a.SetMinutes(3);
    c->ExecuteIfEnabled();
    c.reset();
    EXPECT_FALSE(real->IsPlaying());
    EXPECT_EQ(real->CurrentAction(), nullptr);
    EXPECT_NO_THROW(time.Advance(600000));
    EXPECT_EQ(files->started.size(), 1u);
}

} // namespace
} // namespace kelvo

#pragma once

// Recording stand-ins for the outside world of the actions, a hand-driven clock for the
// action timer list, and a fixture that installs them in the action context.

#include "core/actions/AlarmSwitches.h"
#include "core/actions/EventAction.h"
#include "core/timers/paTimerList.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace kelvo::test {

// Ticks and system timers moved by hand: Advance fires every active timer when its period
// is complete, in time order, as the event loop would.
class ManualTime : public ITickCounter, public ITimerFactory {
public:
    std::uint32_t TickCount() const override { return static_cast<std::uint32_t>(now_); }

    class Timer : public ITimer {
    public:
        explicit Timer(ManualTime& time) : time_(time) { time_.timers_.push_back(this); }
        ~Timer() override { std::erase(time_.timers_, this); }
        void Start(std::uint32_t intervalMs, bool singleShot) override {
            interval = intervalMs;
            single = singleShot;
            active = true;
            due = time_.now_ + intervalMs;
        }
        void Stop() override { active = false; }
        bool IsActive() const override { return active; }

        ManualTime& time_;
        std::uint64_t interval = 0, due = 0;
        bool single = false, active = false;
    };

    std::unique_ptr<ITimer> CreateTimer() override { return std::make_unique<Timer>(*this); }

    void Advance(std::uint64_t ms) {
        const std::uint64_t target = now_ + ms;
        for (;;) {
            Timer* next = nullptr;
            for (Timer* t : timers_)
                if (t->active && t->due <= target && (!next || t->due < next->due))
                    next = t;
            if (!next)
                break;
            now_ = next->due;
            next->due += std::max<std::uint64_t>(next->interval, 1);
            if (next->single)
                next->active = false;
            next->OnTimeout();
        }
        now_ = target;
    }
    std::uint64_t Now() const { return now_; }

private:
    std::uint64_t now_ = 0;
    std::vector<Timer*> timers_;
};

// The shared player: remembers every call; Finish ends the sound as the engines would.
class RecordingPlayer : public IActionPlayer {
public:
    void PlayMedia(IAudioClient* action, const std::string& fileName, int volume,
                   bool shuffle) override {
        if (failWith.size())
            throw EAudioError(failWith);
        calls.push_back("media " + fileName + " " + std::to_string(volume) +
                        (shuffle ? " shuffle" : ""));
        current = action;
        playing = true;
    }
    void PlayCD(IAudioClient* action, int track, int volume) override {
        calls.push_back("cd " + std::to_string(track) + " " + std::to_string(volume));
        current = action;
        playing = true;
    }
    void StopAudio() override {
        calls.push_back("stop");
        current = nullptr;
        playing = false;
    }
    bool IsPlaying() const override { return playing; }
    IAudioClient* CurrentAction() const override { return current; }

    // The whole file has played: the owner hears of it.
    void Finish() {
        playing = false;
        if (current)
            current->PlaybackComplete();
    }
    int Count(const std::string& prefix) const {
        return static_cast<int>(std::count_if(
            calls.begin(), calls.end(), [&](const auto& c) { return c.rfind(prefix, 0) == 0; }));
    }

    std::vector<std::string> calls;
    IAudioClient* current = nullptr;
    bool playing = false;
    std::string failWith;
};

class RecordingMailer : public IActionMailer {
public:
    bool SendMail(const std::string& subject, const std::string& recipients,
                  const std::string& body, const std::string& attachments,
                  std::function<void(const std::string& error)> finished) override {
        if (!available)
            return false;
        sent.push_back(recipients + "|" + subject + "|" + body + "|" + attachments);
        done.push_back(std::move(finished));
        return true;
    }
    bool available = true;
    std::vector<std::string> sent;
    std::vector<std::function<void(const std::string&)>> done;
};

class RecordingShell : public IActionShell {
public:
    bool OpenDocument(const std::string& target) override {
        calls.push_back("document " + target);
        return result;
    }
    bool ShellOpen(const std::string& target, const std::string& parameters,
                   const std::string& folder) override {
        calls.push_back("open " + target + "|" + parameters + "|" + folder);
        return result;
    }
    bool result = true;
    std::vector<std::string> calls;
};

class RecordingTones : public IToneGenerator {
public:
    void Tone(int frequencyHz, int durationMs) override {
        tones.push_back(std::to_string(frequencyHz) + "/" + std::to_string(durationMs));
    }
    std::vector<std::string> tones;
};

// Installs the fakes and a timer list on a hand-driven clock; puts the context back after.
class ActionTest : public ::testing::Test {
protected:
    ActionTest() : timers(time, time) {
        TActionContext& c = ActionContext();
        c = TActionContext{};
        c.Player = &player;
        c.Mailer = &mailer;
        c.Shell = &shell;
        c.Tones = &tones;
        c.Timers = &timers;
        c.Switches = &switches;
    }
    ~ActionTest() override { ActionContext() = TActionContext{}; }

    ManualTime time;
    TTimerList timers;
    TAlarmSwitches switches;
    RecordingPlayer player;
    RecordingMailer mailer;
    RecordingShell shell;
    RecordingTones tones;
};

} // namespace kelvo::test

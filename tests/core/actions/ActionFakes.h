#pragma once

// Recording stand-ins for the outside world of the actions, a hand-driven clock for the
// action timer list, and a fixture that installs them in the action context.

#include "core/actions/AlarmSwitches.h"
#include "core/actions/EventAction.h"
#include "core/timers/paTimerList.h"
#include "support/ManualTime.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace kelvo::test {

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

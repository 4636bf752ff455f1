#pragma once

#include "core/audio/AudioEngines.h"
#include "core/audio/paMPEGPlay.h"
#include "core/timers/Timers.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace kelvo::test {

// Plays every file named in playable, throws for names in unopenable, and "opens but does
// not play" anything else.
class FakeFilePlayer : public IFilePlayer {
public:
    bool Play(const std::string& name) override {
        attempts.push_back(name);
        if (unopenable.contains(name))
            throw EAudioError("cannot open " + name);
        playing = playable.contains(name);
        if (playing)
            current = name;
        return playing;
    }
    void Stop() override {
        playing = false;
        ++stops;
    }
    bool IsPlaying() const override { return playing; }
    void Finish() {
        playing = false;
        if (OnEnd)
            OnEnd();
    }
    std::set<std::string> playable;
    std::set<std::string> unopenable;
    std::vector<std::string> attempts;
    std::string current;
    bool playing = false;
    int stops = 0;
};

// The decoder library: streams in decodable play; the test ends them through ended.
class FakeMPEGLibrary : public IMPEGLibrary {
public:
    bool Init() override { return initResult; }
    void Deinit() override { calls.push_back("Deinit"); }
    void Open(const std::string& name) override {
        calls.push_back("Open " + name);
        error = decodable.contains(name) ? 0 : 3;
    }
    int Play(int, int, std::atomic<bool>* flag) override {
        calls.push_back("Play");
        ended = flag;
        mode = 3;
        return 0;
    }
    void Stop() override {
        calls.push_back("Stop");
        mode = 0;
    }
    void Restart() override {
        calls.push_back("Restart");
        mode = 3;
    }
    void Close() override {
        calls.push_back("Close");
        mode = 0;
        error = 0;
    }
    void SetPriority(int p) override { calls.push_back("SetPriority " + std::to_string(p)); }
    void SetOutputDevice(int d, const std::string&) override {
        calls.push_back("SetOutputDevice " + std::to_string(d));
    }
    void SetSndDevice(int d) override { calls.push_back("SetSndDevice " + std::to_string(d)); }
    int GetPlayerMode() override { return mode; }
    int GetCurrentPos() override { return 0; }
    int GetLength() override { return 100; }
    int LastError() override { return error; }

    // What the decoding thread does at the end of the stream.
    void EndStream() {
        mode = 0;
        *ended = true;
    }

    bool initResult = true;
    int error = 0;
    int mode = 0;
    std::atomic<bool>* ended = nullptr;
    std::set<std::string> decodable;
    std::vector<std::string> calls;
};

class FakeVolume : public IMasterVolume {
public:
    int GetMasterVolume() override {
        if (broken)
            throw EAudioError("Error during mixerOpen\n\rCode: 2");
        return volume;
    }
    void SetMasterVolume(int percent) override {
        if (broken)
            throw EAudioError("Error during mixerOpen\n\rCode: 2");
        volume = percent;
        history.push_back(percent);
    }
    bool broken = false;
    int volume = 40;
    std::vector<int> history;
};

class FakeClient : public IAudioClient {
public:
    void PlaybackComplete() override {
        ++completions;
        if (onComplete)
            onComplete();
    }
    int completions = 0;
    std::function<void()> onComplete;
};

} // namespace kelvo::test

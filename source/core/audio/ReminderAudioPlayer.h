#pragma once

#include "core/audio/paAudioPlayer.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kelvo {

class TTimerList;

// The one player all sound actions share. It plays for one action at a time: every start
// first stops what plays, so a new sound always replaces the old one, and only the action
// that owns the sound hears of its end.
class TReminderAudioPlayer : public TAudioPlayer {
public:
    // actionTimers holds the retry timer; volume may be null (no mixer: sounds play at the
    // current volume).
    TReminderAudioPlayer(TAudioEngines engines, TTimerList& actionTimers, IMasterVolume* volume);
    ~TReminderAudioPlayer() override;

    static constexpr std::int32_t RetryIntervalMs = 5000;

    void PlayMedia(IAudioClient* action, const std::string& fileName, int volume, bool shuffle);
    void PlayCD(IAudioClient* action, int track, int volume);
    void StopAudio();
    // Stops only a sound that plays for action, so closing one alarm never silences another.
    // An action must call it before it is destroyed.
    void StopAudioFor(const IAudioClient* action);
    // The master volume of the sound that plays now; the volume from before it comes back
    // when it stops, as with the volume it started with.
    void ChangePlayingVolume(int volume);

    IAudioClient* CurrentAction() const { return currentAction_; }
    int RetryTimerId() const { return retryTimerId_; }
    int SavedVolume() const { return savedVolume_; }

    void SetUseWinAmp(bool value) { UseWinAmp = value; }
    void SetWinAmpPath(const std::string& path) { WinAmpPath = path; }
    void SetSoundsFolder(const std::string& folder) { soundsFolder_ = folder; }
    const std::string& SoundsFolder() const { return soundsFolder_; }

    // Where a failing mixer is reported; the sound plays regardless.
    std::function<void(const std::string&)> OnLog;

private:
    void SetVolume(int volume);
    void RestoreVolume();
    void DeleteRetryTimer();
    void RetryTick();
    void Log(const std::string& text);

    TTimerList& actionTimers_;
    IMasterVolume* volume_;
    std::string soundsFolder_;
    IAudioClient* currentAction_ = nullptr;
    IAudioClient* completionTarget_ = nullptr;
    int retryTimerId_ = -1;
    int savedVolume_ = -1;
};

} // namespace kelvo

#include "core/audio/ReminderAudioPlayer.h"

#include "core/timers/paTimerList.h"

#include <algorithm>

namespace kelvo {

TReminderAudioPlayer::TReminderAudioPlayer(TAudioEngines engines, TTimerList& actionTimers,
                                           IMasterVolume* volume)
    : TAudioPlayer(std::move(engines)), actionTimers_(actionTimers), volume_(volume) {
    OnComplete = [this] {
        if (IAudioClient* target = completionTarget_)
            target->PlaybackComplete();
    };
}

TReminderAudioPlayer::~TReminderAudioPlayer() {
    StopAudio();
    OnComplete = nullptr;
}

void TReminderAudioPlayer::PlayMedia(IAudioClient* action, const std::string& fileName, int volume,
                                     bool shuffle) {
    StopAudio();
    const std::string name = ExpandFileName(CleanSoundName(fileName), soundsFolder_);
    Shuffle = shuffle;
    if (!FillPlayList(name, soundsFolder_, PlayList) || PlayList.empty())
        return;
    SetVolume(volume);
    Play();
    // The external player's playback is never seen here; sending it the sound again every
    // few seconds would restart it over and over.
    if (!IsPlaying() && action && !UseWinAmp) {
        retryTimerId_ =
            actionTimers_.AddTimer(RetryIntervalMs, true, [this](TTimerEvent&) { RetryTick(); });
    }
    actionTimers_.SetActive(true);
    currentAction_ = action;
    completionTarget_ = action;
}

void TReminderAudioPlayer::RetryTick() {
    if (!IsPlaying() && currentAction_) {
        Play();
        return;
    }
    DeleteRetryTimer();
}

void TReminderAudioPlayer::PlayCD(IAudioClient* action, int track, int volume) {
    StopAudio();
    currentAction_ = action;
    completionTarget_ = action;
    SetVolume(volume);
    Stop();
    PlayCDTrack(track);
}

void TReminderAudioPlayer::StopAudio() {
    DeleteRetryTimer();
    currentAction_ = nullptr;
    completionTarget_ = nullptr;
    Stop();
    RestoreVolume();
}

void TReminderAudioPlayer::StopAudioFor(const IAudioClient* action) {
    if (action && currentAction_ == action)
        StopAudio();
}

void TReminderAudioPlayer::DeleteRetryTimer() {
    if (retryTimerId_ < 0)
        return;
    const int id = retryTimerId_;
    retryTimerId_ = -1;
    actionTimers_.DeleteTimer(id);
}

void TReminderAudioPlayer::SetVolume(int volume) {
    savedVolume_ = -1;
    if (volume < 0)
        return;
    if (!volume_) {
        Log("No mixer: the sound plays at the current volume");
        return;
    }
    // An alarm that cannot set its volume must still be heard.
    try {
        const int current = volume_->GetMasterVolume();
        volume_->SetMasterVolume(std::min(volume, 100));
        savedVolume_ = current;
    } catch (const EpaError& e) {
        Log(std::string("Master volume not set, playing at the current volume: ") + e.what());
    }
}

void TReminderAudioPlayer::ChangePlayingVolume(int volume) {
    if (!IsPlaying() || volume < 0 || !volume_)
        return;
    if (savedVolume_ < 0) {
        SetVolume(volume);
        return;
    }
    try {
        volume_->SetMasterVolume(std::min(volume, 100));
    } catch (const EpaError& e) {
        Log(std::string("Master volume not set: ") + e.what());
    }
}

void TReminderAudioPlayer::RestoreVolume() {
    if (savedVolume_ < 0)
        return;
    const int saved = savedVolume_;
    savedVolume_ = -1;
    try {
        volume_->SetMasterVolume(saved);
    } catch (const EpaError& e) {
        Log(std::string("Master volume not restored: ") + e.what());
    }
}

void TReminderAudioPlayer::Log(const std::string& text) {
    if (OnLog)
        OnLog(text);
}

} // namespace kelvo

#pragma once

#include "core/util/paError.h"

#include <functional>
#include <string>
#include <vector>

namespace kelvo {

class EAudioError : public EpaError {
public:
    using EpaError::EpaError;
};

// The action a sound is played for; told once its whole file or playlist has been played.
class IAudioClient {
public:
    virtual ~IAudioClient() = default;
    virtual void PlaybackComplete() = 0;
};

// Plays one sound file. Play throws EAudioError when the file cannot be opened at all (the
// player then tries the decoder library); otherwise it returns whether the file now plays.
// OnEnd comes on the one thread, after the file has played to its end, never from inside
// Play or Stop.
class IFilePlayer {
public:
    virtual ~IFilePlayer() = default;
    virtual bool Play(const std::string& fileName) = 0;
    // Stops and closes whatever is open; never throws.
    virtual void Stop() = 0;
    virtual bool IsPlaying() const = 0;

    std::function<void()> OnEnd;
};

// Audio-CD tracks. TrackCount and PlayTrack throw EAudioError when there is no disc or the
// track cannot be played.
class ICDPlayer {
public:
    virtual ~ICDPlayer() = default;
    virtual bool HasDrive() = 0;
    virtual int TrackCount() = 0;
    // Plays from the start of track (1-based) to the end of the disc.
    virtual bool PlayTrack(int track) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() const = 0;

    std::function<void()> OnEnd;
};

// A separate player program the user prefers; its playback is never seen by IsPlaying.
class IExternalPlayer {
public:
    virtual ~IExternalPlayer() = default;
    virtual void SetProgramPath(const std::string& path) = 0;
    // Replaces the player's list by entries and starts playing; an empty list silences what
    // it plays for this program, and nothing else.
    virtual void PlayList(const std::vector<std::string>& entries) = 0;
};

// The system's master volume in percent. Both calls throw EAudioError when no mixer answers.
class IMasterVolume {
public:
    virtual ~IMasterVolume() = default;
    virtual int GetMasterVolume() = 0;
    virtual void SetMasterVolume(int percent) = 0;
};

class IToneGenerator {
public:
    virtual ~IToneGenerator() = default;
    // Returns when the tone has been played; a duration below zero counts as zero.
    virtual void Tone(int frequencyHz, int durationMs) = 0;
};

// The beep of a beep action: three short A4 tones and a longer F4.
void PlayBeepTones(IToneGenerator& tones);

} // namespace kelvo

#pragma once

#include "core/audio/AudioEngines.h"
#include "core/timers/Timers.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace kelvo {

// An error of the decoder library; Code() is the library's error code.
class TMPEGError : public EAudioError {
public:
    explicit TMPEGError(int code);
    TMPEGError(const std::string& message, int code);
};

// The fixed message of a decoder error code; unknown codes read "Unknown decoder error".
std::string MPEGErrorMessage(int code);

enum class TPlayPriority { Idle, Lowest, BelowNormal, Normal, AboveNormal, Highest, TimeCritical };
int ThreadPriorityValue(TPlayPriority priority);

enum class TOutputDevice { wavemapper, pcmfile };

// The decoder library's entry points as this program calls them. The library decodes on a
// thread of its own and reports the end only by setting the ended flag passed to Play.
// Every call leaves its outcome in LastError (0 = none).
class IMPEGLibrary {
public:
    virtual ~IMPEGLibrary() = default;
    virtual bool Init() = 0;
    virtual void Deinit() = 0;
    virtual void Open(const std::string& fileName) = 0;
    virtual int Play(int startPos, int endPos, std::atomic<bool>* ended) = 0;
    virtual void Stop() = 0;
    virtual void Restart() = 0;
    virtual void Close() = 0;
    virtual void SetPriority(int priority) = 0;
    virtual void SetOutputDevice(int device, const std::string& outFileName) = 0;
    virtual void SetSndDevice(int device) = 0;
    virtual int GetPlayerMode() = 0;
    virtual int GetCurrentPos() = 0;
    virtual int GetLength() = 0;
    virtual int LastError() = 0;
};

inline constexpr int MPEGModePlaying = 3;

// Plays one stream through the decoder library; polls the library's end flag on the one
// thread every TimerFreq milliseconds and then calls OnPlayEnd.
class TMPEGPlayer {
public:
    explicit TMPEGPlayer(ITimerFactory& timers);
    ~TMPEGPlayer();
    TMPEGPlayer(const TMPEGPlayer&) = delete;
    TMPEGPlayer& operator=(const TMPEGPlayer&) = delete;

    // Takes the loaded library (null when it could not be loaded) and initializes it.
    // Throws TMPEGError: "Can't load MPEG library" for null, the library's code when its
    // Init fails (the library is then kept but treated as absent).
    void Load(std::unique_ptr<IMPEGLibrary> library);
    bool Loaded() const { return initialized_; }

    void SetStreamName(const std::string& name);
    const std::string& StreamName() const { return streamName_; }
    void Open();
    void Start();
    void Stop();
    void Close();
    int PlayerMode();
    bool Opened() const { return opened_; }
    bool Playing() const { return playing_; }
    int Length() const { return length_; }
    int PlayedXTimes() const { return playedXTimes_; }

    TPlayPriority PlayerPriority = TPlayPriority::TimeCritical;
    bool UseTimer = true;
    std::uint32_t TimerFreq = 500;
    TOutputDevice OutputDevice = TOutputDevice::wavemapper;
    int WaveDeviceNum = 0;
    std::string OutFilename;
    std::function<void()> OnPlayEnd;

private:
    IMPEGLibrary& Library();
    void Check();
    void Poll();

    std::unique_ptr<IMPEGLibrary> library_;
    std::unique_ptr<ITimer> pollTimer_;
    bool initialized_ = false;
    std::string streamName_;
    bool opened_ = false;
    bool playing_ = false;
    int playedXTimes_ = 0;
    int length_ = 0;
    std::atomic<bool> ended_{false};
};

} // namespace kelvo

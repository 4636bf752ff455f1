#include "core/audio/paMPEGPlay.h"

#include "core/util/paTranslate.h"

#include <array>

namespace kelvo {

namespace {
constexpr std::array<const char*, 6> kErrorMessages = {
    KELVO_TR_NOOP("paMPEGPlay", "MPEG library not loaded"),
    KELVO_TR_NOOP("paMPEGPlay", "Internal decoder error"),
    KELVO_TR_NOOP("paMPEGPlay", "Incorrect mode"),
    KELVO_TR_NOOP("paMPEGPlay", "Input stream error"),
    KELVO_TR_NOOP("paMPEGPlay", "Input stream is non-seekable"),
    KELVO_TR_NOOP("paMPEGPlay", "Output device failure"),
};
} // namespace

std::string MPEGErrorMessage(int code) {
    if (code >= 0 && code < static_cast<int>(kErrorMessages.size()))
        return Translate("paMPEGPlay", kErrorMessages[static_cast<std::size_t>(code)]);
    return KELVO_TR("paMPEGPlay", "Unknown decoder error");
}

TMPEGError::TMPEGError(int code) : EAudioError(MPEGErrorMessage(code), {}, code) {}
TMPEGError::TMPEGError(const std::string& message, int code) : EAudioError(message, {}, code) {}

int ThreadPriorityValue(TPlayPriority priority) {
    constexpr std::array<int, 7> values = {-15, -2, -1, 0, 1, 2, 15};
    return values[static_cast<std::size_t>(priority)];
}

TMPEGPlayer::TMPEGPlayer(ITimerFactory& timers) : pollTimer_(timers.CreateTimer()) {
    pollTimer_->OnTimeout = [this] { Poll(); };
}

TMPEGPlayer::~TMPEGPlayer() {
    pollTimer_->Stop();
    if (library_ && initialized_) {
        try {
            Close();
        } catch (const EpaError&) {
            // The library is going away anyway.
        }
        library_->Deinit();
    }
}

void TMPEGPlayer::Load(std::unique_ptr<IMPEGLibrary> library) {
    if (!library)
        throw TMPEGError(KELVO_TR("paMPEGPlay", "Can't load MPEG library"), 0);
    library_ = std::move(library);
    if (!library_->Init())
        throw TMPEGError(library_->LastError());
    initialized_ = true;
}

IMPEGLibrary& TMPEGPlayer::Library() {
    if (!library_ || !initialized_)
        throw TMPEGError(0);
    return *library_;
}

void TMPEGPlayer::Check() {
    const int code = library_->LastError();
    if (code >= 1)
        throw TMPEGError(code);
}

void TMPEGPlayer::SetStreamName(const std::string& name) {
    if (opened_)
        Close();
    streamName_ = name;
}

void TMPEGPlayer::Open() {
    IMPEGLibrary& lib = Library();
    if (opened_)
        Close();
    lib.Open(streamName_);
    Check();
    opened_ = true;
    playedXTimes_ = 1;
    length_ = lib.GetLength();
    Check();
}

void TMPEGPlayer::Start() {
    IMPEGLibrary& lib = Library();
    if (playing_)
        return;
    if (!opened_)
        Open();
    ended_ = false;
    if (playedXTimes_ < 2) {
        lib.SetPriority(ThreadPriorityValue(PlayerPriority));
        Check();
        lib.SetOutputDevice(OutputDevice == TOutputDevice::wavemapper ? 0 : 2, OutFilename);
        Check();
        lib.SetSndDevice(WaveDeviceNum);
        Check();
        const int result = lib.Play(0, 0, &ended_);
        if (result != 0 && lib.LastError() < 1)
            throw TMPEGError(1);
        Check();
    } else {
        lib.Restart();
        Check();
    }
    playing_ = true;
    ++playedXTimes_;
    if (UseTimer) {
        pollTimer_->Start(TimerFreq);
        Poll();
    }
}

void TMPEGPlayer::Stop() {
    IMPEGLibrary& lib = Library();
    if (!playing_ || ended_)
        throw TMPEGError(2);
    lib.Stop();
    playing_ = false;
    pollTimer_->Stop();
    Check();
}

void TMPEGPlayer::Close() {
    IMPEGLibrary& lib = Library();
    opened_ = false;
    playing_ = false;
    playedXTimes_ = 0;
    pollTimer_->Stop();
    lib.Close();
    Check();
}

int TMPEGPlayer::PlayerMode() {
    IMPEGLibrary& lib = Library();
    const int mode = lib.GetPlayerMode();
    Check();
    return mode;
}

void TMPEGPlayer::Poll() {
    if (!opened_ || !playing_) {
        pollTimer_->Stop();
        return;
    }
    library_->GetCurrentPos();
    if (ended_) {
        pollTimer_->Stop();
        playing_ = false;
        ended_ = false;
        if (OnPlayEnd)
            OnPlayEnd();
    }
}

} // namespace kelvo

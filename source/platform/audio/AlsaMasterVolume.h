#pragma once

#include "core/audio/AudioEngines.h"

#include <string>

struct _snd_mixer;
struct _snd_mixer_elem;

namespace kelvo {

// The "Master" element of an ALSA mixer (the default card unless told otherwise). Opened on
// first use and kept open; a failure throws EAudioError and the next call tries again.
class TAlsaMasterVolume : public IMasterVolume {
public:
    explicit TAlsaMasterVolume(std::string card = "default", std::string element = "Master");
    ~TAlsaMasterVolume() override;
    TAlsaMasterVolume(const TAlsaMasterVolume&) = delete;
    TAlsaMasterVolume& operator=(const TAlsaMasterVolume&) = delete;

    int GetMasterVolume() override;
    void SetMasterVolume(int percent) override;

private:
    void Open();
    void CloseMixer();

    std::string card_;
    std::string element_;
    _snd_mixer* mixer_ = nullptr;
    _snd_mixer_elem* elem_ = nullptr;
    long min_ = 0;
    long max_ = 0;
};

} // namespace kelvo

#include "platform/audio/AlsaMasterVolume.h"

#include <algorithm>
#include <alsa/asoundlib.h>
#include <cstdio>

namespace kelvo {

namespace {

void Quiet(const char*, int, const char*, int, const char*, ...) {}

[[noreturn]] void Fail(int code) {
    char text[64];
    std::snprintf(text, sizeof text, "Error during mixerOpen\n\rCode: %d", code);
    throw EAudioError(text, snd_strerror(code), code);
}

} // namespace

TAlsaMasterVolume::TAlsaMasterVolume(std::string card, std::string element)
    : card_(std::move(card)), element_(std::move(element)) {}

TAlsaMasterVolume::~TAlsaMasterVolume() {
    CloseMixer();
}

void TAlsaMasterVolume::CloseMixer() {
    if (mixer_)
        snd_mixer_close(mixer_);
    mixer_ = nullptr;
    elem_ = nullptr;
}

void TAlsaMasterVolume::Open() {
    if (elem_)
        return;
    // Without a sound card the library would print to the terminal on every try.
    snd_lib_error_set_handler(Quiet);
    int code = snd_mixer_open(&mixer_, 0);
    if (code < 0) {
        mixer_ = nullptr;
        Fail(code);
    }
    if ((code = snd_mixer_attach(mixer_, card_.c_str())) < 0 ||
        (code = snd_mixer_selem_register(mixer_, nullptr, nullptr)) < 0 ||
        (code = snd_mixer_load(mixer_)) < 0) {
        CloseMixer();
        Fail(code);
    }
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_index(id, 0);
    snd_mixer_selem_id_set_name(id, element_.c_str());
    elem_ = snd_mixer_find_selem(mixer_, id);
    if (!elem_ || !snd_mixer_selem_has_playback_volume(elem_) ||
        snd_mixer_selem_get_playback_volume_range(elem_, &min_, &max_) < 0 || max_ <= min_) {
        CloseMixer();
        Fail(-ENOENT);
    }
}

int TAlsaMasterVolume::GetMasterVolume() {
    Open();
    long value = 0;
    const int code = snd_mixer_selem_get_playback_volume(elem_, SND_MIXER_SCHN_FRONT_LEFT, &value);
    if (code < 0) {
        CloseMixer();
        Fail(code);
    }
    return static_cast<int>(((value - min_) * 100 + (max_ - min_) / 2) / (max_ - min_));
}

void TAlsaMasterVolume::SetMasterVolume(int percent) {
    Open();
    percent = std::clamp(percent, 0, 100);
    const long value = min_ + ((max_ - min_) * percent + 50) / 100;
    const int code = snd_mixer_selem_set_playback_volume_all(elem_, value);
    if (code < 0) {
        CloseMixer();
        Fail(code);
    }
}

} // namespace kelvo

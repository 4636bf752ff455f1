#pragma once

#include "core/audio/AudioEngines.h"

#include <string>

namespace kelvo {

// Sine tones played through GStreamer; Tone returns once the tone has been heard. Without
// sound output it returns at once: a beep must never stop the actions after it.
class TGstToneGenerator : public IToneGenerator {
public:
    // sink: a pipeline description for the audio output; empty means AudioSinkDescription().
    explicit TGstToneGenerator(std::string sink = {});
    void Tone(int frequencyHz, int durationMs) override;

    // The reason the last tone was not played, empty when it was.
    const std::string& LastError() const { return lastError_; }

private:
    std::string sink_;
    std::string lastError_;
};

} // namespace kelvo

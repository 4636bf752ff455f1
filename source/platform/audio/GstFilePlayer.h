#pragma once

#include "core/audio/AudioEngines.h"

#include <memory>
#include <string>

typedef struct _GstElement GstElement;

namespace kelvo {

// The audio output GStreamer plays to: the KELVO_AUDIO_SINK environment variable (a
// pipeline description such as "fakesink sync=true") when set, else the desktop's default.
std::string AudioSinkDescription();

// Makes sure GStreamer is initialized; false (with a reason) when it cannot be.
bool EnsureGStreamer(std::string* reason = nullptr);

// Plays one file or URI through GStreamer's playbin, sound only. The end of the stream and
// playing errors arrive on the thread that created the player, through its event loop.
class TGstFilePlayer : public IFilePlayer {
public:
    // sink: a pipeline description for the audio output; empty means AudioSinkDescription().
    explicit TGstFilePlayer(std::string sink = {});
    ~TGstFilePlayer() override;

    bool Play(const std::string& fileName) override;
    void Stop() override;
    bool IsPlaying() const override { return playing_; }

    // How long opening may take before it counts as failed.
    int OpenTimeoutMs = 5000;

    struct Bridge;
    // The stream of generation has ended or failed; older generations are ignored.
    void StreamEnded(unsigned generation);

private:
    std::string sink_;
    GstElement* pipeline_ = nullptr;
    std::shared_ptr<Bridge> bridge_;
    unsigned generation_ = 0;
    bool playing_ = false;
};

} // namespace kelvo

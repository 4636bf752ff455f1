#pragma once

#include "core/audio/AudioEngines.h"
#include "platform/audio/GstFilePlayer.h"

#include <string>
#include <vector>

namespace kelvo {

// Audio-CD tracks through GStreamer's cdda:// source, where the plug-in and a drive exist.
class TGstCDPlayer : public ICDPlayer {
public:
    // devices: the drives to look for; empty means /dev/cdrom and /dev/sr0 to /dev/sr3.
    explicit TGstCDPlayer(std::vector<std::string> devices = {}, std::string sink = {});

    bool HasDrive() override;
    int TrackCount() override;
    bool PlayTrack(int track) override;
    void Stop() override { player_.Stop(); }
    bool IsPlaying() const override { return player_.IsPlaying(); }

private:
    std::string Drive() const;

    std::vector<std::string> devices_;
    TGstFilePlayer player_;
};

} // namespace kelvo

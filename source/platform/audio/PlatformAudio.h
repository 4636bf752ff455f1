#pragma once

#include "core/audio/paAudioPlayer.h"
#include "core/timers/Timers.h"

#include <functional>
#include <memory>
#include <string>

namespace kelvo {

// The real engines for the shared player: GStreamer for files and CDs, the decoder library
// when it can be loaded (otherwise MPEGAvailable is false), an MPRIS player as the external
// one. log receives why the decoder library is missing.
TAudioEngines CreateAudioEngines(ITimerFactory& timers,
                                 const std::function<void(const std::string&)>& log = {});

std::unique_ptr<IMasterVolume> CreateMasterVolume();
std::unique_ptr<IToneGenerator> CreateToneGenerator();

} // namespace kelvo

#include "platform/audio/PlatformAudio.h"

#include "platform/audio/AlsaMasterVolume.h"
#include "platform/audio/GstCDPlayer.h"
#include "platform/audio/GstFilePlayer.h"
#include "platform/audio/GstToneGenerator.h"
#include "platform/audio/Mpg123Library.h"
#include "platform/audio/MprisPlayer.h"

namespace kelvo {

TAudioEngines CreateAudioEngines(ITimerFactory& timers,
                                 const std::function<void(const std::string&)>& log) {
    TAudioEngines engines;
    engines.File = std::make_unique<TGstFilePlayer>();
    auto mpeg = std::make_unique<TMPEGPlayer>(timers);
    mpeg->PlayerPriority = TPlayPriority::TimeCritical;
    mpeg->UseTimer = true;
    mpeg->TimerFreq = 500;
    mpeg->OutputDevice = TOutputDevice::wavemapper;
    mpeg->WaveDeviceNum = 0;
    try {
        mpeg->Load(LoadMpg123Library());
    } catch (const EpaError& e) {
        if (log)
            log(std::string("MP3 decoder library not available: ") + e.what());
    }
    engines.MPEG = std::move(mpeg);
    engines.CD = std::make_unique<TGstCDPlayer>();
    engines.External = std::make_unique<TMprisPlayer>();
    return engines;
}

std::unique_ptr<IMasterVolume> CreateMasterVolume() {
    return std::make_unique<TAlsaMasterVolume>();
}

std::unique_ptr<IToneGenerator> CreateToneGenerator() {
    return std::make_unique<TGstToneGenerator>();
}

} // namespace kelvo

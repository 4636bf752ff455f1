#include "core/audio/AudioEngines.h"

namespace kelvo {

void PlayBeepTones(IToneGenerator& tones) {
    for (int i = 0; i < 3; ++i)
        tones.Tone(440, 250);
    tones.Tone(349, 300);
}

} // namespace kelvo

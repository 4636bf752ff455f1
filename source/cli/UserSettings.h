#pragma once

// The desktop program's settings that running actions depends on, read from the user's
// settings store. Kept apart from the entities: the options' colour names clash with theirs.

#include "core/options/MailOptions.h"

#include <string>

namespace kelvo::cli {

struct TActionSettings {
    int AlarmMode = 0;
    bool UseWavForBeep = false;
    std::string BeepFileName;
    bool UseExternalPlayer = false;
    std::string ExternalPlayerPath;
    TMailOptions Mail;
};

TActionSettings ReadActionSettings();

} // namespace kelvo::cli

#pragma once

#include "platform/session/paAutostart.h"

namespace kelvo {

class TProgramOptions;

// The start-at-logon entry as the options see it. Reading (at start-up and before the
// settings are saved) sets StartupRunAtStartup from the entry's existence and, when it
// exists, StartupDirectlyIntoTray from its arguments. Writing (when the settings are
// saved) brings the entry in line with both options.
void ReadStartupShortcut(const TStartupShortcut& shortcut, TProgramOptions& options);
void WriteStartupShortcut(const TStartupShortcut& shortcut, const TProgramOptions& options);

} // namespace kelvo

#include "platform/session/paStartupOptions.h"

#include "core/options/ProgramOptions.h"

namespace kelvo {

void ReadStartupShortcut(const TStartupShortcut& shortcut, TProgramOptions& options) {
    bool run = false;
    bool tray = options.StartupDirectlyIntoTray.Value();
    shortcut.Read(run, tray);
    options.StartupRunAtStartup.SetValue(run);
    options.StartupDirectlyIntoTray.SetValue(tray);
}

void WriteStartupShortcut(const TStartupShortcut& shortcut, const TProgramOptions& options) {
    shortcut.Write(options.StartupRunAtStartup.Value(), options.StartupDirectlyIntoTray.Value());
}

} // namespace kelvo

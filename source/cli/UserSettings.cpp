#include "cli/UserSettings.h"

#ifdef KELVO_HAVE_PLATFORM

#include "core/options/ProgramOptions.h"
#include "platform/settings/AppIniReg.h"

namespace kelvo::cli {

TActionSettings ReadActionSettings() {
    TAppIniReg ini;
    TProgramOptions options;
    options.List.SetSection("Options");
    options.List.Load(ini);
    TActionSettings s;
    s.AlarmMode = options.AlarmOption.Value();
    s.UseWavForBeep = options.MediaUseWavForBeep.Value();
    s.BeepFileName = options.MediaBeepFileName.Value();
    s.UseExternalPlayer = options.MediaPlayerType.Value() == 1;
    s.ExternalPlayerPath = options.MediaWinAmpPath.Value();
    s.Mail.LoadFromStore(ini, "Options");
    return s;
}

} // namespace kelvo::cli

#endif

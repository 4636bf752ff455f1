#include "cli/UserSettings.h"

#ifdef KELVO_HAVE_PLATFORM

#include "core/options/ProgramOptions.h"
#include "platform/settings/AppIniReg.h"
#include "platform/settings/SecretServiceStore.h"

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
    // Read where the desktop program keeps it; moving it is the desktop program's business.
    TSecretServiceStore secrets;
    s.Mail.LoadFromStore(ini, "Options", &secrets);
    return s;
}

} // namespace kelvo::cli

#endif

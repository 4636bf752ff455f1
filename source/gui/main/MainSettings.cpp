#include "gui/main/MainSettings.h"

#include "core/actions/AlarmSwitches.h"
#include "core/diagnostics/paOptionsReportSource.h"
#include "core/options/KeptSecret.h"
#include "core/options/MailOptions.h"
#include "core/options/ProgramOptions.h"
#include "core/options/paAppIni.h"
#include "core/timers/ProgramFolders.h"
#include "core/util/paDateUtils.h"
#include "platform/hotkeys/paHotKeyOptions.h"
#include "platform/hotkeys/paHotKeys.h"
#include "platform/session/paStartupOptions.h"
#include "platform/settings/SecretStoreWorker.h"

#include <QFontDatabase>

namespace kelvo {

TMainSettings::TMainSettings(TAppIni& ini)
    : ini_(ini), options_(std::make_unique<TProgramOptions>()),
      mail_(std::make_unique<TMailOptions>()), secrets_(std::make_unique<TSecretStoreWorker>()),
      reportSource_(std::make_unique<TOptionsReportSource>(*options_)) {}

TMainSettings::~TMainSettings() {
    FinishSecrets();
    BindAlarmSwitches(false);
    reportSource_.reset();
}

IAsyncSecretStore& TMainSettings::Secrets() {
    return *secrets_;
}

bool TMainSettings::MailPasswordKnown() const {
    return !mailPassword_ || mailPassword_->Known();
}

void TMainSettings::WhenMailPasswordKnown(std::function<void()> then) {
    if (mailPassword_)
        mailPassword_->WhenKnown(std::move(then));
    else
        then();
}

void TMainSettings::FinishSecrets() {
    // Long enough for a keyring that merely is busy, short enough not to hold up the end.
    secrets_->Finish(std::chrono::seconds(2));
}

void TMainSettings::Load(const TStartupShortcut* shortcut) {
    TOptionDefaultsContext context;
    context.VerdanaInstalled = QFontDatabase::hasFamily(QStringLiteral("Verdana"));
    context.AppDataFolder = ProgramFolders().AppDataFolder();
    options_->AdjustDefaults(context);
    // The first day of the week defaults to the locale's (0 Monday, as the locale counts).
    const int localeDay = (CurrentLocale().FirstDayOfWeek() + 6) % 7;
    ApplyFirstDayOfWeek(options_->BehaviourFirstDayOfWeek, localeDay, FirstDayOfWeek());

    options_->List.DisableNotify();
    options_->List.Reset();
    options_->List.Load(ini_);
    mail_->LoadFromStore(ini_, options_->List.Section());
    LoadMailPassword();
    if (shortcut)
        ReadStartupShortcut(*shortcut, *options_);
    options_->List.EnableNotify();
    SetFirstDayOfWeek(
        ApplyFirstDayOfWeek(options_->BehaviourFirstDayOfWeek, localeDay, FirstDayOfWeek()));
}

void TMainSettings::Save(const TStartupShortcut* shortcut) {
    {
        TAppIniUpdate update(ini_);
        options_->List.Save(ini_);
        mail_->SaveWithoutPassword(ini_, options_->List.Section());
        MailPassword().Set(mail_->SMTPOptions.Login.Password().Value());
    }
    if (shortcut)
        WriteStartupShortcut(*shortcut, *options_);
}

TKeptSecret& TMainSettings::MailPassword() {
    if (!mailPassword_) {
        mailPassword_ =
            std::make_unique<TKeptSecret>(ini_, *secrets_, options_->List.Section(),
                                          TMailOptions::PasswordName, TMailOptions::PasswordName);
        mailPassword_->OnChange = [this] {
            mail_->SMTPOptions.Login.Password().SetValue(mailPassword_->Value());
            mail_->PasswordPlace = mailPassword_->Place();
        };
    }
    return *mailPassword_;
}

void TMainSettings::LoadMailPassword() {
    TKeptSecret& password = MailPassword();
    password.Load();
    password.OnChange();
}

std::string TMainSettings::DataLocation() const {
    return options_->StartupDataLocation.Value();
}

void TMainSettings::SetDataLocation(const std::string& path) {
    options_->StartupDataLocation.SetValue(path);
}

std::string TMainSettings::DefaultDataLocation() const {
    return options_->StartupDataLocation.DefaultValue();
}

bool TMainSettings::ShowTrayIcon() const {
    return options_->BehaviourShowTrayIcon.Value();
}
bool TMainSettings::HideFromTaskbar() const {
    return options_->BehaviourHideFromTaskbar.Value();
}
int TMainSettings::AlarmOption() const {
    return options_->AlarmOption.Value();
}

void TMainSettings::BindAlarmSwitches(bool bind) {
    AlarmSwitches().BindOption(bind ? &options_->AlarmOption : nullptr);
}

void TMainSettings::OnShowTrayIconChanged(std::function<void()> handler) {
    options_->BehaviourShowTrayIcon.OnChanged = [handler = std::move(handler)](TOption&) {
        if (handler)
            handler();
    };
}

void TMainSettings::RegisterHotKeys(TGlobalHotKeys& keys) const {
    hotKeys_ = &keys;
    for (int id = 1; id <= 3; ++id)
        RegisterHotKeyFromOptions(keys, *options_, id);
}

void TMainSettings::ReregisterHotKeys() const {
    if (hotKeys_)
        RegisterHotKeys(*hotKeys_);
}

bool TMainSettings::UseWavForBeep() const {
    return options_->MediaUseWavForBeep.Value();
}
std::string TMainSettings::BeepFileName() const {
    return options_->MediaBeepFileName.Value();
}
bool TMainSettings::ExternalPlayer() const {
    return options_->MediaPlayerType.Value() != 0;
}
std::string TMainSettings::ExternalPlayerPath() const {
    return options_->MediaWinAmpPath.Value();
}

} // namespace kelvo

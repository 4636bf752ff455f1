#pragma once

// The main window's options and mail settings with their store. Kept apart from the
// notebook's headers: the option colours and the stream's colours share names.

#include <QPointer>
#include <functional>
#include <memory>
#include <string>

namespace kelvo {

class IAsyncSecretStore;
class TAppIni;
class TKeptSecret;
class TSecretStoreWorker;
class TGlobalHotKeys;
class TMailOptions;
class TOptionsReportSource;
class TProgramOptions;
class TStartupShortcut;

class TMainSettings {
public:
    explicit TMainSettings(TAppIni& ini);
    ~TMainSettings();
    TMainSettings(const TMainSettings&) = delete;
    TMainSettings& operator=(const TMainSettings&) = delete;

    TAppIni& Ini() { return ini_; }
    TProgramOptions& Options() { return *options_; }
    TMailOptions& Mail() { return *mail_; }
    // Where the passwords are kept while the desktop has one; asked without waiting.
    IAsyncSecretStore& Secrets();
    // The mail password is known once the secret store has answered; then runs at once
    // when it is known already.
    bool MailPasswordKnown() const;
    void WhenMailPasswordKnown(std::function<void()> then);
    // Waits a little for the passwords not yet stored; what the store does not take by then
    // stays in the settings file.
    void FinishSecrets();

    // Defaults adjusted to this machine, every option reset, then the store and the
    // start-at-logon entry read; the first day of the week follows. shortcut may be none.
    void Load(const TStartupShortcut* shortcut);
    // Options, mail settings and the start-at-logon entry.
    void Save(const TStartupShortcut* shortcut);

    std::string DataLocation() const;
    void SetDataLocation(const std::string& path);
    std::string DefaultDataLocation() const;

    bool ShowTrayIcon() const;
    bool HideFromTaskbar() const;
    int AlarmOption() const;
    // The alarm switches keep their mode in AlarmOption from now on (false: no longer).
    void BindAlarmSwitches(bool bind);
    void OnShowTrayIconChanged(std::function<void()> handler);
    void RegisterHotKeys(TGlobalHotKeys& keys) const;
    // The keys last registered, again from the options as they are now.
    void ReregisterHotKeys() const;

    // What the actions read.
    bool UseWavForBeep() const;
    std::string BeepFileName() const;
    bool ExternalPlayer() const;
    std::string ExternalPlayerPath() const;

private:
    TKeptSecret& MailPassword();
    void LoadMailPassword();

    TAppIni& ini_;
    std::unique_ptr<TProgramOptions> options_;
    std::unique_ptr<TMailOptions> mail_;
    std::unique_ptr<TSecretStoreWorker> secrets_;
    std::unique_ptr<TKeptSecret> mailPassword_;
    std::unique_ptr<TOptionsReportSource> reportSource_;
    mutable QPointer<TGlobalHotKeys> hotKeys_;
};

} // namespace kelvo

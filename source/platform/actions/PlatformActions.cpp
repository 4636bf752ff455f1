#include "platform/actions/PlatformActions.h"

#include "core/audio/ReminderAudioPlayer.h"
#include "core/mail/SendMail.h"
#include "core/timers/paTimerList.h"
#include "platform/audio/PlatformAudio.h"
#include "platform/mail/SendmailTransport.h"
#include "platform/mail/SmtpMailTransport.h"
#include "platform/runtime/QtTimers.h"
#include "platform/shell/ShellOpen.h"

#include <QMetaObject>
#include <QObject>
#include <cstdio>

namespace kelvo {

TPlatformActions::TPlatformActions()
    : queue_(std::make_unique<QObject>()), timerFactory_(std::make_unique<TQtTimerFactory>()),
      ticks_(std::make_unique<TMonotonicTickCounter>()),
      timerList_(std::make_unique<TTimerList>(*timerFactory_, *ticks_)) {
    auto log = [this](const std::string& text) { Log(text); };
    volume_ = CreateMasterVolume();
    tones_ = CreateToneGenerator();
    player_ = std::make_unique<TReminderAudioPlayer>(CreateAudioEngines(*timerFactory_, log),
                                                     *timerList_, volume_.get());
    player_->OnLog = log;
    playerAdapter_ = std::make_unique<TReminderPlayerAdapter>(*player_);
    smtp_ = std::make_unique<TSmtpMailTransport>();
    mailProgram_ = std::make_unique<TSendmailTransport>();
    mailer_ = std::make_unique<TMailer>(smtp_.get(), mailProgram_.get());
    mailer_->OnError = [this](const std::string& text) { Report(text); };
    mailerAdapter_ = std::make_unique<TMailerAdapter>(*mailer_);
    shell_ = std::make_unique<TDesktopShell>();
}

TPlatformActions::~TPlatformActions() {
    Uninstall();
    // Silence first: the player's end reports must not reach anything being destroyed.
    player_->StopAudio();
}

void TPlatformActions::Install() {
    TActionContext& c = ActionContext();
    c.Player = playerAdapter_.get();
    c.Mailer = mailerAdapter_.get();
    c.Shell = shell_.get();
    c.Tones = tones_.get();
    c.Timers = timerList_.get();
    c.UseWavForBeep = useWavForBeep_;
    c.BeepFileName = beepFileName_;
    c.OnErrors = [this](const EEventActionError& e) {
        for (const std::string& message : e.Messages())
            Report(message);
    };
    // A handler set before (the alarm windows) says it in the window of its alarm.
    if (!c.OnSoundNotPlayed)
        c.OnSoundNotPlayed = [this](const IAudioClient*, const std::string& fileName) {
            Report("The sound \"" + fileName + "\" cannot be played.");
        };
    installed_ = true;
}

void TPlatformActions::Uninstall() {
    if (!installed_)
        return;
    ActionContext() = TActionContext{};
    installed_ = false;
}

void TPlatformActions::SetMailOptions(const TMailOptions* options) {
    mailerAdapter_->SetOptions(options);
}

void TPlatformActions::SetMailWhenReady(std::function<void(std::function<void()>)> whenReady) {
    mailerAdapter_->SetWhenReady(std::move(whenReady));
}

void TPlatformActions::SetBeep(bool useWavForBeep, const std::string& beepFileName) {
    useWavForBeep_ = useWavForBeep;
    beepFileName_ = beepFileName;
    if (installed_) {
        ActionContext().UseWavForBeep = useWavForBeep;
        ActionContext().BeepFileName = beepFileName;
    }
}

void TPlatformActions::SetSoundsFolder(const std::string& folder) {
    player_->SetSoundsFolder(folder);
}

void TPlatformActions::SetExternalPlayer(bool useExternal, const std::string& programPath) {
    player_->SetUseWinAmp(useExternal);
    player_->SetWinAmpPath(programPath);
}

void TPlatformActions::Report(const std::string& text) {
    // Later, from the event loop: a box shown inside the arising would run a nested loop
    // in which the generator's pass could start again.
    QMetaObject::invokeMethod(
        queue_.get(),
        [this, text] {
            if (OnError)
                OnError(text);
            else
                Log(text);
        },
        Qt::QueuedConnection);
}

void TPlatformActions::Log(const std::string& text) {
    if (OnLog)
        OnLog(text);
    else
        std::fprintf(stderr, "%s\n", text.c_str());
}

} // namespace kelvo

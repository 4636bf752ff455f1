#pragma once

// The outside world of the actions on the desktop: the shared player on the real engines,
// the mailer with both routes, the beep tones, the shell and the action timer list on the
// event loop. The desktop program and the command-line tool each create one and install it.

#include "core/actions/EventAction.h"

#include <functional>
#include <memory>
#include <string>

class QObject;

namespace kelvo {

class IMailTransport;
class TMailer;
class TMailOptions;
class TReminderAudioPlayer;
class TTimerList;
class TQtTimerFactory;
class TMonotonicTickCounter;

class TPlatformActions {
public:
    TPlatformActions();
    // Takes itself out of the action context when it is installed.
    ~TPlatformActions();
    TPlatformActions(const TPlatformActions&) = delete;
    TPlatformActions& operator=(const TPlatformActions&) = delete;

    // Makes this the program's action context.
    void Install();
    void Uninstall();

    TTimerList& ActionTimerList() { return *timerList_; }
    TReminderAudioPlayer& Player() { return *player_; }
    TMailer& Mailer() { return *mailer_; }

    // The mail settings; nothing is sent while there are none.
    void SetMailOptions(const TMailOptions* options);
    // When a mail may go: see TMailerAdapter::SetWhenReady.
    void SetMailWhenReady(std::function<void(std::function<void()> send)> whenReady);
    void SetBeep(bool useWavForBeep, const std::string& beepFileName);
    void SetSoundsFolder(const std::string& folder);
    void SetExternalPlayer(bool useExternal, const std::string& programPath);

    // Errors of the actions and of mail sends, each delivered later from the event loop,
    // never inside the arising that caused it. Without a handler they go to the log.
    std::function<void(const std::string& text)> OnError;
    // Where missing sound parts are logged.
    std::function<void(const std::string& text)> OnLog;

private:
    void Report(const std::string& text);
    void Log(const std::string& text);

    std::unique_ptr<QObject> queue_;
    std::unique_ptr<TQtTimerFactory> timerFactory_;
    std::unique_ptr<TMonotonicTickCounter> ticks_;
    std::unique_ptr<TTimerList> timerList_;
    std::unique_ptr<IMasterVolume> volume_;
    std::unique_ptr<IToneGenerator> tones_;
    std::unique_ptr<TReminderAudioPlayer> player_;
    std::unique_ptr<TReminderPlayerAdapter> playerAdapter_;
    std::unique_ptr<IMailTransport> smtp_;
    std::unique_ptr<IMailTransport> mailProgram_;
    std::unique_ptr<TMailer> mailer_;
    std::unique_ptr<TMailerAdapter> mailerAdapter_;
    std::unique_ptr<IActionShell> shell_;
    bool useWavForBeep_ = false;
    std::string beepFileName_;
    bool installed_ = false;
};

} // namespace kelvo

#include "cli/Execute.h"

#include <algorithm>

#ifdef KELVO_HAVE_PLATFORM

#include "cli/UserSettings.h"
#include "core/actions/AlarmSwitches.h"
#include "core/audio/ReminderAudioPlayer.h"
#include "core/timers/ProgramFolders.h"
#include "platform/actions/PlatformActions.h"
#include "platform/runtime/FolderProvider.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <optional>

namespace kelvo::cli {

namespace {

// How one action of the run went; Error empty and Done: ok.
struct TResult {
    std::string Description;
    bool Done = false;
    std::string Error;
};

std::string OneLineText(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return text;
}

// Tells which action a send belongs to, so that its outcome lands on that action's line.
class TTrackingMailer : public IActionMailer {
public:
    TTrackingMailer(IActionMailer& inner, std::vector<TResult>& results)
        : inner_(inner), results_(results) {}

    std::size_t Current = 0;
    int Pending = 0;

    bool SendMail(const std::string& subject, const std::string& recipients,
                  const std::string& body, const std::string& attachments,
                  std::function<void(const std::string& error)> finished) override {
        const std::size_t index = Current;
        results_[index].Done = false;
        ++Pending;
        const bool sent = inner_.SendMail(
            subject, recipients, body, attachments,
            [this, index, finished = std::move(finished)](const std::string& error) {
                --Pending;
                results_[index].Done = true;
                if (!error.empty() && results_[index].Error.empty())
                    results_[index].Error = OneLineText(error);
                if (finished)
                    finished(error);
            });
        if (!sent) {
            --Pending;
            results_[index].Done = true;
            results_[index].Error = "mail is not set up";
        }
        return sent;
    }

private:
    IActionMailer& inner_;
    std::vector<TResult>& results_;
};

// A program or document that cannot be opened is an error here, where someone asks.
class TTrackingShell : public IActionShell {
public:
    TTrackingShell(IActionShell& inner, std::vector<TResult>& results)
        : inner_(inner), results_(results) {}

    std::size_t Current = 0;

    bool OpenDocument(const std::string& target) override {
        return Check(inner_.OpenDocument(target), target);
    }
    bool ShellOpen(const std::string& target, const std::string& parameters,
                   const std::string& folder) override {
        return Check(inner_.ShellOpen(target, parameters, folder), target);
    }

private:
    bool Check(bool opened, const std::string& target) {
        if (!opened)
            results_[Current].Error = "cannot open \"" + target + "\"";
        return opened;
    }

    IActionShell& inner_;
    std::vector<TResult>& results_;
};

bool IsSoundAction(const TEventAction& action) {
    return dynamic_cast<const TBeepEventAction*>(&action) ||
           dynamic_cast<const TAudioEventAction*>(&action);
}

} // namespace

int Execute(const TArguments& args, const TOwnedEvents& events, std::ostream& out) {
    const std::size_t index = ParseEventIndex(args.Positional.empty() ? "" : args.Positional[0]);
    if (index >= events.size())
        throw EUsage("no event " + std::to_string(index) + " (the file holds " +
                     std::to_string(events.size()) + ")");
    const long long timeoutSeconds =
        args.Has("--timeout") ? ParseCount(*args.Value("--timeout"), "--timeout") : 120;

    // The settings the desktop program runs with.
    const TActionSettings settings = ReadActionSettings();
    InstallProgramFolders(std::make_unique<TQtFolderProvider>());

    TAlarmSwitches switches;
    switches.SetAlarmMode(settings.AlarmMode);

    TPlatformActions platform;
    platform.SetMailOptions(&settings.Mail);
    platform.SetBeep(settings.UseWavForBeep, settings.BeepFileName);
    platform.SetSoundsFolder(ProgramFolders().SoundsFolder());
    platform.SetExternalPlayer(settings.UseExternalPlayer, settings.ExternalPlayerPath);
    // Every mail error is on its action's line already.
    platform.OnError = [](const std::string&) {};
    platform.Install();

    TEventActionList& actions = events[index]->EventAction().Actions();
    std::vector<TResult> results(static_cast<std::size_t>(actions.Count()));
    TTrackingMailer mailer(*ActionContext().Mailer, results);
    TTrackingShell shell(*ActionContext().Shell, results);
    ActionContext().Mailer = &mailer;
    ActionContext().Shell = &shell;
    ActionContext().Switches = &switches;

    TReminderAudioPlayer& player = platform.Player();
    const bool soundSeen = !settings.UseExternalPlayer;
    for (std::size_t i = 0; i < results.size(); ++i) {
        TEventAction& action = actions.Items(static_cast<int>(i));
        TResult& result = results[i];
        result.Description = action.GetDescription();
        result.Done = true;
        if (!switches.ActionsEnabled() ||
            (IsSoundAction(action) && !switches.SoundActionsEnabled())) {
            // What the arising would do; not a success for whoever asked to try it.
            result.Error = "switched off";
            continue;
        }
        mailer.Current = shell.Current = i;
        try {
            action.Execute();
        } catch (const std::exception& e) {
            result.Error = OneLineText(e.what());
        }
        // The player keeps retrying a sound that would not start; here that is a failure.
        const auto* audio = dynamic_cast<const TAudioEventAction*>(&action);
        if (audio && soundSeen && result.Error.empty() && !action.IsEmpty() &&
            (player.CurrentAction() != audio || !player.IsPlaying())) {
            result.Error = "the sound does not play";
            player.StopAudioFor(audio);
        }
    }

    auto busy = [&] {
        if (mailer.Pending > 0 || player.IsPlaying() || player.RetryTimerId() >= 0)
            return true;
        for (int i = 0; i < actions.Count(); ++i)
            if (const auto* r = dynamic_cast<const TRepeatableEventAction*>(&actions.Items(i));
                r && r->MinutesTimerId() != 0)
                return true;
        return false;
    };
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!busy() || clock.elapsed() >= timeoutSeconds * 1000)
            loop.quit();
    });
    poll.start(50);
    if (busy())
        loop.exec();
    poll.stop();

    if (busy()) {
        const std::string late = "timed out after " + std::to_string(timeoutSeconds) + " s";
        for (std::size_t i = 0; i < results.size(); ++i) {
            const auto* r =
                dynamic_cast<const TRepeatableEventAction*>(&actions.Items(static_cast<int>(i)));
            const auto* audio = dynamic_cast<const TAudioEventAction*>(r);
            const bool playing = audio && player.CurrentAction() == audio;
            if (results[i].Error.empty() &&
                (!results[i].Done || playing || (r && r->MinutesTimerId() != 0)))
                results[i].Error = late;
        }
        try {
            actions.StopAll();
        } catch (const std::exception&) {
            // Ending anyway.
        }
        player.StopAudio();
    }
    // Reports of the transfers that were cut short must not reach the tracking objects.
    ActionContext().Mailer = nullptr;
    ActionContext().Shell = nullptr;
    ActionContext().Switches = nullptr;

    bool allOk = true;
    for (const TResult& r : results) {
        allOk = allOk && r.Error.empty();
        out << Field(r.Description) << '\t' << (r.Error.empty() ? "ok" : Field(r.Error)) << '\n';
    }
    return allOk ? ExitOk : ExitFailed;
}

} // namespace kelvo::cli

#else

namespace kelvo::cli {

int Execute(const TArguments&, const TOwnedEvents&, std::ostream&) {
    throw EUsage("execute needs the desktop program's sound and mail engines");
}

} // namespace kelvo::cli

#endif

namespace kelvo::cli {

std::size_t ParseEventIndex(const std::string& text) {
    if (text.empty())
        throw EUsage("execute needs the index of an event");
    if (text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw EUsage("invalid event index \"" + text + "\"");
    return static_cast<std::size_t>(std::stoul(text));
}

} // namespace kelvo::cli

#pragma once

// What an event or a reminder does when it arises: beep, play a sound or a CD track, open a
// program, document or web address, send a mail. Every entity owns one TComplexEventAction,
// the ordered list of its actions.
//
// Actions reach the outside only through the action context (ActionContext()): the shared
// player, the mailer, the shell, the tone generator and the action timer list. The platform
// fills it at start; tests fill it with recording fakes.

#include "core/audio/AudioEngines.h"
#include "core/stream/PropertyTable.h"
#include "core/util/paError.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

class TAlarmSwitches;
class TEventActionList;
class TMailer;
class TMailOptions;
class TReminderAudioPlayer;
class TSendMailAction;
class TTimerEvent;
class TTimerList;

class EEventActionError : public EpaError {
public:
    explicit EEventActionError(const std::string& text, std::vector<std::string> messages = {});

    // The errors of every failed action of one run, in list order; one entry for an error
    // of a single action.
    const std::vector<std::string>& Messages() const noexcept { return messages_; }

private:
    std::vector<std::string> messages_;
};

// ---- the outside world as the actions see it --------------------------------------------

// The one shared player.
class IActionPlayer {
public:
    virtual ~IActionPlayer() = default;
    // action: who hears of the end (none: nobody). Every start stops what plays.
    virtual void PlayMedia(IAudioClient* action, const std::string& fileName, int volume,
                           bool shuffle) = 0;
    // track -1: a random track.
    virtual void PlayCD(IAudioClient* action, int track, int volume) = 0;
    // Stops whatever plays and restores the master volume.
    virtual void StopAudio() = 0;
    virtual bool IsPlaying() const = 0;
    virtual IAudioClient* CurrentAction() const = 0;
};

class IActionMailer {
public:
    virtual ~IActionMailer() = default;
    // Returns at once; false when mail is not set up and nothing is sent. finished comes
    // later, with an empty text on success; the mailer reports failures itself.
    virtual bool SendMail(const std::string& subject, const std::string& recipients,
                          const std::string& body, const std::string& attachments,
                          std::function<void(const std::string& error)> finished) = 0;
};

// Opening programs, documents and web addresses. Failures answer false, never throw.
class IActionShell {
public:
    virtual ~IActionShell() = default;
    // A web address when target begins with "http" in any case, otherwise a document.
    virtual bool OpenDocument(const std::string& target) = 0;
    // A program with its parameters and working folder (either may be empty), or a document.
    virtual bool ShellOpen(const std::string& target, const std::string& parameters,
                           const std::string& folder) = 0;
};

struct TActionContext {
    IActionPlayer* Player = nullptr;
    IActionMailer* Mailer = nullptr;
    IActionShell* Shell = nullptr;
    IToneGenerator* Tones = nullptr;
    // Holds the minutes timers. Take a list out of the context before destroying it: actions
    // then forget their timers on it instead of deleting them.
    TTimerList* Timers = nullptr;
    // nullptr: the program's AlarmSwitches().
    const TAlarmSwitches* Switches = nullptr;

    // Copies of the beep options.
    bool UseWavForBeep = false;
    std::string BeepFileName;

    // The errors of one arising's run, handed over once the run is over (the platform shows
    // them after the generator's pass). Without it ExecuteIfEnabled throws them.
    std::function<void(const EEventActionError&)> OnErrors;
    // Every finished send of a mail action; error is empty on success.
    std::function<void(const TSendMailAction&, const std::string& error)> OnMailFinished;
    // A sound file that the player could not start (the external player excepted, whose
    // playback is never seen): the sound action, or none for the beep file; fileName as
    // the action or the beep option gave it.
    std::function<void(const IAudioClient* action, const std::string& fileName)> OnSoundNotPlayed;

    const TAlarmSwitches& AlarmSwitches() const;
};

// The program's one context.
TActionContext& ActionContext();

// The shared reminder player behind IActionPlayer.
class TReminderPlayerAdapter : public IActionPlayer {
public:
    explicit TReminderPlayerAdapter(TReminderAudioPlayer& player) : player_(player) {}
    void PlayMedia(IAudioClient* action, const std::string& fileName, int volume,
                   bool shuffle) override;
    void PlayCD(IAudioClient* action, int track, int volume) override;
    void StopAudio() override;
    bool IsPlaying() const override;
    IAudioClient* CurrentAction() const override;

private:
    TReminderAudioPlayer& player_;
};

// The mailer behind IActionMailer, with the settings of the moment of each send. Nothing is
// sent while no mail options are set.
class TMailerAdapter : public IActionMailer {
public:
    explicit TMailerAdapter(TMailer& mailer, const TMailOptions* options = nullptr)
        : mailer_(mailer), options_(options) {}
    void SetOptions(const TMailOptions* options) { options_ = options; }
    // Decides when a mail may go (the password may still be on its way): whenReady calls
    // send then, and the mail goes with the settings as they are at that moment.
    using TWhenReady = std::function<void(std::function<void()> send)>;
    void SetWhenReady(TWhenReady whenReady) { whenReady_ = std::move(whenReady); }
    bool SendMail(const std::string& subject, const std::string& recipients,
                  const std::string& body, const std::string& attachments,
                  std::function<void(const std::string& error)> finished) override;

private:
    TMailer& mailer_;
    const TMailOptions* options_;
    TWhenReady whenReady_;
    // A send held back finds out that the adapter is gone.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

// True when text begins with "http" in any letter case.
bool IsWebAddress(std::string_view text);
// Control bytes, blanks, bytes from 0x7F and the characters "#%'<>[\]^{|}~ become "%" and two
// upper-case hexadecimal digits; everything else stays.
std::string EscapeUrl(std::string_view text);

// ---- the actions ------------------------------------------------------------------------

inline constexpr std::string_view EmptyActionText = "Empty action. Set action params please...";
inline constexpr std::string_view NoneActionText = "None action";

class TEventAction : public TComponent {
    KELVO_PERSISTENT(TEventAction)
    TEventAction() = default;
    TEventAction(const TEventAction&) = delete;
    TEventAction& operator=(const TEventAction&) = delete;

    // EmptyActionText for an empty action, otherwise DoGetDescription.
    virtual std::string GetDescription() const;
    virtual std::string DoGetDescription() const = 0;
    // Puts every property to its initial value (a new action already has them).
    virtual void SetDefaults() {}
    virtual void Execute() = 0;
    virtual bool IsEmpty() const { return true; }
    virtual void Stop() {}
    // The alarm of the owning event was dismissed.
    virtual void EventClosed() {}

    // Execute when ActionsEnabled; the way an arising runs actions. The errors of the run
    // go to the context's OnErrors when it is set, otherwise they are thrown.
    void ExecuteIfEnabled();

    // Copies the properties of every class both this action and source are.
    void Assign(const TEventAction& source);
    // The same for any persisted object; one that is not an action is an error.
    void Assign(const TPersistent& source);
    // A new action of this class with this one's properties.
    std::unique_ptr<TEventAction> Clone() const;

protected:
    // Copies what this class adds, when source is one too; calls the parent's first.
    virtual void AssignOwn(const TEventAction& source);
};

class TBeepEventAction : public TEventAction {
    KELVO_PERSISTENT(TBeepEventAction)
    std::string DoGetDescription() const override { return "Beep"; }
    void Execute() override;
    bool IsEmpty() const override { return false; }
};

class TLaunchAppEventAction : public TEventAction {
    KELVO_PERSISTENT(TLaunchAppEventAction)
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string v) { fileName_ = std::move(v); }
    const std::string& Directory() const { return directory_; }
    void SetDirectory(std::string v) { directory_ = std::move(v); }
    const std::string& Params() const { return params_; }
    void SetParams(std::string v) { params_ = std::move(v); }

    std::string DoGetDescription() const override;
    void SetDefaults() override;
    void Execute() override;
    bool IsEmpty() const override { return fileName_.empty(); }

protected:
    void AssignOwn(const TEventAction& source) override;

private:
    std::string fileName_, directory_, params_;
};

class TSendMailAction : public TEventAction {
    KELVO_PERSISTENT(TSendMailAction)
    const std::string& SendTo() const { return sendTo_; }
    void SetSendTo(std::string v) { sendTo_ = std::move(v); }
    const std::string& Subject() const { return subject_; }
    void SetSubject(std::string v) { subject_ = std::move(v); }
    const std::string& Body() const { return body_; }
    void SetBody(std::string v) { body_ = std::move(v); }
    // The file(s) to attach.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string v) { fileName_ = std::move(v); }

    std::string DoGetDescription() const override;
    void SetDefaults() override;
    void Execute() override;
    bool IsEmpty() const override;

protected:
    void AssignOwn(const TEventAction& source) override;

private:
    std::string sendTo_, subject_, body_, fileName_;
};

// Kept and edited like the others; performs nothing.
class TSendNetEventAction : public TEventAction {
    KELVO_PERSISTENT(TSendNetEventAction)
    std::string DoGetDescription() const override { return "Send net message"; }
    void Execute() override {}
};

enum TRepeatType { rtNone, rtTimes, rtMinutes };
inline constexpr std::string_view RepeatTypeNames[] = {"rtNone", "rtTimes", "rtMinutes"};

// An action that may perform several times: Times performances, or again and again until
// Minutes have passed.
class TRepeatableEventAction : public TEventAction {
    KELVO_PERSISTENT(TRepeatableEventAction)
    TRepeatableEventAction() = default;
    ~TRepeatableEventAction() override;

    TRepeatType RepeatType() const { return repeatType_; }
    void SetRepeatType(TRepeatType v) { repeatType_ = v; }
    std::int32_t Times() const { return times_; }
    void SetTimes(std::int32_t v) { times_ = v; }
    std::int32_t Minutes() const { return minutes_; }
    void SetMinutes(std::int32_t v) { minutes_ = v; }
    bool StopIfEventClose() const { return stopIfEventClose_; }
    void SetStopIfEventClose(bool v) { stopIfEventClose_ = v; }
    bool IsByTimes() const { return repeatType_ == rtTimes; }
    bool IsByMinutes() const { return repeatType_ == rtMinutes; }

    // The pending minutes timer on the action timer list, 0 when there is none.
    std::int32_t MinutesTimerId() const { return minutesTimerId_; }

    // "repeat 3 time(s)", "repeat 5 minute(s)" or empty.
    std::string DoGetDescription() const override;
    void SetDefaults() override;
    // Forgets a pending minutes timer, then performs once; by minutes it first sets a timer
    // that ends the performances. Minutes beyond what milliseconds can count is an error.
    void Execute() override;
    void Stop() override;
    void EventClosed() override;
    virtual void ExecuteOnce() = 0;

protected:
    void AssignOwn(const TEventAction& source) override;
    void DeleteMinutesTimer();

private:
    void MinutesElapsed(TTimerEvent& timer);

    TRepeatType repeatType_ = rtNone;
    std::int32_t times_ = 1;
    std::int32_t minutes_ = 1;
    bool stopIfEventClose_ = true;
    std::int32_t minutesTimerId_ = 0;
    TTimerList* minutesTimers_ = nullptr;
};

// A sound through the shared player; hears of the end of its own sound only.
class TAudioEventAction : public TRepeatableEventAction, public IAudioClient {
    KELVO_PERSISTENT(TAudioEventAction)
    TAudioEventAction() = default;
    ~TAudioEventAction() override;

    // Master volume in percent while the sound plays; -1 leaves it alone.
    std::int32_t Volume() const { return volume_; }
    void SetVolume(std::int32_t v) { volume_ = v; }
    bool Shuffle() const { return shuffle_; }
    void SetShuffle(bool v) { shuffle_ = v; }
    // Performances finished since the last Execute.
    std::int32_t PlayCount() const { return playCount_; }

    void SetDefaults() override;
    void Execute() override;
    // Also silences the player, but only while it plays for this action.
    void Stop() override;
    void PlaybackComplete() override;

protected:
    void AssignOwn(const TEventAction& source) override;
    static bool SoundEnabled();
    static IActionPlayer* Player();
    bool PlaysForThis() const;

private:
    void StopSound();

    std::int32_t volume_ = -1;
    bool shuffle_ = false;
    std::int32_t playCount_ = 0;
};

class TPlayMediaEventAction : public TAudioEventAction {
    KELVO_PERSISTENT(TPlayMediaEventAction)
    // A sound or music file or a playlist; relative to the sounds folder.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string v) { fileName_ = std::move(v); }

    std::string DoGetDescription() const override;
    void SetDefaults() override;
    bool IsEmpty() const override { return fileName_.empty(); }
    void ExecuteOnce() override;

protected:
    void AssignOwn(const TEventAction& source) override;

private:
    std::string fileName_;
};

class TPlayCDEventAction : public TAudioEventAction {
    KELVO_PERSISTENT(TPlayCDEventAction)
    std::int32_t Track() const { return track_; }
    void SetTrack(std::int32_t v) { track_ = v; }

    std::string DoGetDescription() const override;
    void SetDefaults() override;
    bool IsEmpty() const override { return track_ < 1; }
    // A track that already plays for this action is not restarted.
    void ExecuteOnce() override;

protected:
    void AssignOwn(const TEventAction& source) override;

private:
    std::int32_t track_ = 1;
};

// ---- lists ------------------------------------------------------------------------------

// How one action of a run went.
struct TActionOutcome {
    const TEventAction* Action = nullptr;
    std::string Description;
    bool Failed = false;
    std::string Error;
};

// An ordered list that owns its actions.
class TEventActionList : public TAdvComponent {
    KELVO_PERSISTENT(TEventActionList)
    TEventActionList() = default;
    ~TEventActionList() override;
    TEventActionList(const TEventActionList&) = delete;
    TEventActionList& operator=(const TEventActionList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TEventAction& Items(int index) const;
    // Takes ownership; a null action is an error.
    TEventAction& Add(std::unique_ptr<TEventAction> action);
    // Takes the action out of the list and destroys it.
    void Remove(TEventAction* action);
    int IndexOf(const TEventAction* action) const;
    void Clear();
    // The entry at index becomes an action of source's class with source's properties; it
    // stays the same object when it has that class already.
    void Replace(int index, const TEventAction& source);
    void AddCopies(const TEventActionList& other);
    void Assign(const TEventActionList& other);
    // Moves other's actions to the end of this list.
    void TakeAll(TEventActionList& other);

    // Executes every action in order, also after one has failed; then throws the errors of
    // all failed actions together.
    void ExecuteAll();
    // The same, answering how each action went instead of throwing.
    std::vector<TActionOutcome> RunAll();
    void StopAll();
    bool IsEmpty() const;
    // One action's description, or each as "<<text>>, " joined, without the last ", ".
    std::string GetDescription() const;

private:
    std::vector<std::unique_ptr<TEventAction>> items_;
};

// The actions of one entity.
class TComplexEventAction : public TEventAction {
    KELVO_PERSISTENT(TComplexEventAction)
    TComplexEventAction();
    ~TComplexEventAction() override;

    TEventActionList& Actions() { return actions_; }
    const TEventActionList& Actions() const { return actions_; }
    // Copies list's actions; the list object stays the same.
    void SetActions(const TEventActionList& list);
    // Takes list's actions (the object stream hands over the list it has read).
    void SetActions(std::unique_ptr<TEventActionList> list);

    // NoneActionText without actions, EmptyActionText when all are empty, else the list's.
    std::string GetDescription() const override;
    std::string DoGetDescription() const override;
    void SetDefaults() override;
    void Execute() override;
    bool IsEmpty() const override { return actions_.IsEmpty(); }
    void Stop() override;
    void EventClosed() override;

    // True while Execute runs (an entity must not be destroyed then).
    bool Executing() const { return executing_ > 0; }

protected:
    void AssignOwn(const TEventAction& source) override;

private:
    // First: it fits in the base's padding. The list is held in place, one block less for
    // each of a notebook's entities.
    int executing_ = 0;
    TEventActionList actions_;
};

// ---- kinds ------------------------------------------------------------------------------

// The six single kinds, by the index the action editors use.
inline constexpr int ActionKindCount = 6;
const std::array<const TClassInfo*, ActionKindCount>& ActionKindTable();
// The first kind action is (or descends from); -1 for none (a complex action).
int ActionKindIndex(const TEventAction& action);
std::unique_ptr<TEventAction> CreateActionOfKind(int index);

// Makes the action classes and their list readable from streams.
void RegisterEventActionClasses(TClassRegistry& registry = TClassRegistry::Global());

} // namespace kelvo

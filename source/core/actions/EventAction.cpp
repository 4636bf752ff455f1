#include "core/actions/EventAction.h"

#include "core/actions/AlarmSwitches.h"
#include "core/audio/ReminderAudioPlayer.h"
#include "core/mail/SendMail.h"
#include "core/options/MailOptions.h"
#include "core/timers/paTimerList.h"
#include "core/util/paFormat.h"
#include "core/util/paTranslate.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <utility>

namespace kelvo {

namespace {

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        if (!text.empty())
            text += '\n';
        text += line;
    }
    return text;
}

std::string ErrorText(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return KELVO_TR("EventAction", "Unknown error");
    }
}

} // namespace

EEventActionError::EEventActionError(const std::string& text, std::vector<std::string> messages)
    : EpaError(text), messages_(std::move(messages)) {
    if (messages_.empty())
        messages_.push_back(text);
}

// ---- context ----------------------------------------------------------------------------

const TAlarmSwitches& TActionContext::AlarmSwitches() const {
    return Switches ? *Switches : ::kelvo::AlarmSwitches();
}

TActionContext& ActionContext() {
    static TActionContext context;
    return context;
}

void TReminderPlayerAdapter::PlayMedia(IAudioClient* action, const std::string& fileName,
                                       int volume, bool shuffle) {
    player_.PlayMedia(action, fileName, volume, shuffle);
    if (!player_.UseWinAmp && !player_.IsPlaying() && ActionContext().OnSoundNotPlayed)
        ActionContext().OnSoundNotPlayed(action, fileName);
}

void TReminderPlayerAdapter::PlayCD(IAudioClient* action, int track, int volume) {
    player_.PlayCD(action, track, volume);
}

void TReminderPlayerAdapter::StopAudio() {
    player_.StopAudio();
}

bool TReminderPlayerAdapter::IsPlaying() const {
    return player_.IsPlaying();
}

IAudioClient* TReminderPlayerAdapter::CurrentAction() const {
    return player_.CurrentAction();
}

bool TMailerAdapter::SendMail(const std::string& subject, const std::string& recipients,
                              const std::string& body, const std::string& attachments,
                              std::function<void(const std::string& error)> finished) {
    if (!options_)
        return false;
    auto send = [this, alive = std::weak_ptr<int>(alive_), subject, recipients, body, attachments,
                 finished = std::move(finished)]() mutable {
        if (!alive.expired() && options_)
            mailer_.SendMail(MailSettingsFrom(*options_), subject, recipients, body, attachments,
                             std::move(finished));
    };
    if (whenReady_)
        whenReady_(std::move(send));
    else
        send();
    return true;
}

bool IsWebAddress(std::string_view text) {
    static constexpr std::string_view http = "http";
    if (text.size() < http.size())
        return false;
    for (std::size_t i = 0; i < http.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != http[i])
            return false;
    return true;
}

std::string EscapeUrl(std::string_view text) {
    static constexpr std::string_view special = "\"#%'<>[\\]^{|}~";
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (b <= 0x20 || b >= 0x7F || special.find(ch) != std::string_view::npos) {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 0x0F];
        } else {
            out += ch;
        }
    }
    return out;
}

// ---- base -------------------------------------------------------------------------------

std::string TEventAction::GetDescription() const {
    return IsEmpty() ? std::string(EmptyActionText) : DoGetDescription();
}

void TEventAction::ExecuteIfEnabled() {
    if (!ActionContext().AlarmSwitches().ActionsEnabled())
        return;
    try {
        Execute();
    } catch (const EEventActionError& e) {
        if (!ActionContext().OnErrors)
            throw;
        ActionContext().OnErrors(e);
    } catch (const std::exception& e) {
        if (!ActionContext().OnErrors)
            throw;
        ActionContext().OnErrors(EEventActionError(e.what()));
    }
}

void TEventAction::Assign(const TEventAction& source) {
    if (&source != this)
        AssignOwn(source);
}

void TEventAction::Assign(const TPersistent& source) {
    const auto* action = dynamic_cast<const TEventAction*>(&source);
    if (!action)
        throw EEventActionError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
    Assign(*action);
}

std::unique_ptr<TEventAction> TEventAction::Clone() const {
    const TClassInfo& info = ClassType();
    if (!info.CanCreate())
        throw EEventActionError("Cannot create a " + info.Name());
    std::unique_ptr<TPersistent> created = info.Create();
    std::unique_ptr<TEventAction> copy(static_cast<TEventAction*>(created.release()));
    copy->Assign(*this);
    return copy;
}

void TEventAction::AssignOwn(const TEventAction& source) {
    SetTag(source.Tag());
}

// ---- beep -------------------------------------------------------------------------------

void TBeepEventAction::Execute() {
    const TActionContext& context = ActionContext();
    if (!context.AlarmSwitches().SoundActionsEnabled())
        return;
    if (context.UseWavForBeep) {
        // Nobody owns this sound: it neither repeats nor reports its end.
        if (context.Player)
            context.Player->PlayMedia(nullptr, context.BeepFileName, -1, false);
        return;
    }
    if (context.Tones)
        PlayBeepTones(*context.Tones);
}

// ---- launch -----------------------------------------------------------------------------

std::string TLaunchAppEventAction::DoGetDescription() const {
    return fileName_.empty() ? std::string() : KELVO_TR("EventAction", "Open ") + fileName_;
}

void TLaunchAppEventAction::SetDefaults() {
    TEventAction::SetDefaults();
    fileName_.clear();
    directory_.clear();
    params_.clear();
}

void TLaunchAppEventAction::Execute() {
    IActionShell* shell = ActionContext().Shell;
    if (!shell || fileName_.empty())
        return;
    // Failures are silent: the alarm window already tells the user what was due.
    if (IsWebAddress(fileName_))
        shell->OpenDocument(fileName_);
    else
        shell->ShellOpen(fileName_, params_, directory_);
}

void TLaunchAppEventAction::AssignOwn(const TEventAction& source) {
    TEventAction::AssignOwn(source);
    if (const auto* s = dynamic_cast<const TLaunchAppEventAction*>(&source)) {
        fileName_ = s->fileName_;
        directory_ = s->directory_;
        params_ = s->params_;
    }
}

// ---- mail -------------------------------------------------------------------------------

std::string TSendMailAction::DoGetDescription() const {
    return KELVO_TR("EventAction", "Send email to ") + sendTo_;
}

void TSendMailAction::SetDefaults() {
    TEventAction::SetDefaults();
    sendTo_.clear();
    subject_.clear();
    body_.clear();
    fileName_.clear();
}

bool TSendMailAction::IsEmpty() const {
    return sendTo_.empty() && (subject_.empty() || body_.empty());
}

void TSendMailAction::Execute() {
    const TActionContext& context = ActionContext();
    if (!context.Mailer)
        return;
    std::function<void(const std::string&)> finished;
    if (context.OnMailFinished) {
        // The action may be gone when the send ends; report what it was by a copy.
        auto copy =
            std::shared_ptr<TSendMailAction>(static_cast<TSendMailAction*>(Clone().release()));
        finished = [copy](const std::string& error) {
            if (ActionContext().OnMailFinished)
                ActionContext().OnMailFinished(*copy, error);
        };
    }
    context.Mailer->SendMail(subject_, sendTo_, body_, fileName_, std::move(finished));
}

void TSendMailAction::AssignOwn(const TEventAction& source) {
    TEventAction::AssignOwn(source);
    if (const auto* s = dynamic_cast<const TSendMailAction*>(&source)) {
        sendTo_ = s->sendTo_;
        subject_ = s->subject_;
        body_ = s->body_;
        fileName_ = s->fileName_;
    }
}

// ---- repeatable -------------------------------------------------------------------------

TRepeatableEventAction::~TRepeatableEventAction() {
    // A pending timer must never call into a destroyed action.
    DeleteMinutesTimer();
}

std::string TRepeatableEventAction::DoGetDescription() const {
    switch (repeatType_) {
    case rtTimes:
        return Format(KELVO_TR("EventAction", "repeat %d time(s)"), {std::to_string(times_)});
    case rtMinutes:
        return Format(KELVO_TR("EventAction", "repeat %d minute(s)"), {std::to_string(minutes_)});
    default:
        return {};
    }
}

void TRepeatableEventAction::SetDefaults() {
    TEventAction::SetDefaults();
    times_ = 1;
    minutes_ = 1;
    repeatType_ = rtNone;
    stopIfEventClose_ = true;
}

void TRepeatableEventAction::Execute() {
    DeleteMinutesTimer();
    switch (repeatType_) {
    case rtNone:
    case rtTimes:
        ExecuteOnce();
        break;
    case rtMinutes: {
        constexpr std::int64_t msPerMinute = 60000;
        const std::int64_t ms = std::int64_t{minutes_} * msPerMinute;
        if (ms > std::numeric_limits<std::int32_t>::max())
            throw EEventActionError("Integer overflow");
        TTimerList* timers = ActionContext().Timers;
        if (timers) {
            // The model needs a period of at least a minute.
            const auto interval = static_cast<std::int32_t>(std::max(ms, msPerMinute));
            const std::int32_t id = timers->AddTimer(
                interval, false, [this](TTimerEvent& timer) { MinutesElapsed(timer); });
            minutesTimerId_ = id;
            minutesTimers_ = timers;
            timers->SetActive(true);
        }
        ExecuteOnce();
        break;
    }
    }
}

void TRepeatableEventAction::MinutesElapsed(TTimerEvent& timer) {
    // Deletes its own timer, whatever MinutesTimerId holds by now.
    const std::int32_t id = timer.TimerId();
    timer.List().DeleteTimer(id);
    if (minutesTimerId_ == id) {
        minutesTimerId_ = 0;
        minutesTimers_ = nullptr;
    }
    Stop();
}

void TRepeatableEventAction::DeleteMinutesTimer() {
    TTimerList* timers = std::exchange(minutesTimers_, nullptr);
    const std::int32_t id = std::exchange(minutesTimerId_, 0);
    // A list the context no longer holds may be gone already (the program is ending).
    if (id != 0 && timers && timers == ActionContext().Timers)
        timers->DeleteTimer(id);
}

void TRepeatableEventAction::Stop() {
    DeleteMinutesTimer();
}

void TRepeatableEventAction::EventClosed() {
    if (stopIfEventClose_)
        Stop();
}

void TRepeatableEventAction::AssignOwn(const TEventAction& source) {
    TEventAction::AssignOwn(source);
    if (const auto* s = dynamic_cast<const TRepeatableEventAction*>(&source)) {
        repeatType_ = s->repeatType_;
        stopIfEventClose_ = s->stopIfEventClose_;
        // Only the count the repetition uses.
        if (s->repeatType_ == rtTimes)
            times_ = s->times_;
        else if (s->repeatType_ == rtMinutes)
            minutes_ = s->minutes_;
    }
}

// ---- audio ------------------------------------------------------------------------------

TAudioEventAction::~TAudioEventAction() {
    StopSound();
}

void TAudioEventAction::SetDefaults() {
    TRepeatableEventAction::SetDefaults();
    volume_ = -1;
    shuffle_ = false;
}

bool TAudioEventAction::SoundEnabled() {
    return ActionContext().AlarmSwitches().SoundActionsEnabled();
}

IActionPlayer* TAudioEventAction::Player() {
    return ActionContext().Player;
}

bool TAudioEventAction::PlaysForThis() const {
    IActionPlayer* player = Player();
    return player && player->CurrentAction() == static_cast<const IAudioClient*>(this);
}

void TAudioEventAction::Execute() {
    playCount_ = 0;
    TRepeatableEventAction::Execute();
}

void TAudioEventAction::StopSound() {
    // Another action's sound is not this action's to stop.
    if (PlaysForThis())
        Player()->StopAudio();
    playCount_ = 0;
}

void TAudioEventAction::Stop() {
    TRepeatableEventAction::Stop();
    StopSound();
}

void TAudioEventAction::PlaybackComplete() {
    ++playCount_;
    switch (RepeatType()) {
    case rtNone:
        Stop();
        break;
    case rtTimes:
        // Equality: a count below 1 is never reached and the sound repeats until stopped.
        if (playCount_ == Times())
            Stop();
        else
            ExecuteOnce();
        break;
    case rtMinutes:
        ExecuteOnce();
        break;
    }
}

void TAudioEventAction::AssignOwn(const TEventAction& source) {
    TRepeatableEventAction::AssignOwn(source);
    if (const auto* s = dynamic_cast<const TAudioEventAction*>(&source)) {
        volume_ = s->volume_;
        shuffle_ = s->shuffle_;
    }
}

// ---- media ------------------------------------------------------------------------------

std::string TPlayMediaEventAction::DoGetDescription() const {
    return Format(KELVO_TR("EventAction", "Play media file \"%s\""), {fileName_});
}

void TPlayMediaEventAction::SetDefaults() {
    TAudioEventAction::SetDefaults();
    fileName_.clear();
}

void TPlayMediaEventAction::ExecuteOnce() {
    if (SoundEnabled() && Player())
        Player()->PlayMedia(this, fileName_, Volume(), Shuffle());
}

void TPlayMediaEventAction::AssignOwn(const TEventAction& source) {
    TAudioEventAction::AssignOwn(source);
    if (const auto* s = dynamic_cast<const TPlayMediaEventAction*>(&source))
        fileName_ = s->fileName_;
}

// ---- CD ---------------------------------------------------------------------------------

std::string TPlayCDEventAction::DoGetDescription() const {
    return Shuffle() ? KELVO_TR("EventAction", "Play random CD track")
                     : KELVO_TR("EventAction", "Play CD track ") + std::to_string(track_);
}

void TPlayCDEventAction::SetDefaults() {
    TAudioEventAction::SetDefaults();
    track_ = 1;
}

void TPlayCDEventAction::ExecuteOnce() {
    IActionPlayer* player = Player();
    if (!player || (player->IsPlaying() && PlaysForThis()))
        return;
    const int track = Shuffle() ? -1 : track_;
    if (SoundEnabled())
        player->PlayCD(this, track, Volume());
}

void TPlayCDEventAction::AssignOwn(const TEventAction& source) {
    TAudioEventAction::AssignOwn(source);
    if (const auto* s = dynamic_cast<const TPlayCDEventAction*>(&source))
        track_ = s->track_;
}

// ---- list -------------------------------------------------------------------------------

TEventActionList::~TEventActionList() {
    Clear();
}

TEventAction& TEventActionList::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EEventActionError("List index out of bounds (" + std::to_string(index) + ")");
    return *items_[static_cast<std::size_t>(index)];
}

TEventAction& TEventActionList::Add(std::unique_ptr<TEventAction> action) {
    if (!action)
        throw EEventActionError("Attempt to add a null action");
    items_.push_back(std::move(action));
    return *items_.back();
}

void TEventActionList::Remove(TEventAction* action) {
    const int i = IndexOf(action);
    if (i < 0)
        return;
    // Out of the list first, so that the list is whole while the action is destroyed.
    std::unique_ptr<TEventAction> removed = std::move(items_[static_cast<std::size_t>(i)]);
    items_.erase(items_.begin() + i);
}

int TEventActionList::IndexOf(const TEventAction* action) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == action)
            return static_cast<int>(i);
    return -1;
}

void TEventActionList::Clear() {
    std::vector<std::unique_ptr<TEventAction>> old = std::move(items_);
    items_.clear();
    old.clear();
}

void TEventActionList::Replace(int index, const TEventAction& source) {
    TEventAction& current = Items(index);
    if (&current == &source)
        return;
    if (&current.ClassType() == &source.ClassType()) {
        current.Assign(source);
        return;
    }
    std::unique_ptr<TEventAction> copy = source.Clone();
    std::unique_ptr<TEventAction> old =
        std::exchange(items_[static_cast<std::size_t>(index)], std::move(copy));
}

void TEventActionList::AddCopies(const TEventActionList& other) {
    // Copies first: other may be this list.
    std::vector<std::unique_ptr<TEventAction>> copies;
    copies.reserve(other.items_.size());
    for (const auto& action : other.items_)
        copies.push_back(action->Clone());
    for (auto& copy : copies)
        items_.push_back(std::move(copy));
}

void TEventActionList::Assign(const TEventActionList& other) {
    if (&other == this)
        return;
    Clear();
    AddCopies(other);
}

void TEventActionList::TakeAll(TEventActionList& other) {
    if (&other == this)
        return;
    for (auto& action : other.items_)
        items_.push_back(std::move(action));
    other.items_.clear();
}

std::vector<TActionOutcome> TEventActionList::RunAll() {
    std::vector<TActionOutcome> outcomes;
    // By index: an action may change what the list holds while it runs.
    for (std::size_t i = 0; i < items_.size(); ++i) {
        TEventAction* action = items_[i].get();
        TActionOutcome outcome;
        outcome.Action = action;
        outcome.Description = action->GetDescription();
        try {
            action->Execute();
        } catch (const EEventActionError& e) {
            outcome.Failed = true;
            outcome.Error = JoinLines(e.Messages());
        } catch (...) {
            outcome.Failed = true;
            outcome.Error = ErrorText(std::current_exception());
        }
        outcomes.push_back(std::move(outcome));
    }
    return outcomes;
}

void TEventActionList::ExecuteAll() {
    std::vector<std::string> errors;
    for (const TActionOutcome& outcome : RunAll())
        if (outcome.Failed)
            errors.push_back(outcome.Error);
    if (!errors.empty()) {
        std::string text = JoinLines(errors);
        throw EEventActionError(text, std::move(errors));
    }
}

void TEventActionList::StopAll() {
    std::vector<std::string> errors;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        try {
            items_[i]->Stop();
        } catch (...) {
            errors.push_back(ErrorText(std::current_exception()));
        }
    }
    if (!errors.empty()) {
        std::string text = JoinLines(errors);
        throw EEventActionError(text, std::move(errors));
    }
}

bool TEventActionList::IsEmpty() const {
    return std::all_of(items_.begin(), items_.end(),
                       [](const auto& action) { return action->IsEmpty(); });
}

std::string TEventActionList::GetDescription() const {
    if (items_.size() == 1)
        return items_.front()->GetDescription();
    std::string text;
    for (const auto& action : items_)
        text += "<<" + action->GetDescription() + ">>, ";
    if (text.size() >= 2)
        text.resize(text.size() - 2);
    return text;
}

// ---- complex ----------------------------------------------------------------------------

TComplexEventAction::TComplexEventAction() = default;

TComplexEventAction::~TComplexEventAction() = default;

void TComplexEventAction::SetActions(const TEventActionList& list) {
    actions_.Assign(list);
}

void TComplexEventAction::SetActions(std::unique_ptr<TEventActionList> list) {
    if (!list || list.get() == &actions_)
        return;
    actions_.Clear();
    actions_.TakeAll(*list);
}

std::string TComplexEventAction::GetDescription() const {
    if (actions_.Count() == 0)
        return std::string(NoneActionText);
    return TEventAction::GetDescription();
}

std::string TComplexEventAction::DoGetDescription() const {
    if (actions_.Count() == 0)
        return std::string(NoneActionText);
    return actions_.GetDescription();
}

void TComplexEventAction::SetDefaults() {
    TEventAction::SetDefaults();
    actions_.Clear();
}

void TComplexEventAction::Execute() {
    ++executing_;
    struct TDone {
        int& Count;
        ~TDone() { --Count; }
    } done{executing_};
    actions_.ExecuteAll();
}

void TComplexEventAction::Stop() {
    actions_.StopAll();
}

void TComplexEventAction::EventClosed() {
    for (int i = 0; i < actions_.Count(); ++i)
        actions_.Items(i).EventClosed();
}

void TComplexEventAction::AssignOwn(const TEventAction& source) {
    TEventAction::AssignOwn(source);
    if (const auto* s = dynamic_cast<const TComplexEventAction*>(&source))
        actions_.Assign(s->actions_);
}

// ---- kinds ------------------------------------------------------------------------------

const std::array<const TClassInfo*, ActionKindCount>& ActionKindTable() {
    static const std::array<const TClassInfo*, ActionKindCount> table = {
        &TBeepEventAction::StaticClass(),   &TPlayMediaEventAction::StaticClass(),
        &TPlayCDEventAction::StaticClass(), &TLaunchAppEventAction::StaticClass(),
        &TSendMailAction::StaticClass(),    &TSendNetEventAction::StaticClass(),
    };
    return table;
}

int ActionKindIndex(const TEventAction& action) {
    const auto& table = ActionKindTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (action.ClassType().InheritsFrom(*table[i]))
            return static_cast<int>(i);
    return -1;
}

std::unique_ptr<TEventAction> CreateActionOfKind(int index) {
    if (index < 0 || index >= ActionKindCount)
        throw EEventActionError("Unknown action kind " + std::to_string(index));
    std::unique_ptr<TPersistent> created =
        ActionKindTable()[static_cast<std::size_t>(index)]->Create();
    return std::unique_ptr<TEventAction>(static_cast<TEventAction*>(created.release()));
}

void RegisterEventActionClasses(TClassRegistry& registry) {
    RegisterClasses<TBeepEventAction, TPlayMediaEventAction, TPlayCDEventAction,
                    TLaunchAppEventAction, TSendMailAction, TSendNetEventAction,
                    TComplexEventAction, TEventActionList>(registry);
}

// ---- property tables --------------------------------------------------------------------

const TClassInfo& TEventAction::StaticClass() {
    static const TClassInfo info = TClassBuilder<TEventAction, TComponent>("TEventAction").Build();
    return info;
}

const TClassInfo& TBeepEventAction::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TBeepEventAction, TEventAction>("TBeepEventAction").Build();
    return info;
}

const TClassInfo& TLaunchAppEventAction::StaticClass() {
    using C = TLaunchAppEventAction;
    static const TClassInfo info = TClassBuilder<C, TEventAction>("TLaunchAppEventAction")
                                       .String("FileName", &C::FileName, &C::SetFileName)
                                       .String("Directory", &C::Directory, &C::SetDirectory)
                                       .String("Params", &C::Params, &C::SetParams)
                                       .Build();
    return info;
}

const TClassInfo& TSendMailAction::StaticClass() {
    using C = TSendMailAction;
    static const TClassInfo info = TClassBuilder<C, TEventAction>("TSendMailAction")
                                       .String("SendTo", &C::SendTo, &C::SetSendTo)
                                       .String("Subject", &C::Subject, &C::SetSubject)
                                       .String("Body", &C::Body, &C::SetBody)
                                       .String("FileName", &C::FileName, &C::SetFileName)
                                       .Build();
    return info;
}

const TClassInfo& TSendNetEventAction::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TSendNetEventAction, TEventAction>("TSendNetEventAction").Build();
    return info;
}

const TClassInfo& TRepeatableEventAction::StaticClass() {
    using C = TRepeatableEventAction;
    static const TClassInfo info =
        TClassBuilder<C, TEventAction>("TRepeatableEventAction")
            .Enum("RepeatType", RepeatTypeNames, &C::RepeatType, &C::SetRepeatType)
            .Default(rtNone)
            .Integer("Times", &C::Times, &C::SetTimes)
            .Default(1)
            .StoredIf(&C::IsByTimes)
            .Integer("Minutes", &C::Minutes, &C::SetMinutes)
            .Default(1)
            .AtLeast(1)
            .StoredIf(&C::IsByMinutes)
            .Boolean("StopIfEventClose", &C::StopIfEventClose, &C::SetStopIfEventClose)
            .Build();
    return info;
}

const TClassInfo& TAudioEventAction::StaticClass() {
    using C = TAudioEventAction;
    static const TClassInfo info = TClassBuilder<C, TRepeatableEventAction>("TAudioEventAction")
                                       .Integer("Volume", &C::Volume, &C::SetVolume)
                                       .Default(-1)
                                       .Boolean("Shuffle", &C::Shuffle, &C::SetShuffle)
                                       .Default(false)
                                       .Build();
    return info;
}

const TClassInfo& TPlayMediaEventAction::StaticClass() {
    using C = TPlayMediaEventAction;
    static const TClassInfo info = TClassBuilder<C, TAudioEventAction>("TPlayMediaEventAction")
                                       .String("FileName", &C::FileName, &C::SetFileName)
                                       .Build();
    return info;
}

const TClassInfo& TPlayCDEventAction::StaticClass() {
    using C = TPlayCDEventAction;
    static const TClassInfo info = TClassBuilder<C, TAudioEventAction>("TPlayCDEventAction")
                                       .Integer("Track", &C::Track, &C::SetTrack)
                                       .Build();
    return info;
}

const TClassInfo& TEventActionList::StaticClass() {
    using C = TEventActionList;
    static const TClassInfo info =
        TClassBuilder<C, TAdvComponent>("TEventActionList")
            .Items<TEventAction>(&C::Count, &C::Items,
                                 [](C& c, std::unique_ptr<TEventAction> a) { c.Add(std::move(a)); })
            .ClearFirst(&C::Clear)
            .Build();
    return info;
}

const TClassInfo& TComplexEventAction::StaticClass() {
    using C = TComplexEventAction;
    static const TClassInfo info =
        TClassBuilder<C, TEventAction>("TComplexEventAction")
            .Object<TEventActionList>(
                "Actions", [](const C& c) -> const TEventActionList& { return c.Actions(); },
                [](C& c, std::unique_ptr<TEventActionList> list) { c.SetActions(std::move(list)); })
            .ReadInPlace()
            .Build();
    return info;
}

namespace {
// Files name these classes; they are readable as soon as the program runs.
const bool registered = (RegisterEventActionClasses(), true);
} // namespace

} // namespace kelvo

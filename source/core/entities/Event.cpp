#include "core/entities/Event.h"

#include "core/entities/Reminder.h"
#include "core/util/paFormat.h"
#include "core/util/paTranslate.h"

#include <limits>
#include <string_view>

namespace kelvo {

// The period and the state share one byte.
static_assert(TEnumNames<TPeriodType>::Names.size() <= 16 &&
              TEnumNames<TEventState>::Names.size() <= 16);

namespace {

bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsTrimmed(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsTrimmed(s.back()))
        s.remove_suffix(1);
    return s;
}

// The first line that is not empty once trimmed; lines end at CR or LF.
std::string_view FirstLine(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = Trim(text.substr(0, end));
        if (!line.empty())
            return line;
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return {};
}

// What an event without a snooze condition writes.
const TSnoozeInitializeCondition& DefaultSnooze() {
    static const TSnoozeInitializeCondition snooze;
    return snooze;
}

bool IsDefaultSnooze(const TSnoozeInitializeCondition& s) {
    return IsNullDate(s.SnoozeDateTime()) && IsNullDate(s.LastAppear()) &&
           IsNullDate(s.DateOfCreate()) && s.Tag() == 0 && s.Name().empty();
}

} // namespace

std::string EventStateText(TEventState state) {
    switch (state) {
    case esEnabled:
        return KELVO_TR("EventState", "Enabled");
    case esDisabled:
        return KELVO_TR("EventState", "Disabled");
    case esSnoozedEvent:
    case esSnoozedReminder:
        return KELVO_TR("EventState", "Snoozed on %s");
    case esExecutedEvent:
        return KELVO_TR("EventState", "Executed");
    case esExecutedReminder:
        return KELVO_TR("EventState", "Executed reminder");
    }
    return {};
}

const TClassInfo& TEvent::StaticClass() {
    using C = TEvent;
    static const TClassInfo info = [] {
        TClassBuilder<C, TWaitingAriseEntity> b("TEvent");
        detail::PersistedObject<TSnoozeInitializeCondition>(
            b, "SnoozeCondition",
            [](const C& e) -> const TSnoozeInitializeCondition& {
                const TSnoozeInitializeCondition* s = e.SnoozeConditionIfAny();
                return s ? *s : DefaultSnooze();
            },
            [](C& e, const TSnoozeInitializeCondition& v) {
                if (e.SnoozeConditionIfAny() || !IsDefaultSnooze(v))
                    e.SetSnoozeCondition(v);
            });
        b.Object<TReminder>(
             "Reminder", [](const C& e) -> const TReminder* { return e.Reminder(); },
             [](C& e, std::unique_ptr<TReminder> v) { e.AdoptReminder(std::move(v)); })
            .String("Template", &C::Template, &C::SetTemplate)
            // Computed; a value found in a file is skipped.
            .String("Description", &C::Description)
            .Stored(false)
            .String("WindowMessage", &C::WindowMessage, &C::SetWindowMessage)
            .Set(
                "Options", EnumNames<TEventOption>(),
                [](const C& e) { return static_cast<std::uint32_t>(e.Options().ToBits()); },
                [](C& e, std::uint32_t bits) {
                    e.SetOptions(TEventOptions::FromBits(static_cast<std::uint8_t>(bits)));
                })
            .Integer("DefaultSnoozeNumber", &C::DefaultSnoozeNumber, &C::SetDefaultSnoozeNumber)
            .Default(5)
            .AtLeast(1)
            .Enum("DefaultSnoozePeriod", EnumNames<TPeriodType>(), &C::DefaultSnoozePeriod,
                  &C::SetDefaultSnoozePeriod)
            .Default(ptMinute)
            .Enum("State", EnumNames<TEventState>(), &C::State, &C::SetState)
            .String("IconFileName", &C::IconFileName, &C::SetIconFileName)
            .Integer("IconFileId", &C::IconFileId, &C::SetIconFileId)
            .Default(0)
            .Color("MessageColor", &C::MessageColor, &C::SetMessageColor)
            .Default(clBtnFace)
            .Color("WindowColor", &C::WindowColor, &C::SetWindowColor)
            .Default(clBtnFace)
            .String("UID", &C::Uid, &C::SetUid);
        return b.Build();
    }();
    return info;
}

TEvent::TEvent() = default;

const TComplexEventAction& TEvent::DefaultEventAction() const {
    static const auto beep = [] {
        auto a = std::make_unique<TComplexEventAction>();
        a->Actions().Add(std::make_unique<TBeepEventAction>());
        return a;
    }();
    return *beep;
}

TSnoozeInitializeCondition& TEvent::SnoozeCondition() const {
    if (!snoozeCondition_) {
        snoozeCondition_ = std::make_unique<TSnoozeInitializeCondition>();
        const_cast<TEvent*>(this)->WireSnooze();
    }
    return *snoozeCondition_;
}

TEvent::~TEvent() {
    // The snooze condition and the reminder go first, then the entity part.
    snoozeCondition_.reset();
    reminder_.reset();
}

void TEvent::WireSnooze() {
    snoozeCondition_->OnArise = [this](TDateTime t) { SnoozeArise(t); };
    snoozeCondition_->OnLate = [this](TDateTime t) { SnoozeLate(t); };
}

void TEvent::WireReminder() {
    reminder_->OnArise = [this](TWaitingAriseEntity&, TDateTime t) { ReminderArise(t); };
    reminder_->OnLate = [this](TWaitingAriseEntity&, TDateTime t) { ReminderLate(t); };
}

void TEvent::SetSnoozeCondition(const TSnoozeInitializeCondition& value) {
    if (&value == snoozeCondition_.get())
        return;
    SnoozeCondition().Assign(value);
    WireSnooze();
}

void TEvent::SetHasReminder(bool flag) {
    if (flag == HasReminder())
        return;
    if (flag) {
        reminder_ = std::make_unique<TReminder>();
        WireReminder();
        reminder_->SetOwnerEvent(this);
    } else {
        reminder_.reset();
    }
}

void TEvent::SetReminder(const TReminder* value) {
    SetHasReminder(value != nullptr);
    if (value == nullptr || value == reminder_.get())
        return;
    reminder_->Assign(*value);
    reminder_->SetOwnerEvent(this);
}

void TEvent::ConditionReplaced() {
    // The reminder's conditions count from the event's condition object.
    if (reminder_) {
        reminder_->SetOwnerEvent(nullptr);
        reminder_->SetOwnerEvent(this);
    }
}

void TEvent::AdoptReminder(std::unique_ptr<TReminder> value) {
    reminder_ = std::move(value);
    if (!reminder_)
        return;
    WireReminder();
    reminder_->SetOwnerEvent(this);
}

std::string_view TEvent::MessageLine() const {
    return FirstLine(windowMessage_);
}

std::string TEvent::Description() const {
    const std::string_view line = MessageLine();
    if (!line.empty())
        return std::string(line);
    return InitializeCondition().Description();
}

void TEvent::SetDescription(const std::string& text) {
    const std::string current = Description();
    if (current.empty())
        return;
    const std::size_t at = windowMessage_.find(current);
    if (at != std::string::npos)
        windowMessage_.replace(at, current.size(), text);
}

void TEvent::SetOptions(TEventOptions options) {
    options.Include(eoStayOnTop);
    options_ = options;
}

void TEvent::SetIconFileName(std::string name) {
    if (name != iconFileName_.Get())
        cachedIconIndex_ = -1;
    iconFileName_.Set(std::move(name));
}

void TEvent::SetIconFileId(std::int32_t id) {
    if (id < 0)
        id = 0;
    if (id != iconFileId_)
        cachedIconIndex_ = -1;
    iconFileId_ = id;
}

void TEvent::SetState(TEventState state) {
    if (state == state_)
        return;
    // The closing notification goes to the list that ran: a reminder that runs the event's
    // actions leaves sounds of the event's list playing otherwise.
    if (state_ == esExecutedReminder && reminder_)
        reminder_->RunningAction().EventClosed();
    else if (TComplexEventAction* actions = EventActionIfAny();
             actions && state_ == esExecutedEvent)
        actions->EventClosed();
    if (state != esSnoozedEvent && state != esSnoozedReminder && snoozeCondition_)
        snoozeCondition_->SetSnoozeDateTime(NullDate);
    state_ = state;
}

void TEvent::SnoozeEvent() {
    SetState(esSnoozedEvent);
    SnoozeCondition().SetSnoozeDateTime(
        IncPeriod(defaultSnoozePeriod_, defaultSnoozeNumber_, Now()));
}

void TEvent::SnoozeReminder() {
    SetState(esSnoozedReminder);
    SnoozeCondition().SetSnoozeDateTime(
        IncPeriod(defaultSnoozePeriod_, defaultSnoozeNumber_, Now()));
}

TDateTime TEvent::LastAppear() const {
    return InitializeCondition().LastAppear();
}

TDateTime TEvent::NextAriseWithReminder(TDateTime x) {
    const TDateTime own = InitializeCondition().NextArise(x);
    if (!reminder_)
        return own;
    const TDateTime early = reminder_->InitializeCondition().NextArise(x);
    if (IsNullDate(early))
        return own;
    return early < own ? early : own;
}

TDateTime TEvent::ReminderNextArise(TDateTime x) {
    return reminder_ ? reminder_->InitializeCondition().NextAriseForCheck(x) : NullDate;
}

bool TEvent::IsDueBetween(TDateTime from, TDateTime to) {
    TInitializeCondition* conditions[] = {&InitializeCondition(),
                                          reminder_ ? &reminder_->InitializeCondition() : nullptr,
                                          snoozeCondition_.get()};
    for (TInitializeCondition* c : conditions)
        if (c != nullptr && (c->IsLate(from) || c->ArisesWithin(from, to)))
            return true;
    return false;
}

void TEvent::SetCreationTime(TDateTime dt) {
    InitializeCondition().SetDateOfCreate(dt);
    if (reminder_)
        reminder_->InitializeCondition().SetDateOfCreate(dt);
}

std::string TEvent::DescriptionWithCount(TDateTime x) {
    std::string text = Description();
    if (HasOption(eoComputeCount)) {
        const std::string elapsed = InitializeCondition().ElapsedText(x);
        if (!elapsed.empty())
            text = Format("%s (%s)", {text, elapsed});
    }
    return text;
}

void TEvent::Assign(const TPersistent& source) {
    TWaitingAriseEntity::Assign(source);
    const auto* event = dynamic_cast<const TEvent*>(&source);
    if (event == nullptr || event == this)
        return;
    template_ = event->template_;
    windowMessage_ = event->windowMessage_;
    windowColor_ = event->windowColor_;
    messageColor_ = event->messageColor_;
    SetOptions(event->options_);
    SetHasReminder(event->HasReminder());
    SetReminder(event->Reminder());
    defaultSnoozeNumber_ = event->defaultSnoozeNumber_;
    defaultSnoozePeriod_ = event->defaultSnoozePeriod_;
    SetState(event->state_);
    if (const TSnoozeInitializeCondition* snooze = event->SnoozeConditionIfAny())
        SetSnoozeCondition(*snooze);
    else if (snoozeCondition_)
        snoozeCondition_->Assign(DefaultSnooze());
    SetIconFileName(event->iconFileName_.Get());
    SetIconFileId(event->iconFileId_);
}

void TEvent::InitFrom(const TWaitingAriseEntity& source) {
    TWaitingAriseEntity::InitFrom(source);
    if (reminder_)
        reminder_->ResetDates();
}

void TEvent::DoArise(TDateTime t) {
    SetState(esExecutedEvent);
    TWaitingAriseEntity::DoArise(t);
}

void TEvent::DoLate(TDateTime t) {
    if (!HasOption(eoMessageAboutComingLate))
        return;
    SetState(esExecutedEvent);
    TWaitingAriseEntity::DoLate(t);
}

void TEvent::ReminderArise(TDateTime t) {
    reminder_->RunActionsOnArise = true;
    SetState(esExecutedReminder);
    if (OnArise)
        OnArise(*reminder_, t);
}

void TEvent::ReminderLate(TDateTime t) {
    const bool report = HasOption(eoMessageAboutComingLate);
    reminder_->RunActionsOnArise = report;
    if (!report)
        return;
    SetState(esExecutedReminder);
    if (OnLate)
        OnLate(*reminder_, t);
}

void TEvent::SnoozeArise(TDateTime t) {
    const bool ofReminder = state_ == esSnoozedReminder && reminder_;
    SetState(ofReminder ? esExecutedReminder : esExecutedEvent);
    if (OnSnoozeArise) {
        if (ofReminder)
            OnSnoozeArise(*reminder_, t);
        else
            OnSnoozeArise(*this, t);
    }
    RunSnoozedActions(ofReminder);
}

// A snooze moment that passed while the program was closed is a missed alarm like any
// other: reported late with the moment it was due, or dropped with the event's other
// missed arisings, which ends the snooze.
void TEvent::SnoozeLate(TDateTime t) {
    const bool ofReminder = state_ == esSnoozedReminder && reminder_;
    if (!HasOption(eoMessageAboutComingLate)) {
        SetState(esEnabled);
        return;
    }
    SetState(ofReminder ? esExecutedReminder : esExecutedEvent);
    if (OnLate) {
        if (ofReminder)
            OnLate(*reminder_, t);
        else
            OnLate(*this, t);
    }
    RunSnoozedActions(ofReminder);
}

void TEvent::RunSnoozedActions(bool ofReminder) {
    // The handler may have removed the reminder meanwhile.
    if (ofReminder && reminder_)
        reminder_->ExecuteActions();
    else
        ExecuteActions();
}

std::int32_t MaxSnoozeNumber(TPeriodType period, TDateTime from) {
    const auto fits = [&](std::int64_t n) {
        try {
            return IncPeriod(period, n, from) < MaxDate + 1.0;
        } catch (const EpaError&) {
            return false;
        }
    };
    std::int64_t low = 0;
    std::int64_t high = std::numeric_limits<std::int32_t>::max();
    if (!fits(low))
        return 0;
    if (fits(high))
        return static_cast<std::int32_t>(high);
    while (high - low > 1) {
        const std::int64_t middle = low + (high - low) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return static_cast<std::int32_t>(low);
}

} // namespace kelvo

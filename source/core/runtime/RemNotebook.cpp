#include "core/runtime/RemNotebook.h"

#include "core/entities/Reminder.h"
#include "core/util/paTranslate.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace kelvo {

namespace {

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool TextContains(const std::string& haystack, const std::string& needle, bool wholeWord) {
    if (needle.empty())
        return !wholeWord;
    for (std::size_t at = haystack.find(needle); at != std::string::npos;
         at = haystack.find(needle, at + 1)) {
        if (!wholeWord)
            return true;
        const std::size_t end = at + needle.size();
        const bool before = at > 0 && IsWordChar(haystack[at - 1]);
        const bool after = end < haystack.size() && IsWordChar(haystack[end]);
        if (!before && !after)
            return true;
    }
    return false;
}

// The first arising at or after the start of from's day, when it falls on or before to's day.
bool FirstAriseInDays(TInitializeCondition& condition, TDateTime to, TDateTime from) {
    if (IsNullDate(to) && IsNullDate(from))
        return true;
    const TDateTime a = condition.NextArise(IsNullDate(from) ? from : DateOf(from));
    if (IsNullDate(a))
        return false;
    return IsNullDate(to) || DateOf(a) <= DateOf(to);
}

} // namespace

TReminderNotebook::TReminderNotebook(ITimerFactory& timers)
    : generator_(timers), reaper_(timers.CreateTimer()) {
    generator_.OnMaxTimerCount = [this](TRemindersGenerator&, std::int32_t) {
        RebuildRegistrations();
    };
    reaper_->OnTimeout = [this] {
        reaper_->Stop();
        auto doomed = std::move(doomed_);
        doomed_.clear();
    };
}

TReminderNotebook::~TReminderNotebook() {
    generator_.Stop();
    generator_.ClearConditions();
}

void TReminderNotebook::Hook(TEvent& event) {
    event.OnArise = [this](TWaitingAriseEntity& e, TDateTime t) { Arisen(TReport::Arise, e, t); };
    event.OnLate = [this](TWaitingAriseEntity& e, TDateTime t) { Arisen(TReport::Late, e, t); };
    event.OnSnoozeArise = [this](TWaitingAriseEntity& e, TDateTime t) {
        Arisen(TReport::Snooze, e, t);
    };
}

// A snooze the user asked for outlives a restart; every other state starts afresh (which
// also stops what a previous arising left running).
void TReminderNotebook::KeepSnoozeOrEnable(TEvent& event) {
    const TEventState state = event.State();
    const bool snoozed = state == esSnoozedEvent || state == esSnoozedReminder;
    if (!snoozed || IsNullDate(event.SnoozeDateTime()))
        event.SetState(esEnabled);
    else if (state == esSnoozedReminder && !event.Reminder())
        event.SetState(esSnoozedEvent);
}

TEvent& TReminderNotebook::AddEvent(std::unique_ptr<TEvent> owned) {
    TEvent& event = *owned;
    KeepSnoozeOrEnable(event);
    Hook(event);
    events_.push_back(std::move(owned));
    TComplexInitializeCondition& condition = event.InitializeCondition();
    if (IsNullDate(condition.DateOfCreate()))
        condition.SetDateOfCreate(generator_.LastTime());
    if (TReminder* reminder = event.Reminder();
        reminder && IsNullDate(reminder->InitializeCondition().DateOfCreate()))
        reminder->InitializeCondition().SetDateOfCreate(condition.DateOfCreate());
    if (IsNullDate(event.SnoozeCondition().DateOfCreate()))
        event.SnoozeCondition().SetDateOfCreate(condition.DateOfCreate());
    RegisterEvent(event);
    Notify(event, ckAdded);
    return event;
}

void TReminderNotebook::AddEvents(TOwnedEvents events) {
    BeginUpdate();
    try {
        for (auto& event : events)
            AddEvent(std::move(event));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::unique_ptr<TEvent> TReminderNotebook::RemoveEvent(TEvent& event, int* index) {
    const int at = IndexOf(event);
    if (index)
        *index = at;
    if (at < 0)
        return nullptr;
    UnregisterEvent(event);
    reportedFaults_.erase(&event);
    auto owned = std::move(events_[static_cast<std::size_t>(at)]);
    events_.erase(events_.begin() + at);
    if (OnEventRemoved)
        OnEventRemoved(event);
    Notify(event, ckRemoved);
    return owned;
}

void TReminderNotebook::DeleteEvent(TEvent& event) {
    auto owned = RemoveEvent(event);
    if (!owned)
        return;
    owned->OnArise = nullptr;
    owned->OnLate = nullptr;
    owned->OnSnoozeArise = nullptr;
    if (arising_.contains(owned.get())) {
        doomed_.push_back(std::move(owned));
        reaper_->Start(0, true);
    }
}

void TReminderNotebook::DeleteAllEvents() {
    BeginUpdate();
    while (!events_.empty())
        DeleteEvent(*events_.back());
    EndUpdate();
}

void TReminderNotebook::UnregisterEvent(TEvent& event) {
    generator_.RemoveCondition(event.InitializeCondition());
    if (TReminder* reminder = event.Reminder())
        generator_.RemoveCondition(reminder->InitializeCondition());
    generator_.RemoveCondition(event.SnoozeCondition());
}

void TReminderNotebook::RegisterEvent(TEvent& event) {
    UnregisterEvent(event);
    if (!event.IsDueBetween(generator_.LastTime(), generator_.NextRebuildTime()))
        return;
    generator_.AddCondition(event.InitializeCondition());
    if (TReminder* reminder = event.Reminder())
        generator_.AddCondition(reminder->InitializeCondition());
    generator_.AddCondition(event.SnoozeCondition());
}

std::vector<std::string> TReminderNotebook::RegisterAll() {
    std::vector<std::string> faults;
    for (std::size_t i = 0; i < events_.size(); ++i) {
        TEvent& event = *events_[i];
        try {
            RegisterEvent(event);
        } catch (const std::exception& e) {
            UnregisterEvent(event);
            if (reportedFaults_.insert(&event).second)
                faults.push_back("\"" + event.Description() + "\": " + e.what());
        }
    }
    return faults;
}

void TReminderNotebook::ReportFaults(const std::vector<std::string>& faults) {
    if (faults.empty())
        return;
    std::string text =
        KELVO_TR("RemNotebook", "These events can not be registered and will not arise:");
    for (const std::string& f : faults)
        text += "\n" + f;
    throw EReminderNotebookError(text);
}

void TReminderNotebook::RebuildRegistrations() {
    generator_.Stop();
    generator_.ClearConditions();
    std::vector<std::string> faults;
    try {
        faults = RegisterAll();
    } catch (...) {
        generator_.Resume();
        throw;
    }
    generator_.Resume();
    ReportFaults(faults);
}

void TReminderNotebook::RestartGenerator() {
    generator_.SetLastTime(Now());
    generator_.ClearConditions();
    std::vector<std::string> faults;
    try {
        faults = RegisterAll();
    } catch (...) {
        generator_.Start();
        throw;
    }
    generator_.Start();
    ReportFaults(faults);
}

void TReminderNotebook::RearmEvent(TEvent& event) {
    // Inside its arising the event reached us through our own handlers, which are running.
    if (!arising_.contains(&event))
        Hook(event);
    RegisterEvent(event);
    Notify(event, ckRearmed);
}

void TReminderNotebook::Notify(TEvent& event, TChangeKind kind) {
    if (updateCount_ == 0 && OnChange)
        OnChange(*this, event, kind);
}

void TReminderNotebook::Arisen(TReport report, TWaitingAriseEntity& entity, TDateTime t) {
    TEvent* owner = OwnerEventOf(entity);
    if (owner == nullptr || !Contains(*owner))
        return;
    ++arising_[owner];
    struct TLeave {
        std::unordered_map<const TEvent*, int>& map;
        const TEvent* event;
        ~TLeave() {
            if (--map[event] == 0)
                map.erase(event);
        }
    } leave{arising_, owner};
    RearmEvent(*owner);
    const TEntityCallback& callback = report == TReport::Arise  ? OnEventArise
                                      : report == TReport::Late ? OnEventLate
                                                                : OnSnoozeArise;
    if (callback)
        callback(entity, t);
}

TEvent& TReminderNotebook::Event(int index) const {
    if (index < 0 || index >= EventCount())
        throw EReminderNotebookError("Event index out of bounds (" + std::to_string(index) + ")");
    return *events_[static_cast<std::size_t>(index)];
}

int TReminderNotebook::IndexOf(const TEvent& event) const {
    for (std::size_t i = 0; i < events_.size(); ++i)
        if (events_[i].get() == &event)
            return static_cast<int>(i);
    return -1;
}

TEventList TReminderNotebook::GetEvents() const {
    TEventList list;
    for (const auto& e : events_)
        list.Add(*e);
    return list;
}

TEventList TReminderNotebook::FindByDescription(const std::string& text, unsigned flags) const {
    const bool matchCase = (flags & ffMatchCase) != 0;
    const bool wholeWord = (flags & ffWholeWord) != 0;
    const std::string needle = matchCase ? text : Lower(text);
    TEventList list;
    for (const auto& e : events_) {
        const std::string description = matchCase ? e->Description() : Lower(e->Description());
        if (TextContains(description, needle, wholeWord))
            list.Add(*e);
    }
    return list;
}

TEventList TReminderNotebook::EventsInDays(TDateTime to, TDateTime from) const {
    TEventList list;
    for (const auto& e : events_)
        if (FirstAriseInDays(e->InitializeCondition(), to, from))
            list.Add(*e);
    list.SortByNextArise(from);
    return list;
}

TEventList TReminderNotebook::EventsDueBy(TDateTime until, TDateTime from) const {
    TEventList list;
    for (const auto& e : events_) {
        const TDateTime a = e->InitializeCondition().NextArise(from);
        if (!IsNullDate(a) && a <= until)
            list.Add(*e);
    }
    list.SortByNextArise(from);
    return list;
}

TEventList TReminderNotebook::RemindersInDays(TDateTime to, TDateTime from) const {
    TEventList list;
    for (const auto& e : events_)
        if (TReminder* reminder = e->Reminder();
            reminder && FirstAriseInDays(reminder->InitializeCondition(), to, from))
            list.Add(*e);
    return list;
}

TEventList TReminderNotebook::EventsOfTemplate(const std::string& templateName) const {
    TEventList list;
    for (const auto& e : events_)
        if (e->Template() == templateName)
            list.Add(*e);
    return list;
}

void TReminderNotebook::RenameTemplate(const std::string& oldName, const std::string& newName) {
    for (const auto& e : events_)
        if (e->Template() == oldName)
            e->SetTemplate(newName);
}

bool TReminderNotebook::TemplateInUse(const std::string& templateName) const {
    return std::any_of(events_.begin(), events_.end(),
                       [&](const auto& e) { return e->Template() == templateName; });
}

TEvent* TReminderNotebook::NearestEvent(TDateTime& when) const {
    return GetEvents().NearestEvent(generator_.LastTime(), when);
}

std::string TReminderNotebook::EventsFileBytes() const {
    return WriteEvents(GetEvents());
}

void TReminderNotebook::SaveEventsToFile(const std::string& fileName) const {
    SafeSaveEventsFile(fileName, GetEvents(), Now(),
                       DateOrderOf(CurrentLocale().ShortDateFormat()));
}

TEvent* TReminderNotebook::OwnerEventOf(TWaitingAriseEntity& entity) {
    if (auto* event = dynamic_cast<TEvent*>(&entity))
        return event;
    if (auto* reminder = dynamic_cast<TReminder*>(&entity))
        return reminder->OwnerEvent();
    return nullptr;
}

} // namespace kelvo

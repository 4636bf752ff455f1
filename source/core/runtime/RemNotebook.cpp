#include "core/runtime/RemNotebook.h"

#include "core/entities/Reminder.h"
#include "core/util/paTranslate.h"

#include <algorithm>
#include <cctype>
#include <limits>
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

constexpr TDateTime Always = -std::numeric_limits<double>::infinity();
constexpr TDateTime Never = std::numeric_limits<double>::infinity();

// Until the event changes, none of its conditions can arise or be found missed by a check
// from `at` on before this moment. A missed arising is looked for from the minute after the
// condition's BaseTime, which a later check does not move; a due one from the check's start,
// whose first arising does not come earlier as the start moves on (a reminder's answers
// depend on its event's next arising, so the event's own moment, which comes first, has the
// event looked at again before that changes).
TDateTime EarliestPossibleArising(TEvent& event, TDateTime at) {
    TReminder* reminder = event.Reminder();
    TInitializeCondition* conditions[] = {&event.InitializeCondition(),
                                          reminder ? &reminder->InitializeCondition() : nullptr,
                                          event.SnoozeConditionIfAny()};
    TDateTime earliest = Never;
    auto take = [&earliest](TDateTime r) {
        if (!IsNullDate(r) && r < earliest)
            earliest = r;
    };
    for (TInitializeCondition* c : conditions) {
        if (c == nullptr)
            continue;
        const TDateTime missedFrom = IncMinute(1, c->BaseTime());
        if (missedFrom < at)
            take(c->NextAriseForCheck(missedFrom));
        take(c->NextAriseForCheck(at));
    }
    return earliest;
}

bool LaterInQueue(TDateTime a, TDateTime b) {
    return a > b;
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
    event.notebookIndex_ = static_cast<std::int32_t>(events_.size() - 1);
    slots_.push_back(TSlot{++nextOrder_, 0});
    TComplexInitializeCondition& condition = event.InitializeCondition();
    if (IsNullDate(condition.DateOfCreate()))
        condition.SetDateOfCreate(generator_.LastTime());
    if (TReminder* reminder = event.Reminder();
        reminder && IsNullDate(reminder->InitializeCondition().DateOfCreate()))
        reminder->InitializeCondition().SetDateOfCreate(condition.DateOfCreate());
    if (TSnoozeInitializeCondition* snooze = event.SnoozeConditionIfAny();
        snooze && IsNullDate(snooze->DateOfCreate()))
        snooze->SetDateOfCreate(condition.DateOfCreate());
    if (!deferred_)
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
    slots_.erase(slots_.begin() + at);
    owned->notebookIndex_ = -1;
    for (std::size_t i = static_cast<std::size_t>(at); i < events_.size(); ++i)
        events_[i]->notebookIndex_ = static_cast<std::int32_t>(i);
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
    if (TSnoozeInitializeCondition* snooze = event.SnoozeConditionIfAny())
        generator_.RemoveCondition(*snooze);
}

void TReminderNotebook::RegisterEvent(TEvent& event) {
    RegisterAndQueue(event, IndexOf(event));
}

void TReminderNotebook::RegisterAndQueue(TEvent& event, int index) {
    UnregisterEvent(event);
    const TDateTime at = generator_.LastTime();
    bool due = false;
    try {
        due = event.IsDueBetween(at, generator_.NextRebuildTime());
    } catch (...) {
        Queue(index, Always);
        throw;
    }
    if (due) {
        generator_.AddCondition(event.InitializeCondition());
        if (TReminder* reminder = event.Reminder())
            generator_.AddCondition(reminder->InitializeCondition());
        generator_.AddCondition(event.SnoozeCondition());
        // Registered events are looked at again by every rebuild, as before.
        Queue(index, Always);
        return;
    }
    if (fullRebuilds_)
        return;
    TDateTime key = Always;
    try {
        key = EarliestPossibleArising(event, at);
    } catch (const std::exception&) {
        // A condition that fails is asked again by every rebuild.
    }
    Queue(index, key);
    if (queuedUpTo_ < at)
        queuedUpTo_ = at;
}

void TReminderNotebook::Queue(int index, TDateTime key) {
    if (index < 0 || fullRebuilds_)
        return;
    TSlot& slot = slots_[static_cast<std::size_t>(index)];
    slot.Stamp = ++nextStamp_;
    // Only a change can make it arise, and every change queues it again.
    if (key == Never)
        return;
    const TQueued entry{key, slot.Stamp, slot.Order};
    // Registered events are many after a long absence: they skip the heap.
    if (key == Always) {
        always_.push_back(entry);
    } else {
        queue_.push_back(entry);
        std::push_heap(queue_.begin(), queue_.end(), [](const TQueued& a, const TQueued& b) {
            return LaterInQueue(a.Key, b.Key);
        });
    }
    if (queue_.size() + always_.size() > 2 * slots_.size() + 1024)
        CompactQueue();
}

int TReminderNotebook::CurrentIndexOf(const TQueued& q) const {
    const auto slot =
        std::lower_bound(slots_.begin(), slots_.end(), q.Order,
                         [](const TSlot& s, std::uint64_t order) { return s.Order < order; });
    if (slot == slots_.end() || slot->Order != q.Order || slot->Stamp != q.Stamp)
        return -1;
    return static_cast<int>(slot - slots_.begin());
}

void TReminderNotebook::CompactQueue() {
    const auto stale = [this](const TQueued& q) { return CurrentIndexOf(q) < 0; };
    std::erase_if(queue_, stale);
    std::erase_if(always_, stale);
    std::make_heap(queue_.begin(), queue_.end(),
                   [](const TQueued& a, const TQueued& b) { return LaterInQueue(a.Key, b.Key); });
}

void TReminderNotebook::Visit(int index, std::vector<std::string>& faults) {
    TEvent& event = *events_[static_cast<std::size_t>(index)];
    try {
        RegisterAndQueue(event, index);
    } catch (const std::exception& e) {
        UnregisterEvent(event);
        if (reportedFaults_.insert(&event).second)
            faults.push_back("\"" + event.Description() + "\": " + e.what());
    }
}

bool TReminderNotebook::NeedsFullPass() const {
    const TDateTime at = generator_.LastTime();
    return fullRebuilds_ || !queueValid_ || at < queuedUpTo_ || DateOf(at) != fullPassDay_ ||
           FirstDayOfWeek() != fullPassWeekStart_;
}

void TReminderNotebook::DeferRegistrationsToNextPass() {
    deferred_ = true;
    queueValid_ = false; // a rebuild meanwhile is such a pass
}

std::vector<std::string> TReminderNotebook::RegisterAll() {
    deferred_ = false;
    queue_.clear();
    always_.clear();
    queuedUpTo_ = generator_.LastTime();
    fullPassDay_ = DateOf(queuedUpTo_);
    fullPassWeekStart_ = FirstDayOfWeek();
    queueValid_ = !fullRebuilds_;
    std::vector<std::string> faults;
    for (int i = 0; i < EventCount(); ++i)
        Visit(i, faults);
    lastVisits_ = events_.size();
    return faults;
}

std::vector<std::string> TReminderNotebook::RegisterQueued() {
    const TDateTime until = generator_.NextRebuildTime();
    const auto later = [](const TQueued& a, const TQueued& b) {
        return LaterInQueue(a.Key, b.Key);
    };
    std::vector<int> near;
    const auto take = [&](const TQueued& q) {
        const int index = CurrentIndexOf(q);
        if (index < 0)
            return;
        slots_[static_cast<std::size_t>(index)].Stamp = 0;
        near.push_back(index);
    };
    const std::vector<TQueued> always = std::move(always_);
    always_.clear();
    for (const TQueued& q : always)
        take(q);
    while (!queue_.empty() && queue_.front().Key <= until) {
        std::pop_heap(queue_.begin(), queue_.end(), later);
        const TQueued q = queue_.back();
        queue_.pop_back();
        take(q);
    }
    // Registered in the notebook's order, as a pass over every event registers them.
    std::sort(near.begin(), near.end());
    std::vector<std::string> faults;
    for (const int index : near)
        Visit(index, faults);
    lastVisits_ = near.size();
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
        faults = NeedsFullPass() ? RegisterAll() : RegisterQueued();
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
    // Another notebook's event carries a position too, which is no answer here.
    const std::int32_t at = event.notebookIndex_;
    if (at < 0 || static_cast<std::size_t>(at) >= events_.size() ||
        events_[static_cast<std::size_t>(at)].get() != &event)
        return -1;
    return at;
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

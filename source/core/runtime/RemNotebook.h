#pragma once

// The live set of events and the generator that makes them arise. The notebook keeps the
// generator's registrations current, turns arisings into three callbacks and announces every
// change so that the window can refresh its views and save.
//
// A rebuild looks only at the events that may be due before the next one: every event waits
// in a queue under the earliest moment any of its conditions can arise (or be missed) after
// it was last looked at. An event is looked at again when it arose, was registered again
// (every change passes through AddEvent, RegisterEvent or RearmEvent), and all of them when
// the generator restarts, the clock went back, a new day began or the first day of the
// week changed.

#include "core/entities/Event.h"
#include "core/persistence/EventFile.h"
#include "core/persistence/EventList.h"
#include "core/runtime/RemindersGenerator.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kelvo {

class EReminderNotebookError : public EpaError {
public:
    using EpaError::EpaError;
};

class TReminder;

enum TChangeKind : std::uint8_t { ckAdded, ckRemoved, ckRearmed };

enum TFindFlag : std::uint8_t { ffMatchCase = 1, ffWholeWord = 2 };

class TReminderNotebook {
public:
    using TEntityCallback = std::function<void(TWaitingAriseEntity&, TDateTime)>;
    using TChangeCallback = std::function<void(TReminderNotebook&, TEvent&, TChangeKind)>;

    explicit TReminderNotebook(ITimerFactory& timers);
    ~TReminderNotebook();
    TReminderNotebook(const TReminderNotebook&) = delete;
    TReminderNotebook& operator=(const TReminderNotebook&) = delete;

    TRemindersGenerator& Generator() { return generator_; }

    // The event becomes enabled, is hooked, counts from the generator's LastTime when it has
    // no creation time, is registered and announced.
    TEvent& AddEvent(std::unique_ptr<TEvent> event);
    // One batch: nothing is announced.
    void AddEvents(TOwnedEvents events);
    // Hands the event back to the caller; none when it is not in the notebook. index receives
    // its former position or -1.
    std::unique_ptr<TEvent> RemoveEvent(TEvent& event, int* index = nullptr);
    // Removes and destroys. An event whose arising is still running (a callback deleting the
    // event that arose) is destroyed once control is back in the event loop.
    void DeleteEvent(TEvent& event);
    // Removes and destroys every event as one batch.
    void DeleteAllEvents();

    // Also the way to tell the notebook that an event it holds was changed.
    void RegisterEvent(TEvent& event);
    void UnregisterEvent(TEvent& event);
    // Every event is registered again even when some fail; each failing event is reported
    // once (EReminderNotebookError), and only after the generator runs again.
    void RebuildRegistrations();
    void RestartGenerator();
    // Until the next pass over every event (the RestartGenerator a load is followed by), an
    // added event waits unregistered: that pass registers it, and a fault is reported with the
    // others instead of ending the batch.
    void DeferRegistrationsToNextPass();
    void RearmEvent(TEvent& event);

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate() {
        if (updateCount_ > 0)
            --updateCount_;
    }
    bool Updating() const { return updateCount_ > 0; }

    int EventCount() const { return static_cast<int>(events_.size()); }
    // Out of range is EReminderNotebookError.
    TEvent& Event(int index) const;
    // Constant time, as every arising asks; -1 for an event this notebook does not hold.
    int IndexOf(const TEvent& event) const;
    bool Contains(const TEvent& event) const { return IndexOf(event) >= 0; }
    TEventList GetEvents() const;

    // Events whose description contains text (flags: TFindFlag).
    TEventList FindByDescription(const std::string& text, unsigned flags) const;
    // Events whose first arising from the start of from's day falls on or before to's day
    // (to NullDate: any arising; both NullDate: every event), sorted by next arising.
    TEventList EventsInDays(TDateTime to, TDateTime from) const;
    // Events with NextArise(from) not after until, sorted by next arising.
    TEventList EventsDueBy(TDateTime until, TDateTime from) const;
    // Events whose reminder first arises from the start of from's day on or before to's day.
    TEventList RemindersInDays(TDateTime to, TDateTime from) const;
    TEventList EventsOfTemplate(const std::string& templateName) const;
    void RenameTemplate(const std::string& oldName, const std::string& newName);
    bool TemplateInUse(const std::string& templateName) const;
    TEvent* NearestEvent(TDateTime& when) const;
    // Through SafeSave: a temporary file, the previous file kept as the backup.
    void SaveEventsToFile(const std::string& fileName) const;
    std::string EventsFileBytes() const;

    // The entity itself for an event, the owning event for a reminder, otherwise none.
    static TEvent* OwnerEventOf(TWaitingAriseEntity& entity);

    // Every rebuild looks at every event, as the queue must answer: the reference the queue
    // is compared with.
    void SetFullRebuilds(bool on) { fullRebuilds_ = on; }
    // Events looked at by the last rebuild or restart.
    std::size_t LastRebuildVisits() const { return lastVisits_; }

    TEntityCallback OnEventArise;
    TEntityCallback OnEventLate;
    TEntityCallback OnSnoozeArise;
    TChangeCallback OnChange;
    // Every removal, batches included, so that windows showing the event can close.
    std::function<void(TEvent&)> OnEventRemoved;

private:
    enum class TReport { Arise, Late, Snooze };

    void Hook(TEvent& event);
    static void KeepSnoozeOrEnable(TEvent& event);
    void Arisen(TReport report, TWaitingAriseEntity& entity, TDateTime t);
    void Notify(TEvent& event, TChangeKind kind);
    // Registers every event; the errors of failing events come back as text.
    std::vector<std::string> RegisterAll();
    // Registers the events whose queued moment falls before the next rebuild.
    std::vector<std::string> RegisterQueued();
    // The registration rule for one event inside a pass; a fault is collected, not thrown.
    void Visit(int index, std::vector<std::string>& faults);
    // The rule for one event, which then waits in the queue for its next possible arising.
    // index: the event's position, or -1 for one outside the notebook (never queued).
    void RegisterAndQueue(TEvent& event, int index);
    void Queue(int index, TDateTime key);
    bool NeedsFullPass() const;
    void CompactQueue();
    void ReportFaults(const std::vector<std::string>& faults);

    TRemindersGenerator generator_;
    std::vector<std::unique_ptr<TEvent>> events_;
    int updateCount_ = 0;
    // Events inside an arising, with the depth of nesting.
    std::unordered_map<const TEvent*, int> arising_;
    // Deleted while arising: the condition and the actions of that arising are still on the
    // stack, so they are destroyed from the event loop, once the pass is over.
    std::vector<std::unique_ptr<TEvent>> doomed_;
    std::unique_ptr<ITimer> reaper_;
    std::unordered_set<const TEvent*> reportedFaults_;

    // The queue of next arisings: a min-heap of (moment, stamp); an entry whose stamp is not
    // its event's current one was overtaken by a later one and is dropped when met.
    // An event that can only arise after a change waits in neither.
    struct TQueued {
        TDateTime Key;
        std::uint64_t Stamp;
        std::uint64_t Order; // its event's
    };
    struct TSlot {
        std::uint64_t Order = 0; // the notebook's order, which registrations keep
        std::uint64_t Stamp = 0;
    };
    // The event's position while the entry is its current one, else -1.
    int CurrentIndexOf(const TQueued& q) const;
    std::vector<TQueued> queue_;
    // Looked at by every rebuild: registered and failing events.
    std::vector<TQueued> always_;
    // One per event, beside events_: the orders rise, so an entry finds its event by halving.
    std::vector<TSlot> slots_;
    std::uint64_t nextOrder_ = 0;
    std::uint64_t nextStamp_ = 0;
    // The latest LastTime a queued moment was taken at; the clock going back below it makes
    // the moments worthless.
    TDateTime queuedUpTo_ = NullDate;
    TDateTime fullPassDay_ = NullDate;
    // Every other week counts its weeks from the first day of the week.
    int fullPassWeekStart_ = -1;
    bool queueValid_ = false;
    bool fullRebuilds_ = false;
    bool deferred_ = false;
    std::size_t lastVisits_ = 0;
};

} // namespace kelvo

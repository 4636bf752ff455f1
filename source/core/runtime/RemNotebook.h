#pragma once

// The live set of events and the generator that makes them arise. The notebook keeps the
// generator's registrations current, turns arisings into three callbacks and announces every
// change so that the window can refresh its views and save.

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

    void RegisterEvent(TEvent& event);
    void UnregisterEvent(TEvent& event);
    // Every event is registered again even when some fail; each failing event is reported
    // once (EReminderNotebookError), and only after the generator runs again.
    void RebuildRegistrations();
    void RestartGenerator();
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
};

} // namespace kelvo

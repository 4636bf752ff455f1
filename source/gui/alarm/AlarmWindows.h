#pragma once

// The alarm windows of the program: at most one per event, opened from the notebook's
// arising callbacks, answered into the notebook (the event re-armed, or erased after it has
// come), closed when their event leaves the notebook.
//
// Use from the main window:
//   TAlarmWindows alarms(notebook, mainWindow);
//   alarms.OnFindEvent = [&](TEvent& e) { /* restore the main window, select e */ };
//   alarms.IsEventEdited = [&](const TEvent& e) { return /* event dialog open on e */; };
//   alarms.Connect();
// To delete an event, just delete it through the notebook: its window closes on the removal
// notice and the close handler leaves the event alone. Destroy the alarm windows before the
// notebook. At session end call CloseAllAlarmWindows.

#include "core/util/paDateUtils.h"

#include <QIcon>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QWidget;

namespace kelvo {

class IAudioClient;
class TAlarmMessageForm;
class TDesktopNotifications;
class TEvent;
class TReminderNotebook;
class TWaitingAriseEntity;

class TAlarmWindows {
public:
    // parent: the main window (may be none). It does not own the alarm windows; windows of
    // events without eoStayOnTop are kept above it.
    TAlarmWindows(TReminderNotebook& notebook, QWidget* parent = nullptr);
    // Open windows go without being answered: their events keep their state.
    ~TAlarmWindows();
    TAlarmWindows(const TAlarmWindows&) = delete;
    TAlarmWindows& operator=(const TAlarmWindows&) = delete;

    // For windows opened from now on.
    void SetParentWindow(QWidget* parent);
    // Each alarm window opened from now on is also a desktop notification whose "Snooze" and
    // "Close" answer the window; answering the window withdraws the notification. None: no
    // notifications (those shown are withdrawn).
    void SetNotifications(TDesktopNotifications* notifications);
    // Takes the notebook's OnEventArise, OnEventLate, OnSnoozeArise and OnEventRemoved.
    // Handlers already set there keep running, after ours (so the window is on screen before
    // anything else happens): set the main window's own handlers first, then call this once.
    // After this object is gone its part does nothing.
    void Connect();

    // The three arising callbacks: a window for the owner event of the entity, while the
    // alarm windows are enabled and the event's options ask for one (eoAlarmWindowOnEvent
    // for the event, eoAlarmWindowOnReminder for its reminder).
    void EventArisen(TWaitingAriseEntity& entity, TDateTime t);
    // The missed arising: the same window, marked overdue.
    void EventLate(TWaitingAriseEntity& entity, TDateTime t);
    void SnoozeArisen(TWaitingAriseEntity& entity, TDateTime t);
    // The event left the notebook: its window is answered as by "&Close" and released.
    void EventRemoved(TEvent& event);

    // The event's open window, or a new one filled for it (due: the missed moment of an
    // overdue alarm); colours, icon and callbacks are refreshed, and the window is shown and
    // brought to the front. A new window opens offset from the last open one, so that
    // several alarms never hide each other; under Wayland the compositor places it.
    TAlarmMessageForm& ShowAlarm(TEvent& event, bool isEventAlarm, bool overdue,
                                 TDateTime due = NullDate);
    // The open (shown or hidden) window attached to the event, or none.
    TAlarmMessageForm* FindAlarmWindow(const TEvent& event) const;
    // The ordinary close of every window: hidden, events and sounds left as they are.
    void CloseAllAlarmWindows();
    // Windows attached to an event.
    int Count() const;
    // A sound file that could not be played: a line in the open window of the event whose
    // action (or its reminder's) it was. False when there is no such window.
    bool SoundNotPlayed(const IAudioClient* action, const std::string& fileName);

    // The close handler, run when a window is answered: an enabled event with
    // eoEraseAfterComing and no further arising (of the event or its reminder) is deleted,
    // unless the event dialog is open on it; any other event is re-armed. An event that is
    // no longer in the notebook (its deletion is under way) is left alone.
    void AlarmClosed(TEvent& event);

    // "&Find" in a window.
    std::function<void(TEvent&)> OnFindEvent;
    // Whether the event dialog is open on the event; none means never.
    std::function<bool(const TEvent&)> IsEventEdited;
    // The event's icon from the main window's image lists; none, or a null icon, gives
    // DefaultEventIcon.
    std::function<QIcon(const TEvent&)> EventIcon;

    // The icon of the event's IconFileName when that is a picture Qt can read, otherwise the
    // program's alarm picture.
    static QIcon DefaultEventIcon(const TEvent& event);

private:
    void Arisen(TWaitingAriseEntity& entity, bool overdue, TDateTime due);
    void Prune();
    void Place(TAlarmMessageForm& form) const;
    void Notify(TAlarmMessageForm& form, const TEvent& event);
    void Withdraw(const TAlarmMessageForm* form);
    void NotificationAnswered(quint32 id, const QString& key);

    TReminderNotebook& notebook_;
    QPointer<QWidget> parent_;
    std::vector<QPointer<TAlarmMessageForm>> forms_;
    QPointer<TDesktopNotifications> notifications_;
    // The notification of each window that has one.
    std::vector<std::pair<quint32, QPointer<TAlarmMessageForm>>> notified_;
    // Events whose close handler is running.
    std::vector<const TEvent*> closing_;
    // What the notebook's callbacks hold of this object; empty once it is gone.
    std::shared_ptr<TAlarmWindows*> self_;
};

} // namespace kelvo

#pragma once

#include "core/timers/Timers.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace kelvo {

class TTimerList;

// One periodic or counted timer of a TTimerList.
class TTimerEvent {
public:
    ~TTimerEvent();
    TTimerEvent(const TTimerEvent&) = delete;
    TTimerEvent& operator=(const TTimerEvent&) = delete;

    bool Cycled() const { return cycled_; }
    void SetCycled(bool cycled) { cycled_ = cycled; }
    std::int32_t RepeatCount() const { return repeatCount_; }
    // At least 1 when not cycled; a count already reached disables the timer.
    void SetRepeatCount(std::int32_t count);
    bool Enabled() const { return enabled_; }
    // Enabling starts the timer again from now with no firings.
    void SetEnabled(bool enabled);
    std::int32_t Interval() const { return interval_; }
    void SetInterval(std::int32_t ms);
    std::int32_t TimerId() const { return timerId_; }
    std::uint32_t LastTick() const { return lastTick_; }
    std::int32_t FireCount() const { return fireCount_; }
    TTimerList& List() const { return *list_; }

    std::function<void(TTimerEvent&)> OnTimer;

private:
    friend class TTimerList;
    explicit TTimerEvent(TTimerList& list);

    TTimerList* list_;
    bool cycled_ = true;
    std::int32_t repeatCount_ = 0;
    bool enabled_ = true;
    std::int32_t interval_ = 1000;
    std::int32_t timerId_ = -1;
    std::uint32_t lastTick_;
    std::int32_t fireCount_ = 0;
};

// Many timer events on one system timer whose period divides their intervals. An event
// fires when its interval is complete, up to 50 ms early. Tick arithmetic is modulo 2^32.
// Handlers may add, delete, enable or disable timers (their own or others) while the list
// fires; a timer deleted during a pass is destroyed after it.
class TTimerList {
public:
    TTimerList(ITimerFactory& timers, const ITickCounter& ticks);
    virtual ~TTimerList();
    TTimerList(const TTimerList&) = delete;
    TTimerList& operator=(const TTimerList&) = delete;

    bool Active() const { return active_; }
    void SetActive(bool active);

    // The new timer's id; ids start at 1 and only grow. Does not activate the list.
    virtual std::int32_t AddTimer(std::int32_t interval, bool cycled,
                                  std::function<void(TTimerEvent&)> handler);
    virtual void DeleteTimer(std::int32_t id);
    virtual std::int32_t NextTimerId();
    // Moves a timer of another list into this one, under a new id; 0 when there is none.
    std::int32_t Adopt(TTimerList& from, std::int32_t id);

    TTimerEvent* FindTimer(std::int32_t id) const;
    std::size_t Count() const { return events_.size(); }
    TTimerEvent& Event(std::size_t index) const { return *events_.at(index); }
    std::int32_t Elapse() const { return elapse_; }
    const ITickCounter& Ticks() const { return ticks_; }

    std::function<void(TTimerList&)> OnFinish;
    std::function<void(TTimerList&, std::int32_t timerId)> OnTimers;
    // An exception from a handler ends that pass and comes here; without this handler it
    // goes to DispatchError (the program's error handler).
    std::function<void(std::exception_ptr)> OnException;

private:
    friend class TTimerEvent;

    void Activate();
    void Deactivate();
    void ComputeElapse(std::uint32_t now);
    void SortEvents();
    void UpdateTimer();
    void TimerChanged(); // an event's timing changed
    void OnSystemTimer();
    bool CheckEvents(); // true when an event became disabled
    bool AnyEnabled() const;

    ITimerFactory& timers_;
    const ITickCounter& ticks_;
    std::vector<std::unique_ptr<TTimerEvent>> events_;
    std::unique_ptr<ITimer> timer_;
    bool active_ = false;
    std::int32_t elapse_ = 0;
    std::int32_t idCounter_ = 0;
    // While the list fires, deleted timers and a stopped system timer wait here.
    int passDepth_ = 0;
    std::vector<std::unique_ptr<TTimerEvent>> deleted_;
    std::vector<std::unique_ptr<ITimer>> stoppedTimers_;
};

} // namespace kelvo

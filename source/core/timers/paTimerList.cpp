#include "core/timers/paTimerList.h"

#include "core/util/paIError.h"

#include <algorithm>
#include <limits>

namespace kelvo {

namespace {

constexpr std::int64_t kMinElapse = 100;
constexpr std::int64_t kEarlyFire = 50;

// Milliseconds from then to now on a counter that wraps at 2^32.
std::int64_t TicksSince(std::uint32_t now, std::uint32_t then) {
    return static_cast<std::uint32_t>(now - then);
}

} // namespace

TTimerEvent::TTimerEvent(TTimerList& list) : list_(&list), lastTick_(list.ticks_.TickCount()) {}

TTimerEvent::~TTimerEvent() = default;

void TTimerEvent::SetRepeatCount(std::int32_t count) {
    count = std::max(count, cycled_ ? 0 : 1);
    if (enabled_ && count <= fireCount_)
        SetEnabled(false);
    repeatCount_ = count;
}

void TTimerEvent::SetEnabled(bool enabled) {
    if (!enabled) {
        enabled_ = false;
        return;
    }
    fireCount_ = 0;
    lastTick_ = list_->ticks_.TickCount();
    enabled_ = true;
    list_->TimerChanged();
}

void TTimerEvent::SetInterval(std::int32_t ms) {
    interval_ = ms;
    list_->TimerChanged();
}

TTimerList::TTimerList(ITimerFactory& timers, const ITickCounter& ticks)
    : timers_(timers), ticks_(ticks) {}

TTimerList::~TTimerList() {
    OnFinish = nullptr;
    OnTimers = nullptr;
    Deactivate();
}

void TTimerList::SetActive(bool active) {
    if (active == active_)
        return;
    if (active)
        Activate();
    else
        Deactivate();
}

void TTimerList::Activate() {
    timer_ = timers_.CreateTimer();
    timer_->OnTimeout = [this] { OnSystemTimer(); };
    active_ = true;
    const std::uint32_t now = ticks_.TickCount();
    for (const auto& event : events_)
        if (event->enabled_)
            event->lastTick_ = now;
    ComputeElapse(now);
    SortEvents();
    UpdateTimer();
}

void TTimerList::Deactivate() {
    if (!active_)
        return;
    active_ = false;
    if (timer_) {
        timer_->Stop();
        timer_->OnTimeout = nullptr;
        // The system timer may be the one calling us right now.
        if (passDepth_ > 0)
            stoppedTimers_.push_back(std::move(timer_));
        timer_.reset();
    }
    if (OnFinish)
        OnFinish(*this);
}

std::int32_t TTimerList::NextTimerId() {
    return ++idCounter_;
}

std::int32_t TTimerList::AddTimer(std::int32_t interval, bool cycled,
                                  std::function<void(TTimerEvent&)> handler) {
    auto event = std::unique_ptr<TTimerEvent>(new TTimerEvent(*this));
    event->OnTimer = std::move(handler);
    event->timerId_ = NextTimerId();
    event->interval_ = interval;
    event->cycled_ = cycled;
    const std::int32_t id = event->timerId_;
    events_.push_back(std::move(event));
    ComputeElapse(ticks_.TickCount());
    SortEvents();
    if (active_)
        UpdateTimer();
    return id;
}

void TTimerList::DeleteTimer(std::int32_t id) {
    const auto it = std::find_if(events_.begin(), events_.end(),
                                 [id](const auto& e) { return e->timerId_ == id; });
    if (it == events_.end())
        return;
    std::unique_ptr<TTimerEvent> event = std::move(*it);
    events_.erase(it);
    // Its handler may be running; keep it alive until the pass is over.
    if (passDepth_ > 0)
        deleted_.push_back(std::move(event));
    event.reset();
    if (active_) {
        ComputeElapse(ticks_.TickCount());
        UpdateTimer();
    }
}

std::int32_t TTimerList::Adopt(TTimerList& from, std::int32_t id) {
    if (&from == this)
        return FindTimer(id) ? id : 0;
    const auto it = std::find_if(from.events_.begin(), from.events_.end(),
                                 [id](const auto& e) { return e->timerId_ == id; });
    if (it == from.events_.end())
        return 0;
    std::unique_ptr<TTimerEvent> event = std::move(*it);
    from.events_.erase(it);
    if (from.active_) {
        from.ComputeElapse(from.ticks_.TickCount());
        from.UpdateTimer();
    }
    event->list_ = this;
    event->timerId_ = NextTimerId();
    const std::int32_t newId = event->timerId_;
    events_.push_back(std::move(event));
    ComputeElapse(ticks_.TickCount());
    SortEvents();
    if (active_)
        UpdateTimer();
    return newId;
}

TTimerEvent* TTimerList::FindTimer(std::int32_t id) const {
    for (const auto& event : events_)
        if (event->timerId_ == id)
            return event.get();
    return nullptr;
}

void TTimerList::ComputeElapse(std::uint32_t now) {
    std::int64_t elapse = std::numeric_limits<std::int32_t>::max();
    bool found = false;
    for (const auto& event : events_) {
        if (!event->enabled_ || event->interval_ <= 0)
            continue;
        found = true;
        const std::int64_t remaining = event->interval_ - TicksSince(now, event->lastTick_);
        elapse = std::min({elapse, std::int64_t{event->interval_}, remaining});
    }
    if (!found) {
        elapse_ = 0;
        return;
    }
    elapse = std::max(elapse, kMinElapse);
    // Shrink to a period that divides every interval, so no timer waits for a late tick.
    for (bool again = true; again && elapse > kMinElapse;) {
        again = false;
        for (const auto& event : events_) {
            if (event->interval_ <= 0)
                continue;
            const std::int64_t rest = event->interval_ % elapse;
            if (rest != 0) {
                elapse -= rest;
                again = true;
                break;
            }
        }
    }
    elapse_ = static_cast<std::int32_t>(std::max(elapse, kMinElapse));
}

void TTimerList::SortEvents() {
    std::stable_sort(events_.begin(), events_.end(),
                     [](const auto& a, const auto& b) { return a->interval_ < b->interval_; });
}

bool TTimerList::AnyEnabled() const {
    return std::any_of(events_.begin(), events_.end(), [](const auto& e) { return e->enabled_; });
}

void TTimerList::UpdateTimer() {
    if (!active_)
        return;
    timer_->Stop();
    if (!AnyEnabled()) {
        Deactivate();
        return;
    }
    if (elapse_ > 0) {
        timer_->Start(static_cast<std::uint32_t>(elapse_));
        if (!timer_->IsActive())
            Deactivate();
    }
}

void TTimerList::TimerChanged() {
    if (!active_)
        return;
    ComputeElapse(ticks_.TickCount());
    UpdateTimer();
}

bool TTimerList::CheckEvents() {
    const std::uint32_t now = ticks_.TickCount();
    // Largest interval first. Handlers may change the list, so walk the ids taken now and
    // look each one up again.
    std::vector<std::int32_t> ids;
    ids.reserve(events_.size());
    for (auto it = events_.rbegin(); it != events_.rend(); ++it)
        ids.push_back((*it)->timerId_);
    bool disabledSome = false;
    for (const std::int32_t id : ids) {
        TTimerEvent* event = FindTimer(id);
        if (!event || !event->enabled_)
            continue;
        if (TicksSince(now, event->lastTick_) < std::int64_t{event->interval_} - kEarlyFire)
            continue;
        event->lastTick_ = now;
        ++event->fireCount_;
        if (!event->cycled_ && event->fireCount_ >= event->repeatCount_) {
            event->enabled_ = false;
            disabledSome = true;
        }
        const auto handler = event->OnTimer;
        if (handler)
            handler(*event);
        if (OnTimers)
            OnTimers(*this, id);
    }
    return disabledSome;
}

void TTimerList::OnSystemTimer() {
    if (!active_)
        return;
    ++passDepth_;
    bool disabledSome = false;
    try {
        disabledSome = CheckEvents();
    } catch (...) {
        disabledSome = true; // recompute: the pass stopped midway
        // Without a handler of its own the error goes where every other one goes: the
        // program's error handler and its report. Swallowing it would hide a broken alarm.
        if (OnException)
            OnException(std::current_exception());
        else
            DispatchError(this);
    }
    // Also when handlers disabled the last timers: nothing is left to tick for.
    if (active_ && !AnyEnabled())
        Deactivate();
    else if (active_ && disabledSome) {
        ComputeElapse(ticks_.TickCount());
        UpdateTimer();
    }
    if (--passDepth_ == 0) {
        deleted_.clear();
        stoppedTimers_.clear();
    }
}

} // namespace kelvo

#pragma once

// A tick counter and system timers moved by hand: Advance moves time and fires every active
// timer when its period is complete, in time order, as the event loop would.

#include "core/timers/Timers.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace kelvo::test {

class ManualTime : public ITickCounter, public ITimerFactory {
public:
    explicit ManualTime(std::uint32_t start = 0) : start_(start) {}

    std::uint32_t TickCount() const override { return static_cast<std::uint32_t>(start_ + now_); }

    class Timer : public ITimer {
    public:
        explicit Timer(ManualTime& time) : time_(time) { time_.timers_.push_back(this); }
        ~Timer() override { std::erase(time_.timers_, this); }
        void Start(std::uint32_t intervalMs, bool singleShot) override {
            interval = intervalMs;
            single = singleShot;
            active = true;
            due = time_.now_ + intervalMs;
            ++starts;
        }
        void Stop() override { active = false; }
        bool IsActive() const override { return active; }
        // Fires now, as when its period is complete; nothing when it is not running.
        void Fire() {
            if (!active)
                return;
            if (single)
                active = false;
            if (OnTimeout)
                OnTimeout();
        }

        ManualTime& time_;
        std::uint64_t interval = 0, due = 0;
        bool single = false, active = false;
        int starts = 0;
    };

    std::unique_ptr<ITimer> CreateTimer() override { return std::make_unique<Timer>(*this); }

    void Advance(std::uint64_t ms) {
        const std::uint64_t target = now_ + ms;
        for (;;) {
            Timer* next = nullptr;
            for (Timer* t : timers_)
                if (t->active && t->due <= target && (!next || t->due < next->due))
                    next = t;
            if (!next)
                break;
            now_ = next->due;
            // A zero period would fire forever within one Advance.
            next->due += std::max<std::uint64_t>(next->interval, 1);
            if (next->single)
                next->active = false;
            next->OnTimeout();
        }
        now_ = target;
    }
    std::uint64_t Now() const { return now_; }

    Timer* Only() const { return timers_.size() == 1 ? timers_.front() : nullptr; }
    // The oldest timer alive.
    Timer& First() const { return *timers_.front(); }
    std::size_t TimerCount() const { return timers_.size(); }

private:
    std::uint64_t start_;
    std::uint64_t now_ = 0;
    std::vector<Timer*> timers_;
};

} // namespace kelvo::test

#pragma once

// A hand-driven clock and one-second timer for tests of anything that depends on time.

#include "core/timers/Timers.h"
#include "core/util/paDateUtils.h"

#include <memory>
#include <vector>

namespace kelvo::test {

// Installs itself as the clock for its lifetime; Now answers what the test set.
class TestClock : public IClock {
public:
    explicit TestClock(TDateTime now = EncodeDateTime(2024, 1, 1, 12, 0)) : now_(now) {
        previous_ = InstallClock(this);
    }
    ~TestClock() override { InstallClock(previous_); }
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;

    TDateTime Now() const override { return now_; }
    void Set(TDateTime now) { now_ = now; }
    void AdvanceMs(std::int64_t ms) { now_ = IncMilliSecond(ms, now_); }
    void AdvanceSeconds(std::int64_t s) { AdvanceMs(s * MSecsPerSec); }

private:
    TDateTime now_;
    IClock* previous_ = nullptr;
};

// A timer that fires only when the test calls Fire.
class ManualTimer : public ITimer {
public:
    void Start(std::uint32_t intervalMs, bool singleShot = false) override {
        active_ = true;
        interval_ = intervalMs;
        singleShot_ = singleShot;
        ++starts_;
    }
    void Stop() override { active_ = false; }
    bool IsActive() const override { return active_; }

    // Calls OnTimeout as the event loop would, when active.
    void Fire() {
        if (!active_)
            return;
        if (singleShot_)
            active_ = false;
        if (OnTimeout)
            OnTimeout();
    }
    std::uint32_t Interval() const { return interval_; }
    int Starts() const { return starts_; }

private:
    bool active_ = false;
    bool singleShot_ = false;
    std::uint32_t interval_ = 0;
    int starts_ = 0;
};

class ManualTimerFactory : public ITimerFactory {
public:
    std::unique_ptr<ITimer> CreateTimer() override {
        auto t = std::make_unique<ManualTimer>();
        timers_.push_back(t.get());
        return t;
    }
    // Observers of the timers created so far, in creation order.
    const std::vector<ManualTimer*>& Timers() const { return timers_; }
    ManualTimer& Last() const { return *timers_.back(); }

private:
    std::vector<ManualTimer*> timers_;
};

} // namespace kelvo::test

#pragma once

// Makes events, reminders and snoozes arise: once a second it looks at the clock, and at the
// first tick of every minute it checks each registered condition over the window from the
// end of the last checked minute to the end of the current one.

#include "core/timers/Timers.h"
#include "core/util/paDateUtils.h"
#include "core/util/paError.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace kelvo {

class TInitializeCondition;

class EReminderError : public EpaError {
public:
    using EpaError::EpaError;
};

class TRemindersGenerator {
public:
    static constexpr std::uint32_t TimerPeriod = 1000; // ms
    using TMaxTimerCountHandler = std::function<void(TRemindersGenerator&, std::int32_t)>;

    // Created stopped, LastTime = Now, MaxTimerCount = 120.
    explicit TRemindersGenerator(ITimerFactory& timers);
    ~TRemindersGenerator();
    TRemindersGenerator(const TRemindersGenerator&) = delete;
    TRemindersGenerator& operator=(const TRemindersGenerator&) = delete;

    // Not owned. A condition without DateOfCreate, or created in the future, counts from now.
    void AddCondition(TInitializeCondition& c);
    void RemoveCondition(TInitializeCondition& c);
    void ClearConditions();
    int ConditionCount() const { return static_cast<int>(conditions_.size()); }
    bool HasCondition(const TInitializeCondition& c) const;

    void Start();
    void Resume();
    void Stop();
    bool Running() const;

    TDateTime LastTime() const { return lastTime_; }
    void SetLastTime(TDateTime t);
    std::int32_t MaxTimerCount() const { return maxTimerCount_; }
    // Raises EReminderError "Illegal MaxTimerCount" when n < 0, or while running with more
    // ticks counted than n (0, never, is always taken).
    void SetMaxTimerCount(std::int32_t n);
    std::int32_t TickCount() const { return tickCount_; }
    TDateTime NextRebuildTime() const;

    // One timer period. Every condition of the pass is checked even when one fails; the
    // errors are raised afterwards (one as it is, several joined in an EReminderError).
    void Tick();

    TMaxTimerCountHandler OnMaxTimerCount;

private:
    std::unique_ptr<ITimer> timer_;
    std::vector<TInitializeCondition*> conditions_;
    std::unordered_map<const TInitializeCondition*, int> registered_;
    TDateTime lastTime_;
    std::int32_t maxTimerCount_ = 120;
    std::int32_t tickCount_ = 0;
    // The end of the window the registrations were made for, and while a rebuild for a jump
    // of the clock runs, the end of the window it registers for.
    TDateTime horizon_ = NullDate;
    TDateTime jumpEnd_ = NullDate;

    void RegisterForJump(TDateTime cur, std::vector<std::exception_ptr>& errors);
};

} // namespace kelvo

#pragma once

#include "core/timers/Timers.h"

#include <QElapsedTimer>
#include <memory>

class QTimer;

namespace kelvo {

// A timer on the Qt event loop that never fires before its interval has passed: a
// timeout that comes early is re-armed for the rest.
class TQtTimer : public ITimer {
public:
    TQtTimer();
    ~TQtTimer() override;

    void Start(std::uint32_t intervalMs, bool singleShot = false) override;
    void Stop() override;
    bool IsActive() const override { return active_; }

private:
    void Arm(qint64 delayMs);
    void Timeout();

    QTimer* timer_; // deleted later when destroyed from its own timeout
    QElapsedTimer clock_;
    qint64 interval_ = 0;
    qint64 due_ = 0;
    bool singleShot_ = false;
    bool active_ = false;
    bool* firing_ = nullptr; // set while OnTimeout runs; cleared when destroyed meanwhile
};

class TQtTimerFactory : public ITimerFactory {
public:
    std::unique_ptr<ITimer> CreateTimer() override { return std::make_unique<TQtTimer>(); }
};

// Milliseconds of the monotonic clock, wrapping at 2^32 like a system tick count.
class TMonotonicTickCounter : public ITickCounter {
public:
    std::uint32_t TickCount() const override;
};

} // namespace kelvo

#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace kelvo {

// A system timer as the core sees it. The platform implements it over its event loop;
// tests drive it by hand. OnTimeout is called on the one thread, never early.
class ITimer {
public:
    virtual ~ITimer() = default;

    // Starts or restarts the timer: OnTimeout every intervalMs until Stop, or once when
    // singleShot.
    virtual void Start(std::uint32_t intervalMs, bool singleShot = false) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;

    std::function<void()> OnTimeout;
};

class ITimerFactory {
public:
    virtual ~ITimerFactory() = default;
    virtual std::unique_ptr<ITimer> CreateTimer() = 0;
};

// Milliseconds since an arbitrary start, wrapping at 2^32 like the system tick count.
class ITickCounter {
public:
    virtual ~ITickCounter() = default;
    virtual std::uint32_t TickCount() const = 0;
};

} // namespace kelvo

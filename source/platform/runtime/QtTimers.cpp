#include "platform/runtime/QtTimers.h"

#include <QTimer>
#include <algorithm>
#include <chrono>

namespace kelvo {

TQtTimer::TQtTimer() : timer_(new QTimer) {
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, [this] { Timeout(); });
    clock_.start();
}

TQtTimer::~TQtTimer() {
    timer_->stop();
    QObject::disconnect(timer_, nullptr, nullptr, nullptr);
    if (firing_) {
        *firing_ = false;
        timer_->deleteLater();
    } else
        delete timer_;
}

void TQtTimer::Start(std::uint32_t intervalMs, bool singleShot) {
    interval_ = intervalMs;
    singleShot_ = singleShot;
    active_ = true;
    due_ = clock_.elapsed() + interval_;
    Arm(interval_);
}

void TQtTimer::Stop() {
    active_ = false;
    timer_->stop();
}

void TQtTimer::Arm(qint64 delayMs) {
    timer_->start(static_cast<int>(std::clamp<qint64>(delayMs, 0, 0x7FFFFFFF)));
}

void TQtTimer::Timeout() {
    if (!active_)
        return;
    const qint64 now = clock_.elapsed();
    if (now < due_) {
        Arm(due_ - now);
        return;
    }
    if (singleShot_)
        active_ = false;
    else {
        // Measured from this timeout: a late tick never brings the next one closer than a
        // full interval to it, so whoever times by ticks sees no short period.
        due_ = now + interval_;
        Arm(due_ - now);
    }
    if (!OnTimeout)
        return;
    bool alive = true;
    firing_ = &alive;
    const auto handler = OnTimeout;
    handler();
    if (alive)
        firing_ = nullptr;
}

std::uint32_t TMonotonicTickCounter::TickCount() const {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<std::uint32_t>(ms.count());
}

} // namespace kelvo

#include "platform/session/paClockWatch.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace kelvo {

TClockChangeWatch::TClockChangeWatch(QObject* parent) : QObject(parent) {
    fd_ = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ < 0)
        return;
    if (!Arm()) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TClockChangeWatch::OnReadable);
}

TClockChangeWatch::~TClockChangeWatch() {
    delete notifier_;
    if (fd_ >= 0)
        ::close(fd_);
}

bool TClockChangeWatch::Arm() {
    // An absolute moment years ahead: only a setting of the clock wakes the watch, and an
    // expiry after those years just arms it again from then.
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    itimerspec when{};
    when.it_value.tv_sec = now.tv_sec + 10LL * 365 * 24 * 3600;
    return ::timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &when, nullptr) == 0;
}

void TClockChangeWatch::OnReadable() {
    std::uint64_t expirations = 0;
    const ssize_t got = ::read(fd_, &expirations, sizeof expirations);
    const bool cancelled = got < 0 && errno == ECANCELED;
    // Re-arming after a cancel is what keeps the watch going; an expiry or a spurious
    // wake-up just re-arms.
    Arm();
    if (cancelled)
        emit clockChanged();
}

} // namespace kelvo

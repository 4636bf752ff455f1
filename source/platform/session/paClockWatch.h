#pragma once

#include <QObject>

class QSocketNotifier;

namespace kelvo {

// Tells when the system clock is set (by the user, NTP stepping it, resuming with a
// corrected time): a real-time timer armed far in the future with cancel-on-set is
// cancelled by the kernel at every such change.
class TClockChangeWatch : public QObject {
    Q_OBJECT
public:
    explicit TClockChangeWatch(QObject* parent = nullptr);
    ~TClockChangeWatch() override;

    bool IsActive() const { return fd_ >= 0; }

signals:
    void clockChanged();

private:
    bool Arm();
    void OnReadable();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kelvo

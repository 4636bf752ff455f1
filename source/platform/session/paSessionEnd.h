#pragma once

#include <QObject>

class QSocketNotifier;

namespace kelvo {

// The end of the user's session as the program hears of it: the session manager asking
// the application to save (commitDataRequest), SIGTERM and SIGHUP. The signals arrive
// through a self-pipe, so the program reacts on its own thread inside the event loop.
class TSessionEndWatcher : public QObject {
    Q_OBJECT
public:
    explicit TSessionEndWatcher(QObject* parent = nullptr);
    ~TSessionEndWatcher() override;

    bool IsActive() const { return notifier_ != nullptr; }

    // From now until DeliverSignals, SIGTERM and SIGHUP end the process at once with 0, even
    // outside the event loop (a long load): there is nothing to save yet. Works before the
    // application object exists.
    static void EndAtOnceOnSignal();
    // The signals arrive as sessionEnding again.
    static void DeliverSignals();

    // Ends the process at once with the code, without any further clean-up.
    [[noreturn]] static void EndProcessNow(int exitCode = 0);

signals:
    // The program saves (SaveOnSessionEnd) and ends at once. signalNumber is 0 when the
    // session manager asked.
    void sessionEnding(int signalNumber);

private:
    void ReadPipe();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kelvo

#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLocalServer;

namespace kelvo {

// One running instance per user: a lock file in a folder only this user can reach decides
// which process is the instance, and a local socket next to it lets a later start ask that
// instance to show its window. The later start touches nothing else and ends.
class TSingleInstance : public QObject {
    Q_OBJECT
public:
    enum class TStart {
        First,      // this process is the instance and listens for later starts
        Second,     // another instance runs and has been asked to show itself
        Unreachable // another instance holds the lock but does not answer
    };

    // folder: where the lock and the socket live. When empty: the runtime folder when it is
    // ours and closed to others, else "kelvo-rem-<uid>" in the temporary folder, else a folder
    // below the cache folder; each made with mode 0700, and one that is a link, someone
    // else's or open to others is never used.
    explicit TSingleInstance(const QString& folder = {}, QObject* parent = nullptr);
    ~TSingleInstance() override;

    // A lock left by a process that no longer runs is taken over. waitMs bounds the time
    // spent waiting for an instance that is still starting up. Where no lock can be made
    // at all (an unwritable folder) the start goes on as the first, with a hint logged.
    TStart Start(int waitMs = 5000);

    // A command line a later kelvo-cli sends (one line, "sync"); the handler calls reply once
    // with the whole answer, its last line "exit N".
    using TReply = std::function<void(const std::string& answer)>;
    void SetCommandHandler(std::function<void(const std::string& command, TReply reply)> handler);
    // Sends command to the running instance and answers its whole reply; nothing when no
    // instance listens. waitMs bounds the wait for the answer.
    static std::optional<std::string> Ask(const std::string& command, int waitMs,
                                          const QString& folder = {});

    QString LockPath() const { return lockPath_; }
    QString ServerPath() const { return serverPath_; }

signals:
    // A later start asks this instance to restore and raise its window.
    void activationRequested();

private:
    bool AskRunningInstance();
    void Listen();

    QString folder_;
    QString lockPath_;
    QString serverPath_;
    QLockFile lock_;
    QLocalServer* server_ = nullptr;
    std::function<void(const std::string&, TReply)> commandHandler_;
};

} // namespace kelvo

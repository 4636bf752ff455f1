#include "platform/session/paSingleInstance.h"

#include "core/util/paError.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvo {

namespace {

const char ActivateRequest[] = "activate\n";
const char ActivateReply[] = "ok\n";

// Only this user can reach it: a real directory (not a link), ours, closed to everyone else.
bool IsPrivateFolder(const QString& path, bool exactMode) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    const mode_t mode = info.st_mode & 07777;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (exactMode ? mode == 0700 : (mode & 0077) == 0);
}

// Made with 0700 when missing; whatever is there already must pass the same check, so that a
// folder or link planted by someone else is refused rather than used.
bool MakePrivateFolder(const QString& path) {
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
        return false;
    return IsPrivateFolder(path, true);
}

// The runtime folder when there is a good one; otherwise a folder of our own in the temporary
// folder, which anyone can write to; otherwise one below the user's cache folder. Empty when
// none of them is private.
QString InstanceFolder(const QString& folder) {
    if (!folder.isEmpty())
        return folder;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && IsPrivateFolder(runtime, false))
        return runtime;
    const QString temporary =
        QDir::tempPath() + QStringLiteral("/kelvo-rem-") + QString::number(::geteuid());
    if (MakePrivateFolder(temporary))
        return temporary;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache + QStringLiteral("/Brennikor")))
        return {};
    const QString own = cache + QStringLiteral("/Brennikor/Tavrelon-instance");
    return MakePrivateFolder(own) ? own : QString();
}

QString InFolder(const QString& folder, const char* name) {
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + QLatin1String(name);
}

} // namespace

TSingleInstance::TSingleInstance(const QString& folder, QObject* parent)
    : QObject(parent), folder_(InstanceFolder(folder)),
      lockPath_(InFolder(folder_, "Brennikor-Tavrelon.lock")),
      serverPath_(InFolder(folder_, "Brennikor-Tavrelon.socket")), lock_(lockPath_) {
    // Only a lock whose process has ended is stale: an instance may run for years.
    lock_.setStaleLockTime(0);
}

TSingleInstance::~TSingleInstance() {
    if (server_)
        server_->close();
}

TSingleInstance::TStart TSingleInstance::Start(int waitMs) {
    if (folder_.isEmpty()) {
        // Nowhere that only this user can write: rather unguarded than on another's files.
        RaiseHint(QDir::tempPath().toStdString(), "No private folder for the single-instance lock");
        return TStart::First;
    }
    QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (lock_.tryLock(0)) {
            Listen();
            return TStart::First;
        }
        if (lock_.error() != QLockFile::LockFailedError) {
            // No lock can be made here at all: running unguarded beats never starting.
            RaiseHint(lockPath_.toStdString(), "Cannot create the single-instance lock");
            Listen();
            return TStart::First;
        }
        if (AskRunningInstance())
            return TStart::Second;
        // The owner may still be starting; a stale lock is noticed by the next tryLock.
        if (deadline.hasExpired())
            return TStart::Unreachable;
        QThread::msleep(100);
    }
}

bool TSingleInstance::AskRunningInstance() {
    QLocalSocket socket;
    socket.connectToServer(serverPath_);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(ActivateRequest);
    if (!socket.waitForBytesWritten(1000))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(3000))
            return false;
    return socket.readLine() == ActivateReply;
}

void TSingleInstance::SetCommandHandler(
    std::function<void(const std::string& command, TReply reply)> handler) {
    commandHandler_ = std::move(handler);
}

std::optional<std::string> TSingleInstance::Ask(const std::string& command, int waitMs,
                                                const QString& folder) {
    const QString path = InFolder(InstanceFolder(folder), "Brennikor-Tavrelon.socket");
    if (path.isEmpty())
        return std::nullopt;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(1000))
        return std::nullopt;
    socket.write(QByteArray::fromStdString(command + "\n"));
    if (!socket.waitForBytesWritten(1000))
        return std::nullopt;
    QByteArray answer;
    QDeadlineTimer deadline(waitMs);
    while (socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired()) {
        socket.waitForReadyRead(static_cast<int>(std::min<qint64>(deadline.remainingTime(), 1000)));
        answer += socket.readAll();
    }
    answer += socket.readAll();
    if (answer.isEmpty())
        return std::nullopt;
    return answer.toStdString();
}

void TSingleInstance::Listen() {
    // A socket left behind by an ended instance would block the name.
    QLocalServer::removeServer(serverPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (!client->canReadLine())
                    return;
                const QByteArray line = client->readLine();
                if (line == ActivateRequest) {
                    client->write(ActivateReply);
                    client->flush();
                    emit activationRequested();
                } else if (commandHandler_ && line.endsWith('\n')) {
                    // The answer may come much later (a sync); the client may be gone by then.
                    QPointer<QLocalSocket> target(client);
                    commandHandler_(line.trimmed().toStdString(),
                                    [target](const std::string& answer) {
                                        if (!target)
                                            return;
                                        target->write(QByteArray::fromStdString(answer));
                                        target->flush();
                                        target->disconnectFromServer();
                                    });
                    return;
                }
                client->disconnectFromServer();
            });
        }
    });
    server_->listen(serverPath_);
}

} // namespace kelvo

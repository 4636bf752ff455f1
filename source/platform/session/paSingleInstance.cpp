#include "platform/session/paSingleInstance.h"

#include "core/util/paError.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace kelvo {

namespace {

const char ActivateRequest[] = "activate\n";
const char ActivateReply[] = "ok\n";

QString InstanceFolder(const QString& folder) {
    if (!folder.isEmpty())
        return folder;
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    return runtime;
}

} // namespace

TSingleInstance::TSingleInstance(const QString& folder, QObject* parent)
    : QObject(parent), lockPath_(InstanceFolder(folder) + "/Brennikor-Tavrelon.lock"),
      serverPath_(InstanceFolder(folder) + "/Brennikor-Tavrelon.socket"), lock_(lockPath_) {
    // Only a lock whose process has ended is stale: an instance may run for years.
    lock_.setStaleLockTime(0);
}

TSingleInstance::~TSingleInstance() {
    if (server_)
        server_->close();
}

TSingleInstance::TStart TSingleInstance::Start(int waitMs) {
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
                if (client->readLine() == ActivateRequest) {
                    client->write(ActivateReply);
                    client->flush();
                    emit activationRequested();
                }
                client->disconnectFromServer();
            });
        }
    });
    server_->listen(serverPath_);
}

} // namespace kelvo

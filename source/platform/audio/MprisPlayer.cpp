#include "platform/audio/MprisPlayer.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <utility>

namespace kelvo {

namespace {

const QString kPrefix = QStringLiteral("org.mpris.MediaPlayer2.");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kTracks = QStringLiteral("org.mpris.MediaPlayer2.TrackList");

QString UriFor(const std::string& entry) {
    const QString text = QString::fromStdString(entry);
    if (text.contains(QStringLiteral("://")))
        return text;
    return QUrl::fromLocalFile(text).toString(QUrl::FullyEncoded);
}

void Call(const QString& service, const QString& interface, const QString& method,
          const QVariantList& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, kPath, interface, method);
    message.setArguments(arguments);
    // Nothing is waited for: a player that hangs must not hang the alarms.
    QDBusConnection::sessionBus().call(message, QDBus::NoBlock);
}

} // namespace

TMprisPlayer::TMprisPlayer() {
    wait_.setInterval(250);
    QObject::connect(&wait_, &QTimer::timeout, [this] { WaitTick(); });
}

TMprisPlayer::~TMprisPlayer() = default;

bool TMprisPlayer::IsProgram(const QString& service, const std::string& programPath) {
    if (programPath.empty())
        return false;
    const QString path = QString::fromStdString(programPath);
    const QFileInfo program(path);
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The owner's program file: asked of the bus itself, which always answers.
    if (QDBusConnectionInterface* daemon = bus.interface()) {
        const QDBusReply<uint> pid = daemon->servicePid(service);
        if (pid.isValid() && pid.value() > 0) {
            const QString proc = QStringLiteral("/proc/%1/").arg(pid.value());
            QString wanted = path.contains(QLatin1Char('/')) ? program.canonicalFilePath()
                                                             : QStandardPaths::findExecutable(path);
            wanted = QFileInfo(wanted).canonicalFilePath();
            const QString exe = QFileInfo(proc + QStringLiteral("exe")).canonicalFilePath();
            if (!wanted.isEmpty() && exe == wanted)
                return true;
            // A script or a wrapper: the kernel names the process after the file it ran.
            QFile comm(proc + QStringLiteral("comm"));
            if (comm.open(QIODevice::ReadOnly) &&
                QString::fromUtf8(comm.readAll()).trimmed() == program.fileName().left(15))
                return true;
        }
    }
    // The player's own word: its desktop entry is named after the program as a rule.
    QDBusMessage get = QDBusMessage::createMethodCall(
        service, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setArguments({QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("DesktopEntry")});
    // Short: a player that hangs must not hang the alarms for long.
    const QDBusMessage reply = bus.call(get, QDBus::Block, 500);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    QString entry = reply.arguments().front().value<QDBusVariant>().variant().toString();
    if (entry.endsWith(QStringLiteral(".desktop")))
        entry.chop(8);
    const QString name = program.completeBaseName();
    return !entry.isEmpty() && !name.isEmpty() &&
           (entry.compare(name, Qt::CaseInsensitive) == 0 ||
            entry.endsWith(QLatin1Char('.') + name, Qt::CaseInsensitive));
}

std::string TMprisPlayer::FindPlayer() const {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    if (!bus || programPath_.empty())
        return {};
    const QStringList names = bus->registeredServiceNames().value();
    for (const QString& name : names)
        if (name.startsWith(kPrefix) && IsProgram(name, programPath_))
            return name.toStdString();
    return {};
}

void TMprisPlayer::PlayList(const std::vector<std::string>& entries) {
    pending_.clear();
    for (const std::string& entry : entries)
        pending_ << UriFor(entry);
    wait_.stop();
    if (pending_.isEmpty()) {
        // Silence only what plays for us: the user's own music is none of our business.
        if (!playing_.isEmpty())
            Call(std::exchange(playing_, QString()), kPlayer, QStringLiteral("Stop"));
        return;
    }
    const QString service = QString::fromStdString(FindPlayer());
    if (!service.isEmpty()) {
        Deliver(service);
        return;
    }
    if (programPath_.empty())
        return;
    if (QProcess::startDetached(QString::fromStdString(programPath_), {})) {
        waited_ = 0;
        wait_.start();
    }
}

void TMprisPlayer::WaitTick() {
    waited_ += wait_.interval();
    const QString service = QString::fromStdString(FindPlayer());
    if (!service.isEmpty()) {
        wait_.stop();
        Deliver(service);
    } else if (waited_ >= StartTimeoutMs) {
        wait_.stop();
    }
}

void TMprisPlayer::Deliver(const QString& service) {
    playing_ = service;
    Call(service, kPlayer, QStringLiteral("OpenUri"), {pending_.front()});
    const QDBusObjectPath noTrack(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    for (qsizetype i = pending_.size() - 1; i >= 1; --i)
        Call(service, kTracks, QStringLiteral("AddTrack"),
             {pending_[i], QVariant::fromValue(noTrack), false});
    Call(service, kPlayer, QStringLiteral("Play"));
}

} // namespace kelvo

#include "platform/audio/MprisPlayer.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QUrl>

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

std::string TMprisPlayer::FindPlayer() const {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    if (!bus)
        return {};
    const QStringList names = bus->registeredServiceNames().value();
    for (const QString& name : names)
        if (name.startsWith(kPrefix))
            return name.toStdString();
    return {};
}

void TMprisPlayer::PlayList(const std::vector<std::string>& entries) {
    pending_.clear();
    for (const std::string& entry : entries)
        pending_ << UriFor(entry);
    wait_.stop();
    const QString service = QString::fromStdString(FindPlayer());
    if (!service.isEmpty()) {
        Deliver(service);
        return;
    }
    if (pending_.isEmpty() || programPath_.empty())
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
    if (pending_.isEmpty()) {
        Call(service, kPlayer, QStringLiteral("Stop"));
        return;
    }
    Call(service, kPlayer, QStringLiteral("OpenUri"), {pending_.front()});
    const QDBusObjectPath noTrack(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    for (qsizetype i = pending_.size() - 1; i >= 1; --i)
        Call(service, kTracks, QStringLiteral("AddTrack"),
             {pending_[i], QVariant::fromValue(noTrack), false});
    Call(service, kPlayer, QStringLiteral("Play"));
}

} // namespace kelvo

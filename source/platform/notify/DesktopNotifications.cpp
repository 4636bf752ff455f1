#include "platform/notify/DesktopNotifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace kelvo {

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");

} // namespace

TDesktopNotifications::TDesktopNotifications(QObject* parent)
    : QObject(parent), bus_(QDBusConnection::sessionBus()) {
    if (!bus_.isConnected())
        return;
    bus_.connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
                 SLOT(OnActionInvoked(quint32, QString)));
    bus_.connect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this,
                 SLOT(OnClosed(quint32, quint32)));
}

TDesktopNotifications::~TDesktopNotifications() {
    for (const quint32 serverId : std::as_const(serverIds_))
        CloseOnServer(serverId);
    if (!bus_.isConnected())
        return;
    // The bus's own thread would otherwise reach for this object after it is gone.
    bus_.disconnect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
                    SLOT(OnActionInvoked(quint32, QString)));
    bus_.disconnect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this,
                    SLOT(OnClosed(quint32, quint32)));
}

quint32 TDesktopNotifications::Show(const QString& summary, const QString& body,
                                    const QString& icon, const TActions& actions) {
    if (!bus_.isConnected())
        return 0;
    QStringList flat;
    for (const auto& [key, label] : actions)
        flat << key << label;
    QVariantMap hints;
    // Stays until answered, as an alarm window does.
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(2)));
    hints.insert(QStringLiteral("resident"), true);
    hints.insert(QStringLiteral("category"), QStringLiteral("x-kelvo.alarm"));
    QDBusMessage call =
        QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
    call << QStringLiteral("kelvo-rem") << quint32(0) << icon << summary << body << flat << hints
         << qint32(0);
    const quint32 id = ++next_;
    pending_.insert(id, false);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, id](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<quint32> reply = *w;
                const bool withdrawn = pending_.take(id);
                if (reply.isError())
                    return;
                if (withdrawn)
                    CloseOnServer(reply.value());
                else
                    serverIds_.insert(id, reply.value());
            });
    return id;
}

void TDesktopNotifications::Withdraw(quint32 id) {
    if (auto p = pending_.find(id); p != pending_.end()) {
        *p = true;
        return;
    }
    if (auto s = serverIds_.find(id); s != serverIds_.end()) {
        CloseOnServer(*s);
        serverIds_.erase(s);
    }
}

void TDesktopNotifications::CloseOnServer(quint32 serverId) {
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface,
                                                       QStringLiteral("CloseNotification"));
    call << serverId;
    bus_.asyncCall(call);
}

void TDesktopNotifications::OnActionInvoked(quint32 serverId, const QString& key) {
    const quint32 id = serverIds_.key(serverId, 0);
    if (id != 0)
        emit actionInvoked(id, key);
}

void TDesktopNotifications::OnClosed(quint32 serverId, quint32) {
    const quint32 id = serverIds_.key(serverId, 0);
    if (id == 0)
        return;
    serverIds_.remove(id);
    emit closed(id);
}

} // namespace kelvo

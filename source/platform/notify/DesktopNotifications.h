#pragma once

// The desktop's notification service (org.freedesktop.Notifications on the session bus).
// Every call is asynchronous: the window's thread never waits on the bus. A notification is
// known by a number of ours from the start, before the server has answered with its own.

#include <QDBusConnection>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

namespace kelvo {

class TDesktopNotifications : public QObject {
    Q_OBJECT
public:
    using TActions = QList<QPair<QString, QString>>; // key, label

    explicit TDesktopNotifications(QObject* parent = nullptr);
    // Withdraws every notification still shown.
    ~TDesktopNotifications() override;

    // 0 when there is no session bus; the notification may still fail on the server's side,
    // which only means it is never seen.
    quint32 Show(const QString& summary, const QString& body, const QString& icon,
                 const TActions& actions);
    void Withdraw(quint32 id);
    // Notifications shown and not yet withdrawn or closed by the server.
    int Count() const { return static_cast<int>(serverIds_.size() + pending_.size()); }

signals:
    // The user chose an action (the key), or "default" for a click on the notification.
    void actionInvoked(quint32 id, const QString& key);
    // Closed by the server or the user; not sent for Withdraw.
    void closed(quint32 id);

private slots:
    void OnActionInvoked(quint32 serverId, const QString& key);
    void OnClosed(quint32 serverId, quint32 reason);

private:
    void CloseOnServer(quint32 serverId);

    QDBusConnection bus_;
    quint32 next_ = 0;
    QHash<quint32, quint32> serverIds_; // ours -> the server's
    // Shown, the server's number not known yet; true: withdrawn meanwhile.
    QHash<quint32, bool> pending_;
};

} // namespace kelvo

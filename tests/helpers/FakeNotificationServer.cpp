// A desktop notification server as far as the tests need one: it owns
// org.freedesktop.Notifications, writes every Notify and CloseNotification to a log, one line
// each ("Notify <summary>|<body>|<key>,<label>,...", "Close <id>"), and with --answer KEY
// invokes that action of each notification shortly after it came, as a user would.
// Usage: fake_notification_server --log FILE [--answer KEY]
// It prints "ready" once its name is on the session bus.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QStringList>
#include <QTimer>
#include <cstdio>

namespace {

const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");

class TFakeServer : public QDBusVirtualObject {
public:
    TFakeServer(const QString& log, QString answer) : log_(log), answer_(std::move(answer)) {
        log_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    }

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != Interface)
            return false;
        const QList<QVariant> args = message.arguments();
        if (message.member() == QLatin1String("Notify") && args.size() == 8) {
            const quint32 id = ++last_;
            Log(QStringLiteral("Notify %1|%2|%3")
                    .arg(args[3].toString(), args[4].toString(), args[5].toStringList().join(',')));
            connection.send(message.createReply(QVariant::fromValue(id)));
            if (!answer_.isEmpty())
                QTimer::singleShot(300, [this, id, connection] {
                    Signal(connection, QStringLiteral("ActionInvoked"), {id, answer_});
                    Signal(connection, QStringLiteral("NotificationClosed"), {id, quint32(2)});
                });
            return true;
        }
        if (message.member() == QLatin1String("CloseNotification") && args.size() == 1) {
            const quint32 id = args[0].toUInt();
            Log(QStringLiteral("Close %1").arg(id));
            connection.send(message.createReply());
            Signal(connection, QStringLiteral("NotificationClosed"), {id, quint32(3)});
            return true;
        }
        if (message.member() == QLatin1String("GetCapabilities")) {
            connection.send(message.createReply(
                QVariant(QStringList{QStringLiteral("actions"), QStringLiteral("body")})));
            return true;
        }
        connection.send(message.createErrorReply(
            QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"), message.member()));
        return true;
    }

private:
    void Log(QString line) {
        line.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        log_.write((line + QLatin1Char('\n')).toUtf8());
    }
    static void Signal(QDBusConnection connection, const QString& name, const QVariantList& args) {
        QDBusMessage signal = QDBusMessage::createSignal(Path, Interface, name);
        signal.setArguments(args);
        connection.send(signal);
    }

    QFile log_;
    QString answer_;
    quint32 last_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto value = [&](const char* option) {
        const qsizetype i = args.indexOf(QString::fromLatin1(option));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
    };
    TFakeServer server(value("--log"), value("--answer"));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject(Path, &server) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "fake_notification_server: not on the bus\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

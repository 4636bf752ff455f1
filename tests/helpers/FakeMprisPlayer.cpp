// A media player as far as MPRIS goes, for the tests: it takes a bus name, answers the
// DesktopEntry property and writes every call of the player interfaces to a log, one line
// each ("OpenUri file:///a.wav", "Play", "Stop").
// Usage: fake_mpris_player --name NAME [--desktop-entry ENTRY] --log FILE
// It prints "ready" once its name is on the session bus.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <utility>

namespace {

class TFakePlayer : public QDBusVirtualObject {
public:
    TFakePlayer(QString desktopEntry, const QString& log)
        : desktopEntry_(std::move(desktopEntry)), log_(log) {
        log_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    }

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() == QLatin1String("org.freedesktop.DBus.Properties") &&
            message.member() == QLatin1String("Get")) {
            const QStringList args = {message.arguments().value(0).toString(),
                                      message.arguments().value(1).toString()};
            if (args[1] == QLatin1String("DesktopEntry") && !desktopEntry_.isEmpty())
                connection.send(
                    message.createReply(QVariant::fromValue(QDBusVariant(desktopEntry_))));
            else
                connection.send(message.createErrorReply(
                    QStringLiteral("org.freedesktop.DBus.Error.UnknownProperty"), args[1]));
            return true;
        }
        if (!message.interface().startsWith(QLatin1String("org.mpris.MediaPlayer2")))
            return false;
        QString line = message.member();
        if (!message.arguments().isEmpty())
            line += QLatin1Char(' ') + message.arguments().front().toString();
        log_.write((line + QLatin1Char('\n')).toUtf8());
        connection.send(message.createReply());
        return true;
    }

private:
    QString desktopEntry_;
    QFile log_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto value = [&](const char* option) {
        const qsizetype i = args.indexOf(QString::fromLatin1(option));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
    };
    TFakePlayer player(value("--desktop-entry"), value("--log"));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject(QStringLiteral("/org/mpris/MediaPlayer2"), &player) ||
        !bus.registerService(QStringLiteral("org.mpris.MediaPlayer2.") + value("--name"))) {
        std::fprintf(stderr, "fake_mpris_player: not on the bus\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

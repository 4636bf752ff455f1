#include "platform/audio/MprisPlayers.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace kelvo {

namespace {

const QString MprisPrefix = QStringLiteral("org.mpris.MediaPlayer2.");

QString Property(QDBusConnection& bus, const QString& service, const QString& name) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        service, QStringLiteral("/org/mpris/MediaPlayer2"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setArguments({QStringLiteral("org.mpris.MediaPlayer2"), name});
    // Short: a player that hangs must not hold the options dialog.
    const QDBusMessage reply = bus.call(get, QDBus::Block, 500);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return qvariant_cast<QDBusVariant>(reply.arguments().first()).variant().toString();
}

// The program of a desktop entry's Exec line, found on the search path; empty when none.
QString ExecProgram(const QString& exec) {
    const QStringList words = QProcess::splitCommand(exec);
    if (words.isEmpty())
        return {};
    QString program = words.first();
    if (!program.contains(QLatin1Char('/')))
        program = QStandardPaths::findExecutable(program);
    const QFileInfo info(program);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

void AddPlayer(std::vector<TInstalledPlayer>& players, const QString& name,
               const QString& program) {
    if (program.isEmpty())
        return;
    for (const TInstalledPlayer& p : players)
        if (QFileInfo(p.Program).canonicalFilePath() == QFileInfo(program).canonicalFilePath())
            return;
    players.push_back({name.isEmpty() ? QFileInfo(program).fileName() : name, program});
}

void AddRunningPlayers(std::vector<TInstalledPlayer>& players) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    if (!daemon)
        return;
    const QDBusReply<QStringList> names = daemon->registeredServiceNames();
    if (!names.isValid())
        return;
    for (const QString& service : names.value()) {
        if (!service.startsWith(MprisPrefix))
            continue;
        const QDBusReply<uint> pid = daemon->servicePid(service);
        if (!pid.isValid() || pid.value() == 0)
            continue;
        const QString exe =
            QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid.value())).canonicalFilePath();
        QString name = Property(bus, service, QStringLiteral("Identity"));
        if (name.isEmpty())
            name = service.mid(MprisPrefix.size());
        AddPlayer(players, name, exe);
    }
}

// The keys of a desktop entry's main group (no localized ones).
QHash<QString, QString> ReadDesktopEntry(const QString& path) {
    QHash<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inEntry && eq > 0 && !line.startsWith(QLatin1Char('#')))
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return keys;
}

void AddDesktopEntries(std::vector<TInstalledPlayer>& players) {
    const QStringList folders =
        QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QFileInfo& file :
             dir.entryInfoList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name)) {
            const QHash<QString, QString> entry = ReadDesktopEntry(file.absoluteFilePath());
            const QStringList categories = entry.value(QStringLiteral("Categories"))
                                               .split(QLatin1Char(';'), Qt::SkipEmptyParts);
            const bool audioPlayer = categories.contains(QStringLiteral("Player")) &&
                                     (categories.contains(QStringLiteral("Audio")) ||
                                      categories.contains(QStringLiteral("AudioVideo")));
            const auto yes = [&](const char* key) {
                return entry.value(QLatin1String(key)) == QLatin1String("true");
            };
            if (!audioPlayer || yes("Hidden") || yes("NoDisplay"))
                continue;
            AddPlayer(players, entry.value(QStringLiteral("Name")),
                      ExecProgram(entry.value(QStringLiteral("Exec"))));
        }
    }
}

} // namespace

std::vector<TInstalledPlayer> InstalledMprisPlayers() {
    std::vector<TInstalledPlayer> players;
    AddRunningPlayers(players);
    AddDesktopEntries(players);
    return players;
}

} // namespace kelvo

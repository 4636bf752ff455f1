#include "platform/audio/MprisPlayer.h"

#include "AudioTestSupport.h"
#include "support/TestSupport.h"

#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

using namespace test;

// The player side of MPRIS, as far as the program uses it.
class MprisFake : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
public:
    QStringList calls;

public slots:
    void OpenUri(const QString& uri) { calls << "OpenUri " + uri; }
    void Play() { calls << "Play"; }
    void Stop() { calls << "Stop"; }
};

// A session bus of the test's own, so no player of the desktop is touched.
class PrivateBus {
public:
    PrivateBus() {
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address"});
        if (daemon_.waitForReadyRead(5000))
            address_ = daemon_.readLine().trimmed();
        if (!address_.isEmpty())
            qputenv("DBUS_SESSION_BUS_ADDRESS", address_);
    }
    ~PrivateBus() {
        daemon_.kill();
        daemon_.waitForFinished(2000);
    }
    const QByteArray& Address() const { return address_; }

private:
    QProcess daemon_;
    QByteArray address_;
};

// Ends with the test program, taking the bus daemon with it.
PrivateBus& Bus() {
    static PrivateBus bus;
    return bus;
}

struct Mpris : ::testing::Test {
    void SetUp() override {
        App();
        if (Bus().Address().isEmpty())
            GTEST_SKIP() << "no dbus-daemon";
    }
    void Appear() {
        connection = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QString::fromLatin1(Bus().Address()), "fake"));
        ASSERT_TRUE(connection->registerService("org.mpris.MediaPlayer2.fake"));
        ASSERT_TRUE(connection->registerObject("/org/mpris/MediaPlayer2", &fake,
                                               QDBusConnection::ExportAllSlots));
    }
    void TearDown() override {
        if (connection) {
            connection->unregisterService("org.mpris.MediaPlayer2.fake");
            connection->unregisterObject("/org/mpris/MediaPlayer2");
            QDBusConnection::disconnectFromBus("fake");
        }
    }
    MprisFake fake;
    std::unique_ptr<QDBusConnection> connection;
};

TEST_F(Mpris, ARunningPlayerGetsTheSoundOnceAndStopsOnAnEmptyList) {
    Appear();
    TMprisPlayer player;
    EXPECT_EQ(player.FindPlayer(), "org.mpris.MediaPlayer2.fake");
    player.PlayList({"/sounds/my alarm.mp3"});
    ASSERT_TRUE(WaitFor([&] { return fake.calls.size() >= 2; }, 5000));
    EXPECT_EQ(fake.calls, (QStringList{"OpenUri file:///sounds/my%20alarm.mp3", "Play"}));
    player.PlayList({});
    ASSERT_TRUE(WaitFor([&] { return fake.calls.size() >= 3; }, 5000));
    EXPECT_EQ(fake.calls.back(), "Stop");
}

TEST_F(Mpris, APlayerThatIsNotRunningIsStartedAndGetsTheSoundWhenItAppears) {
    TempDir dir;
    const std::string marker = dir.File("started");
    WriteWholeFile(dir.Path() / "player.sh", "#!/bin/sh\ntouch '" + marker + "'\n");
    std::filesystem::permissions(dir.Path() / "player.sh", std::filesystem::perms::owner_all);
    TMprisPlayer player;
    player.SetProgramPath(dir.File("player.sh"));
    player.PlayList({"/sounds/a.wav"});
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(marker); }, 5000));
    RunFor(300);
    EXPECT_TRUE(fake.calls.isEmpty());
    Appear();
    ASSERT_TRUE(WaitFor([&] { return fake.calls.size() >= 2; }, 5000));
    EXPECT_EQ(fake.calls, (QStringList{"OpenUri file:///sounds/a.wav", "Play"}));
}

} // namespace
} // namespace kelvo

#include "MprisPlayerTest.moc"

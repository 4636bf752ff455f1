#include "platform/audio/MprisPlayer.h"

#include "AudioTestSupport.h"
#include "FakeMpris.h"
#include "support/TestSupport.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

using namespace test;

struct Mpris : ::testing::Test {
    void SetUp() override {
        if (TPrivateBus::Instance().Address().isEmpty())
            GTEST_SKIP() << "no dbus-daemon";
        App();
    }
    TempDir dir;
};

TEST_F(Mpris, ARunningPlayerGetsTheSoundOnceAndStopsOnAnEmptyList) {
    TFakeMprisPlayer fake(dir.Path(), "fake");
    ASSERT_TRUE(fake.Ready());
    TMprisPlayer player;
    player.SetProgramPath(fake.Program().string());
    EXPECT_EQ(player.FindPlayer(), "org.mpris.MediaPlayer2.fake");
    player.PlayList({"/sounds/my alarm.mp3"});
    ASSERT_TRUE(WaitFor([&] { return fake.Calls().size() >= 2; }, 5000));
    EXPECT_EQ(fake.Calls(), (QStringList{"OpenUri file:///sounds/my%20alarm.mp3", "Play"}));
    player.PlayList({});
    ASSERT_TRUE(WaitFor([&] { return fake.Calls().size() >= 3; }, 5000));
    EXPECT_EQ(fake.Calls().back(), "Stop");
}

TEST_F(Mpris, APlayerThatIsNotRunningIsStartedAndGetsTheSoundWhenItAppears) {
    const std::string marker = dir.File("started");
    WriteWholeFile(dir.Path() / "player.sh", "#!/bin/sh\ntouch '" + marker + "'\n");
    std::filesystem::permissions(dir.Path() / "player.sh", std::filesystem::perms::owner_all);
    TMprisPlayer player;
    player.SetProgramPath(dir.File("player.sh"));
    player.PlayList({"/sounds/a.wav"});
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(marker); }, 5000));
    RunFor(300);
    // What the started program brings up names itself after it.
    TFakeMprisPlayer fake(dir.Path(), "started", "player");
    ASSERT_TRUE(fake.Ready());
    ASSERT_TRUE(WaitFor([&] { return fake.Calls().size() >= 2; }, 5000));
    EXPECT_EQ(fake.Calls(), (QStringList{"OpenUri file:///sounds/a.wav", "Play"}));
}

TEST_F(Mpris, OnlyTheConfiguredPlayerIsDrivenAndOnlyStoppedWhenItPlaysForUs) {
    // The other one comes first on the bus, and its name sorts first.
    TFakeMprisPlayer other(dir.Path(), "alpha", "alpha");
    TFakeMprisPlayer mine(dir.Path(), "beta", "org.example.Beta");
    ASSERT_TRUE(other.Ready() && mine.Ready());

    TMprisPlayer idle;
    idle.SetProgramPath("/opt/beta/bin/beta");
    idle.PlayList({}); // nothing played from here: the user's music goes on
    RunFor(300);
    EXPECT_TRUE(mine.Calls().isEmpty()) << mine.Calls().join(", ").toStdString();

    TMprisPlayer byEntry;
    byEntry.SetProgramPath("/opt/beta/bin/beta");
    EXPECT_EQ(byEntry.FindPlayer(), "org.mpris.MediaPlayer2.beta");
    byEntry.PlayList({"/sounds/a.wav"});
    byEntry.PlayList({});
    ASSERT_TRUE(WaitFor([&] { return mine.Calls().size() >= 3; }, 5000));
    EXPECT_EQ(mine.Calls(), (QStringList{"OpenUri file:///sounds/a.wav", "Play", "Stop"}));

    // By its program file, whatever its desktop entry says.
    TMprisPlayer byFile;
    byFile.SetProgramPath(other.Program().string());
    EXPECT_EQ(byFile.FindPlayer(), "org.mpris.MediaPlayer2.alpha");
    EXPECT_TRUE(other.Calls().isEmpty());
}

} // namespace
} // namespace kelvo

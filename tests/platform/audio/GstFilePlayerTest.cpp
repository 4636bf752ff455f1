#include "platform/audio/GstFilePlayer.h"

#include "AudioTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using namespace test;

TEST(GstFilePlayer, AWavFilePlaysToItsEndInRealTime) {
    App();
    TempDir dir;
    WriteWav(dir.Path() / "tone.wav", 400);
    TGstFilePlayer player;
    int ends = 0;
    player.OnEnd = [&] { ++ends; };
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(player.Play(dir.File("tone.wav")));
    EXPECT_TRUE(player.IsPlaying());
    ASSERT_TRUE(WaitFor([&] { return ends == 1; }));
    EXPECT_GE(clock.elapsed(), 350);
    EXPECT_FALSE(player.IsPlaying());
    RunFor(200);
    EXPECT_EQ(ends, 1);
}

TEST(GstFilePlayer, AnMp3PlaysWhenAnEncoderIsAvailable) {
    App();
    TempDir dir;
    if (!WriteMp3(dir.Path() / "tone.mp3", 300))
        GTEST_SKIP() << "lame is not installed";
    TGstFilePlayer player;
    int ends = 0;
    player.OnEnd = [&] { ++ends; };
    ASSERT_TRUE(player.Play(dir.File("tone.mp3")));
    EXPECT_TRUE(WaitFor([&] { return ends == 1; }));
}

TEST(GstFilePlayer, FilesThatCannotBeOpenedRaise) {
    App();
    TempDir dir;
    test::WriteWholeFile(dir.Path() / "noise.wav", "this is not a sound at all");
    TGstFilePlayer player;
    EXPECT_THROW(player.Play(dir.File("missing.wav")), EAudioError);
    EXPECT_THROW(player.Play(dir.File("noise.wav")), EAudioError);
    EXPECT_FALSE(player.IsPlaying());
}

TEST(GstFilePlayer, AStoppedOrReplacedSoundReportsNoEnd) {
    App();
    TempDir dir;
    WriteWav(dir.Path() / "short.wav", 200);
    WriteWav(dir.Path() / "long.wav", 600);
    TGstFilePlayer player;
    int ends = 0;
    player.OnEnd = [&] { ++ends; };
    ASSERT_TRUE(player.Play(dir.File("short.wav")));
    player.Stop();
    RunFor(400);
    EXPECT_EQ(ends, 0);
    ASSERT_TRUE(player.Play(dir.File("short.wav")));
    RunFor(100);
    ASSERT_TRUE(player.Play(dir.File("long.wav")));
    RunFor(300);
    EXPECT_EQ(ends, 0); // the short sound's end must not be taken for the long one's
    EXPECT_TRUE(WaitFor([&] { return ends == 1; }));
}

} // namespace
} // namespace kelvo

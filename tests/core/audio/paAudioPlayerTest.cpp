#include "core/audio/paAudioPlayer.h"

#include "AudioFakes.h"
#include "support/ManualTime.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using test::FakeFilePlayer;
using test::FakeMPEGLibrary;
using test::ManualTime;
using test::TempDir;
using test::WriteWholeFile;

TEST(SoundNames, BlanksAndQuotationMarksAroundANameAreRemoved) {
    EXPECT_EQ(CleanSoundName("  \"My Alarm.wav\"  "), "My Alarm.wav");
    EXPECT_EQ(CleanSoundName("\"Alarm.wav"), "Alarm.wav");
    EXPECT_EQ(CleanSoundName("Alarm.wav\" "), "Alarm.wav");
    EXPECT_EQ(CleanSoundName("\""), "");
    EXPECT_EQ(CleanSoundName(""), "");
}

TEST(SoundNames, RelativeNamesAreTakenInsideTheFolder) {
    TempDir dir;
    EXPECT_EQ(ExpandFileName("Beep.wav", dir.Path().string()), dir.File("Beep.wav"));
    EXPECT_EQ(ExpandFileName("/abs/x.wav", dir.Path().string()), "/abs/x.wav");
    EXPECT_EQ(ExpandFileName("sub/../x.wav", "/s"), "/s/x.wav");
    // A name written on Windows finds the file below the folder.
    std::filesystem::create_directory(dir.Path() / "Sounds");
    WriteWholeFile(dir.Path() / "Sounds" / "Beep.wav", "x");
    EXPECT_EQ(ExpandFileName("Sounds\\Beep.wav", dir.Path().string()),
              (dir.Path() / "Sounds" / "Beep.wav").string());
}

TEST(Playlists, M3uSkipsCommentsAndResolvesEntriesBesideTheListFirst) {
    TempDir lists;
    TempDir sounds;
    WriteWholeFile(lists.Path() / "near.mp3", "x");
    WriteWholeFile(sounds.Path() / "far.wav", "x");
    WriteWholeFile(lists.Path() / "list.M3U",
                   "#EXTM3U\r\n#EXTINF:1,Near\r\nnear.mp3\r\n\r\nfar.wav\r\n/abs/a.ogg\n"
                   "http://radio.example/stream\n");
    std::vector<std::string> list;
    ASSERT_TRUE(FillPlayList(lists.File("list.M3U"), sounds.Path().string(), list));
    EXPECT_EQ(list, (std::vector<std::string>{lists.File("near.mp3"), sounds.File("far.wav"),
                                              "/abs/a.ogg", "http://radio.example/stream"}));
}

TEST(Playlists, PlsTakesTheNumberedFilesThatExist) {
    TempDir dir;
    WriteWholeFile(dir.Path() / "a.pls", "[playlist]\nFile1=one.wav\nTitle1=One\nfile2=two.wav\n"
                                         "NumberOfEntries=3\nVersion=2\n");
    std::vector<std::string> list;
    ASSERT_TRUE(FillPlayList(dir.File("a.pls"), "", list));
    EXPECT_EQ(list, (std::vector<std::string>{dir.File("one.wav"), dir.File("two.wav")}));
}

TEST(Playlists, PlsWithoutAUsableCountGivesNothing) {
    TempDir dir;
    std::vector<std::string> list{"old"};
    WriteWholeFile(dir.Path() / "none.pls", "[playlist]\nFile1=one.wav\n");
    EXPECT_FALSE(FillPlayList(dir.File("none.pls"), "", list));
    EXPECT_TRUE(list.empty());
    WriteWholeFile(dir.Path() / "text.pls", "NumberOfEntries=two\nFile1=one.wav\n");
    EXPECT_FALSE(FillPlayList(dir.File("text.pls"), "", list));
    EXPECT_FALSE(FillPlayList(dir.File("missing.m3u"), "", list));
    EXPECT_TRUE(list.empty());
}

TEST(Playlists, AHugeEntryCountDoesNotRunAway) {
    TempDir dir;
    WriteWholeFile(dir.Path() / "big.pls", "NumberOfEntries=2000000000\nFile1=a.wav\n"
                                           "File5000=b.wav\n");
    std::vector<std::string> list;
    ASSERT_TRUE(FillPlayList(dir.File("big.pls"), "", list));
    EXPECT_EQ(list, std::vector<std::string>{dir.File("a.wav")});
}

TEST(Playlists, AnyOtherNameIsItsOwnOnlyEntry) {
    std::vector<std::string> list;
    ASSERT_TRUE(FillPlayList("/x/song.mp3", "", list));
    EXPECT_EQ(list, std::vector<std::string>{"/x/song.mp3"});
}

struct PlayerFixture : ::testing::Test {
    PlayerFixture() {
        auto file = std::make_unique<FakeFilePlayer>();
        files = file.get();
        auto library = std::make_unique<FakeMPEGLibrary>();
        decoder = library.get();
        auto mpeg = std::make_unique<TMPEGPlayer>(timers);
        mpeg->Load(std::move(library));
        TAudioEngines engines;
        engines.File = std::move(file);
        engines.MPEG = std::move(mpeg);
        player = std::make_unique<TAudioPlayer>(std::move(engines));
        player->OnComplete = [this] { ++completions; };
    }
    ManualTime timers;
    FakeFilePlayer* files = nullptr;
    FakeMPEGLibrary* decoder = nullptr;
    std::unique_ptr<TAudioPlayer> player;
    int completions = 0;
};

TEST_F(PlayerFixture, AWholeListIsOnePerformance) {
    files->playable = {"a", "b"};
    player->PlayList = {"a", "b"};
    player->Play();
    EXPECT_EQ(files->current, "a");
    files->Finish();
    EXPECT_EQ(files->current, "b");
    EXPECT_EQ(completions, 0);
    files->Finish();
    EXPECT_EQ(completions, 1);
}

TEST_F(PlayerFixture, AFileThatOpensButDoesNotPlayEndsTheAttempt) {
    files->playable = {"b"};
    player->PlayList = {"a", "b"};
    player->Play();
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(files->attempts, std::vector<std::string>{"a"});
}

TEST_F(PlayerFixture, TheDecoderTakesExistingFilesTheFileEngineCannotOpen) {
    TempDir dir;
    const std::string mp3 = dir.File("song.mp3");
    WriteWholeFile(mp3, "ID3");
    files->unopenable = {mp3, dir.File("missing.mp3")};
    decoder->decodable = {mp3};
    ASSERT_TRUE(player->MPEGAvailable());
    player->PlayList = {dir.File("missing.mp3"), mp3};
    player->Play();
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_EQ(player->CurrentIndex(), 1);
    // The poll sees the decoder's end flag and the list is done.
    decoder->EndStream();
    timers.First().Fire();
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(player->IsPlaying());
}

TEST_F(PlayerFixture, AStoppedPlayerCompletesAtItsNextEndInsteadOfGoingOn) {
    files->playable = {"a", "b"};
    player->PlayList = {"a", "b"};
    player->Play();
    player->Stop();
    EXPECT_FALSE(player->IsPlaying());
    files->Finish();
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(files->attempts, std::vector<std::string>{"a"});
}

TEST_F(PlayerFixture, ShuffleKeepsTheEntriesAndChangesTheOrder) {
    for (int i = 0; i < 30; ++i)
        player->PlayList.push_back(std::to_string(i));
    const auto original = player->PlayList;
    player->Shuffle = true;
    player->Play();
    auto sorted = player->PlayList;
    std::sort(sorted.begin(), sorted.end());
    auto expected = original;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
    EXPECT_NE(player->PlayList, original); // one chance in 30! of a false alarm
}

TEST(MPEGPlayer, LoadingErrorsCarryTheTableMessages) {
    ManualTime timers;
    TMPEGPlayer player(timers);
    try {
        player.Load(nullptr);
        FAIL();
    } catch (const TMPEGError& e) {
        EXPECT_STREQ(e.what(), "Can't load MPEG library");
    }
    auto library = std::make_unique<FakeMPEGLibrary>();
    library->initResult = false;
    library->error = 5;
    try {
        player.Load(std::move(library));
        FAIL();
    } catch (const TMPEGError& e) {
        EXPECT_STREQ(e.what(), "Output device failure");
        EXPECT_EQ(e.Code(), 5);
    }
    EXPECT_FALSE(player.Loaded());
    EXPECT_EQ(MPEGErrorMessage(4), "Input stream is non-seekable");
    EXPECT_THROW(player.Start(), TMPEGError);
}

TEST(MPEGPlayer, FirstPlayConfiguresTheLibraryAndASecondRestarts) {
    ManualTime timers;
    TMPEGPlayer player(timers);
    auto owned = std::make_unique<FakeMPEGLibrary>();
    FakeMPEGLibrary& library = *owned;
    library.decodable = {"s.mp3"};
    player.Load(std::move(owned));
    int ends = 0;
    player.OnPlayEnd = [&] { ++ends; };
    player.SetStreamName("s.mp3");
    player.Start();
    EXPECT_EQ(library.calls,
              (std::vector<std::string>{"Open s.mp3", "SetPriority 15", "SetOutputDevice 0",
                                        "SetSndDevice 0", "Play"}));
    ManualTime::Timer& poll = timers.First();
    EXPECT_TRUE(poll.active);
    EXPECT_EQ(poll.interval, 500u);
    poll.Fire();
    EXPECT_EQ(ends, 0);
    library.EndStream();
    poll.Fire();
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(poll.active);
    EXPECT_FALSE(player.Playing());
    // Stopping what has ended is the library's "Incorrect mode".
    EXPECT_THROW(player.Stop(), TMPEGError);
    library.calls.clear();
    player.Start();
    EXPECT_EQ(library.calls, std::vector<std::string>{"Restart"});
}

TEST(MPEGPlayer, AnUnreadableStreamRaisesTheInputError) {
    ManualTime timers;
    TMPEGPlayer player(timers);
    player.Load(std::make_unique<FakeMPEGLibrary>());
    player.SetStreamName("bad.mp3");
    try {
        player.Open();
        FAIL();
    } catch (const TMPEGError& e) {
        EXPECT_STREQ(e.what(), "Input stream error");
    }
    EXPECT_FALSE(player.Opened());
}

TEST(Beep, ThreeShortTonesAndALongerLowerOne) {
    struct Recorder : IToneGenerator {
        void Tone(int f, int ms) override { tones.emplace_back(f, ms); }
        std::vector<std::pair<int, int>> tones;
    } recorder;
    PlayBeepTones(recorder);
    EXPECT_EQ(recorder.tones,
              (std::vector<std::pair<int, int>>{{440, 250}, {440, 250}, {440, 250}, {349, 300}}));
}

} // namespace
} // namespace kelvo

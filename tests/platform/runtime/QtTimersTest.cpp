#include "platform/runtime/QtTimers.h"

#include "core/timers/paTimerList.h"
#include "platform/runtime/FolderProvider.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "test_platform_runtime";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    return app ? *app : *QCoreApplication::instance();
}

// Runs the event loop until done() or the limit.
template <class Done> void RunUntil(Done done, int limitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

TEST(QtTimer, NeverFiresEarly) {
    App();
    TQtTimer timer;
    TMonotonicTickCounter ticks;
    std::vector<std::uint32_t> at;
    const std::uint32_t start = ticks.TickCount();
    timer.OnTimeout = [&] { at.push_back(ticks.TickCount()); };
    timer.Start(120);
    RunUntil([&] { return at.size() >= 3; });
    timer.Stop();
    ASSERT_GE(at.size(), 3u);
    for (std::size_t i = 0; i < at.size(); ++i)
        EXPECT_GE(static_cast<std::uint32_t>(at[i] - start), 120u * (i + 1)) << i;
    EXPECT_FALSE(timer.IsActive());
}

TEST(QtTimer, SingleShotAndDestroyedFromItsOwnTimeout) {
    App();
    auto timer = std::make_unique<TQtTimer>();
    int calls = 0;
    timer->OnTimeout = [&] {
        ++calls;
        timer.reset();
    };
    timer->Start(20, true);
    RunUntil([&] { return calls > 0; });
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(timer);
    RunUntil([] { return false; }, 100);
    EXPECT_EQ(calls, 1);
}

TEST(QtTimer, TimerListOnRealTimers) {
    App();
    TQtTimerFactory factory;
    TMonotonicTickCounter ticks;
    TTimerList list(factory, ticks);
    int fast = 0, once = 0, finished = 0;
    std::int32_t fastId = 0;
    const std::uint32_t start = ticks.TickCount();
    std::uint32_t onceAt = 0;
    fastId = list.AddTimer(100, true, [&](TTimerEvent&) {
        if (++fast == 5)
            list.DeleteTimer(fastId); // its own timer, from its handler
    });
    list.AddTimer(250, false, [&](TTimerEvent&) {
        ++once;
        onceAt = ticks.TickCount();
    });
    list.OnFinish = [&](TTimerList&) { ++finished; };
    list.SetActive(true);
    EXPECT_EQ(list.Elapse(), 100);
    RunUntil([&] { return finished > 0; });
    EXPECT_EQ(fast, 5);
    EXPECT_EQ(once, 1);
    EXPECT_GE(static_cast<std::uint32_t>(onceAt - start), 200u); // at most 50 ms early
    EXPECT_FALSE(list.Active());
}

TEST(FolderProvider, ResourcesBesideTheProgramOrInItsShareFolder) {
    App();
    test::TempDir dir;
    const auto bin = dir.Path() / "usr" / "bin";
    const auto share = dir.Path() / "usr" / "share" / "kelvo-rem";
    std::filesystem::create_directories(bin);
    TQtFolderProvider bare(bin.string());
    EXPECT_EQ(bare.ResourceFolder(), bin.string());

    std::filesystem::create_directories(share / "Sounds");
    TQtFolderProvider installed(bin.string());
    EXPECT_EQ(installed.ResourceFolder(), share.string());
    TProgramFolders folders(installed);
    EXPECT_EQ(folders.SoundsFolder(), (share / "Sounds").string() + "/");
    EXPECT_EQ(folders.ExeFolder(), bin.string());

    std::filesystem::create_directories(bin / "Sounds");
    TQtFolderProvider unpacked(bin.string());
    EXPECT_EQ(unpacked.ResourceFolder(), bin.string());

    TQtFolderProvider running;
    EXPECT_EQ(std::filesystem::path(running.ProgramFolder()),
              std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()));
}

TEST(FolderProvider, UserDataFollowsXdg) {
    App();
    test::TempDir dir;
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.Path().string()));
    TQtFolderProvider provider(dir.Path().string());
    TProgramFolders folders(provider);
    EXPECT_EQ(folders.AppDataFolder(), (dir.Path() / "Brennikor" / "Tavrelon").string() + "/");
    qunsetenv("XDG_DATA_HOME");
}

} // namespace
} // namespace kelvo

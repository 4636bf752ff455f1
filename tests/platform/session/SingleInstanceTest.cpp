#include "SessionTestSupport.h"
#include "core/util/paError.h"
#include "platform/session/paSingleInstance.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

QString Folder() {
    return qEnvironmentVariable("KELVO_INSTANCE_FOLDER");
}

TEST(SingleInstance, ASecondProcessAsksTheFirstToShowItselfAndEnds) {
    test::Application();
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.Path().string());
    TSingleInstance first(folder);
    ASSERT_EQ(first.Start(), TSingleInstance::TStart::First);
    int asked = 0;
    QObject::connect(&first, &TSingleInstance::activationRequested, [&] { ++asked; });

    QProcess second;
    test::StartChild(second, "SingleInstanceChild.StartsAsSecond",
                     {"KELVO_INSTANCE_FOLDER=" + folder});
    QElapsedTimer clock;
    clock.start();
    while (second.state() != QProcess::NotRunning && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAll().toStdString();
    test::WaitUntil([&] { return asked > 0; }, 2000);
    EXPECT_EQ(asked, 1);
    // The second start left nothing of its own behind.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot).size(), 2);
}

TEST(SingleInstance, ALockLeftByAKilledInstanceIsTakenOver) {
    test::Application();
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.Path().string());
    QProcess crashed;
    test::StartChild(crashed, "SingleInstanceChild.HoldsTheLock",
                     {"KELVO_INSTANCE_FOLDER=" + folder});
    ASSERT_TRUE(crashed.waitForReadyRead(20000));
    while (!crashed.readAll().contains("holding") && crashed.waitForReadyRead(5000)) {
    }
    ::kill(static_cast<pid_t>(crashed.processId()), SIGKILL);
    crashed.waitForFinished(5000);

    TSingleInstance next(folder);
    ASSERT_TRUE(QFile::exists(next.LockPath()));
    ASSERT_TRUE(QFile::exists(next.ServerPath()));
    EXPECT_EQ(next.Start(2000), TSingleInstance::TStart::First);

    // And it really listens again on the socket the dead one left.
    int asked = 0;
    QObject::connect(&next, &TSingleInstance::activationRequested, [&] { ++asked; });
    QProcess second;
    test::StartChild(second, "SingleInstanceChild.StartsAsSecond",
                     {"KELVO_INSTANCE_FOLDER=" + folder});
    QElapsedTimer clock;
    clock.start();
    while (second.state() != QProcess::NotRunning && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(second.exitCode(), 0);
    test::WaitUntil([&] { return asked > 0; }, 2000);
    EXPECT_EQ(asked, 1);
}

TEST(SingleInstance, AHungInstanceIsReportedUnreachable) {
    test::Application();
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.Path().string());
    QLockFile held(folder + "/Brennikor-Tavrelon.lock");
    ASSERT_TRUE(held.tryLock(0)); // alive (this very process) but never answering
    TSingleInstance late(folder);
    EXPECT_EQ(late.Start(300), TSingleInstance::TStart::Unreachable);
}

TEST(SingleInstance, StartsEvenWhereNoLockCanBeMade) {
    test::Application();
    test::TempDir dir;
    test::WriteWholeFile(dir.Path() / "file", "");
    TSingleInstance unguarded(QString::fromStdString(dir.File("file")));
    SetHintRaiser(std::make_unique<TpaRaiserAndSilent>());
    EXPECT_EQ(unguarded.Start(300), TSingleInstance::TStart::First);
    SetHintRaiser(nullptr);
}

std::string FolderOf(const TSingleInstance& instance) {
    return QFileInfo(instance.LockPath()).absolutePath().toStdString();
}

// The environment of one test, put back afterwards.
class TEnvironment {
public:
    void Set(const char* name, const std::string& value) {
        Remember(name);
        setenv(name, value.c_str(), 1);
    }
    void Unset(const char* name) {
        Remember(name);
        unsetenv(name);
    }
    ~TEnvironment() {
        for (const auto& [name, value] : saved_)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }

private:
    void Remember(const char* name) {
        const char* v = getenv(name);
        saved_.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(SingleInstance, WithoutARuntimeFolderNothingPlantedInTheSharedFolderIsUsed) {
    test::Application();
    test::TempDir dir;
    // Someone else's instance: it holds its lock and answers every start with "ok".
    const fs::path hostile = dir.Path() / "tmp";
    fs::create_directories(hostile);
    QProcess other;
    test::StartChild(other, "SingleInstanceChild.HoldsTheLock",
                     {"KELVO_INSTANCE_FOLDER=" + QString::fromStdString(hostile.string())});
    ASSERT_TRUE(other.waitForReadyRead(20000));
    while (!other.readAll().contains("holding") && other.waitForReadyRead(5000)) {
    }

    TEnvironment env;
    env.Unset("XDG_RUNTIME_DIR");
    env.Set("TMPDIR", hostile.string());
    env.Set("XDG_CACHE_HOME", dir.File("cache"));
    // The folder the library would take is blocked, so a start would look in the shared one.
    const passwd* me = getpwuid(geteuid());
    ASSERT_NE(me, nullptr);
    test::WriteWholeFile(hostile / ("runtime-" + std::string(me->pw_name)), "");
    const fs::path own = hostile / ("kelvo-rem-" + std::to_string(geteuid()));
    const fs::path expected = dir.Path() / "cache" / "Brennikor" / "Tavrelon-instance";

    // What may stand where the private folder belongs: a link to the other's folder, a folder
    // open to everyone, and (run as root) a folder of another user.
    std::vector<std::function<bool()>> plants = {
        [&] { return symlink(hostile.c_str(), own.c_str()) == 0; },
        [&] { return mkdir(own.c_str(), 0777) == 0 && chmod(own.c_str(), 0777) == 0; },
        [&] { return mkdir(own.c_str(), 0700) == 0 && chown(own.c_str(), 65534, 65534) == 0; },
    };
    for (std::size_t i = 0; i < plants.size(); ++i) {
        fs::remove_all(own);
        if (!plants[i]()) {
            ASSERT_EQ(i, 2u) << "only the other user's folder needs root";
            continue;
        }
        TSingleInstance me(QString{});
        EXPECT_EQ(FolderOf(me), expected.string()) << i;
        EXPECT_EQ(me.Start(2000), TSingleInstance::TStart::First) << i;
        struct stat info {};
        ASSERT_EQ(lstat(expected.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0700u);
    }

    // Where nothing is planted the private folder is made in the temporary folder.
    fs::remove_all(own);
    {
        TSingleInstance me(QString{});
        EXPECT_EQ(FolderOf(me), own.string());
        EXPECT_EQ(me.Start(2000), TSingleInstance::TStart::First);
        struct stat info {};
        ASSERT_EQ(lstat(own.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0700u);
    }
    // A runtime folder open to others is refused too.
    fs::create_directories(dir.Path() / "run");
    fs::permissions(dir.Path() / "run", fs::perms::all);
    env.Set("XDG_RUNTIME_DIR", dir.File("run"));
    EXPECT_EQ(FolderOf(TSingleInstance(QString{})), own.string());
    fs::permissions(dir.Path() / "run", fs::perms::owner_all);
    EXPECT_EQ(FolderOf(TSingleInstance(QString{})), dir.File("run"));

    other.kill();
    other.waitForFinished(5000);
}

TEST(SingleInstanceChild, StartsAsSecond) {
    if (!qEnvironmentVariableIsSet("KELVO_CHILD"))
        GTEST_SKIP() << "runs only as a child process";
    test::Application();
    TSingleInstance me(Folder());
    EXPECT_EQ(me.Start(), TSingleInstance::TStart::Second);
}

TEST(SingleInstanceChild, HoldsTheLock) {
    if (!qEnvironmentVariableIsSet("KELVO_CHILD"))
        GTEST_SKIP() << "runs only as a child process";
    test::Application();
    TSingleInstance me(Folder());
    ASSERT_EQ(me.Start(), TSingleInstance::TStart::First);
    std::puts("holding");
    std::fflush(stdout);
    for (;;)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1000);
}

} // namespace
} // namespace kelvo

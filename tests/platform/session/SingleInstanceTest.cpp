#include "SessionTestSupport.h"
#include "core/util/paError.h"
#include "platform/session/paSingleInstance.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

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

#include "SessionTestSupport.h"
#include "platform/session/paSessionEnd.h"
#include "support/TestSupport.h"

#include <QFile>
#include <csignal>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(SessionEnd, SigtermAndSighupArriveInTheEventLoop) {
    test::Application();
    TSessionEndWatcher watcher;
    ASSERT_TRUE(watcher.IsActive());
    std::vector<int> ending;
    QObject::connect(&watcher, &TSessionEndWatcher::sessionEnding,
                     [&](int number) { ending.push_back(number); });
    ::raise(SIGTERM);
    ASSERT_TRUE(test::WaitUntil([&] { return ending.size() == 1; }, 2000));
    EXPECT_EQ(ending[0], SIGTERM);
    ::raise(SIGHUP);
    ASSERT_TRUE(test::WaitUntil([&] { return ending.size() == 2; }, 2000));
    EXPECT_EQ(ending[1], SIGHUP);
}

TEST(SessionEnd, AProgramEndedBySigtermSavesAndExitsWithCodeZero) {
    test::Application();
    test::TempDir dir;
    const QString saved = QString::fromStdString(dir.File("saved"));
    QProcess program;
    test::StartChild(program, "SessionEndChild.SavesOnSigterm", {"KELVO_SAVED_FILE=" + saved});
    ASSERT_TRUE(program.waitForReadyRead(20000));
    while (!program.readAll().contains("running") && program.waitForReadyRead(5000)) {
    }
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(test::ReadWholeFile(saved.toStdString()), "saved on signal 15");
}

TEST(SessionEndChild, SavesOnSigterm) {
    if (!qEnvironmentVariableIsSet("KELVO_CHILD"))
        GTEST_SKIP() << "runs only as a child process";
    test::Application();
    TSessionEndWatcher watcher;
    QObject::connect(&watcher, &TSessionEndWatcher::sessionEnding, [](int number) {
        test::WriteWholeFile(qEnvironmentVariable("KELVO_SAVED_FILE").toStdString(),
                             "saved on signal " + std::to_string(number));
        TSessionEndWatcher::EndProcessNow(0);
    });
    std::puts("running");
    std::fflush(stdout);
    for (;;)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1000);
}

} // namespace
} // namespace kelvo

// kelvo-cli sync without --events asks the running desktop program (kelvo-rem, offscreen) to
// sync its own account, and refuses to sync the file that program has open itself.

#include "cli/CliProcess.h"
#include "core/persistence/TemplateFile.h"
#include "support/CalDavServer.h"
#include "support/EntitySamples.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using test::CalDavServer;
using test::RunCli;

TEST(CalDavDesktopSyncTest, TheRunningProgramSyncsWhenAskedAndKeepsItsFileToItself) {
    CalDavServer server({"--open"});
    ASSERT_TRUE(server.Up());
    server.Peer("add p1 'From the server'");
    test::TempDir dir;
    const fs::path data = test::ProgramDataFolder(dir.Path());
    fs::create_directories(data);
    fs::create_directories(dir.Path() / "config" / "Brennikor");
    fs::create_directories(dir.Path() / "run");
    fs::permissions(dir.Path() / "run", fs::perms::owner_all);
    auto mine = samples::SilentEventOnceAt(EncodeDateTime(2030, 3, 5, 10, 0), "From the desktop");
    mine->SetTemplate("CalDAV");
    test::SaveEvents(dir, {mine.get()}, "data/Brennikor/Tavrelon/kelvo-rem.evn");
    TTemplateTree templates;
    templates.EnsureDefaultTemplate();
    auto calDav = std::make_unique<TEventTemplate>();
    calDav->SetTemplate("CalDAV");
    templates.AddTemplate(nullptr, -1, std::move(calDav));
    SaveTemplatesFile((data / "kelvo-rem.tpl").string(), templates);
    test::WriteWholeFile(dir.Path() / "config" / "Brennikor" / "Tavrelon MP3.conf",
                         "[CalDAV]\nUrl=" + server.Url() + "\nUser=reminder\n");

    const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + dir.File("run"),
                                          "XDG_STATE_HOME=" + dir.File("state")};
    QProcess desktop;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("HOME", QString::fromStdString(dir.Path().string()));
    e.insert("XDG_DATA_HOME", QString::fromStdString(dir.File("data")));
    e.insert("XDG_CONFIG_HOME", QString::fromStdString(dir.File("config")));
    e.insert("XDG_STATE_HOME", QString::fromStdString(dir.File("state")));
    e.insert("XDG_RUNTIME_DIR", QString::fromStdString(dir.File("run")));
    e.insert("QT_QPA_PLATFORM", "offscreen");
    e.insert("LC_ALL", "C");
    desktop.setProcessEnvironment(e);
    desktop.setStandardOutputFile(QString::fromStdString(dir.File("desktop.log")));
    desktop.setStandardErrorFile(QString::fromStdString(dir.File("desktop.log")));
    desktop.start(KELVO_REM_PATH, {});
    ASSERT_TRUE(desktop.waitForStarted(5000));
    // The start-up save makes the backup: then the program listens.
    for (int i = 0; i < 300 && !fs::exists(data / "kelvo-rem.~ev"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(fs::exists(data / "kelvo-rem.~ev")) << test::ReadWholeFile(dir.File("desktop.log"));

    test::TCliRun run = RunCli(dir, {"sync"}, env);
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "down\tadded\t1\tFrom the server\nup\tadded\t0\tFrom the desktop\n");
    EXPECT_NE(server.Peer("list").find("\tFrom the desktop\n"), std::string::npos);
    // The program holds what arrived: a save of its own keeps it.
    EXPECT_NE(test::ReadWholeFile(data / "kelvo-rem.evn").find("From the server"),
              std::string::npos);
    // What arrived is kept as it was synced: it does not go back up as changed.
    run = RunCli(dir, {"sync"}, env);
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "");

    run = RunCli(
        dir, {"sync", "--events", (data / "kelvo-rem.evn").string(), "--url", server.Url()}, env);
    EXPECT_EQ(run.Exit, 64);
    EXPECT_NE(run.Err.find("running program"), std::string::npos) << run.Err;

    desktop.terminate();
    if (!desktop.waitForFinished(10000))
        desktop.kill();
}

} // namespace
} // namespace kelvo

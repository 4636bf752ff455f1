#include "platform/session/paAutostart.h"
#include "support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(StartupShortcut, ItsExistenceIsTheState) {
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.File("autostart/Tavrelon MP3.desktop"));
    TStartupShortcut shortcut(path, "/opt/Tavrelon MP3/kelvo-rem");
    bool run = true, tray = true;
    shortcut.Read(run, tray);
    EXPECT_FALSE(run);
    EXPECT_TRUE(tray); // kept when there is no entry

    ASSERT_TRUE(shortcut.Write(true, true));
    const std::string text = test::ReadWholeFile(path.toStdString());
    EXPECT_NE(text.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(text.find("\nExec=\"/opt/Tavrelon MP3/kelvo-rem\" -tray\n"), std::string::npos);
    EXPECT_NE(text.find("\nName=Tavrelon MP3\n"), std::string::npos);
    run = false;
    tray = false;
    shortcut.Read(run, tray);
    EXPECT_TRUE(run);
    EXPECT_TRUE(tray);

    ASSERT_TRUE(shortcut.Write(true, false));
    EXPECT_NE(
        test::ReadWholeFile(path.toStdString()).find("\nExec=\"/opt/Tavrelon MP3/kelvo-rem\"\n"),
        std::string::npos);
    shortcut.Read(run, tray);
    EXPECT_TRUE(run);
    EXPECT_FALSE(tray);

    ASSERT_TRUE(shortcut.Write(false, false));
    EXPECT_FALSE(QFile::exists(path));
    shortcut.Read(run, tray);
    EXPECT_FALSE(run);
}

TEST(StartupShortcut, ReadsEntriesWrittenByOthers) {
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.File("a.desktop"));
    TStartupShortcut shortcut(path, "/usr/bin/kelvo-rem");
    bool run = false, tray = false;
    test::WriteWholeFile(path.toStdString(), "[Desktop Entry]\nType=Application\n"
                                             "Exec=/usr/bin/kelvo-rem -TRAY\n");
    shortcut.Read(run, tray);
    EXPECT_TRUE(run);
    EXPECT_TRUE(tray); // any letter case

    test::WriteWholeFile(path.toStdString(),
                         "[Desktop Entry]\nExec=/usr/bin/kelvo-rem\nHidden=true\n");
    shortcut.Read(run, tray);
    EXPECT_FALSE(run); // the desktop treats a hidden entry as deleted

    test::WriteWholeFile(path.toStdString(), "[Other]\nExec=x -tray\n");
    tray = false;
    shortcut.Read(run, tray);
    EXPECT_FALSE(run);
    EXPECT_FALSE(tray);

    test::WriteWholeFile(path.toStdString(), "[Desktop Entry]\nExec=/usr/bin/kelvo-rem " +
                                                 std::string(300, 'a') + "\n");
    shortcut.Read(run, tray);
    EXPECT_FALSE(run); // arguments too long to be read
}

TEST(StartupShortcut, QuotesProgramPathsSafely) {
    for (const QString& program :
         {QString("/opt/a b/kelvo-rem"), QString("/x/$HOME`id`/\"q\"\\z")}) {
        const QString exec = TStartupShortcut::QuoteExecArgument(program) + " -tray";
        EXPECT_EQ(TStartupShortcut::SplitExec(exec), (QStringList{program, "-tray"}))
            << exec.toStdString();
    }
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.File("b.desktop"));
    TStartupShortcut odd(path, "/x/back\\slash/kelvo-rem");
    ASSERT_TRUE(odd.Write(true, true));
    bool run = false, tray = false;
    odd.Read(run, tray);
    EXPECT_TRUE(run);
    EXPECT_TRUE(tray);
}

} // namespace
} // namespace kelvo

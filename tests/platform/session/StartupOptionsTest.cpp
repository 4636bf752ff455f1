#include "core/options/ProgramOptions.h"
#include "platform/session/paStartupOptions.h"
#include "support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(StartupOptions, TheEntryDecidesAndFollowsTheOptions) {
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.File("autostart/Tavrelon MP3.desktop"));
    TStartupShortcut shortcut(path, "/usr/bin/kelvo-rem");
    TProgramOptions options;
    options.StartupRunAtStartup.SetValue(true);
    options.StartupDirectlyIntoTray.SetValue(true);
    ReadStartupShortcut(shortcut, options);
    EXPECT_FALSE(options.StartupRunAtStartup.Value()); // no entry: not run at startup
    EXPECT_TRUE(options.StartupDirectlyIntoTray.Value());

    options.StartupRunAtStartup.SetValue(true);
    WriteStartupShortcut(shortcut, options);
    EXPECT_NE(test::ReadWholeFile(path.toStdString()).find("Exec=\"/usr/bin/kelvo-rem\" -tray\n"),
              std::string::npos);

    options.StartupDirectlyIntoTray.SetValue(false);
    WriteStartupShortcut(shortcut, options);
    options.StartupDirectlyIntoTray.SetValue(true);
    ReadStartupShortcut(shortcut, options);
    EXPECT_TRUE(options.StartupRunAtStartup.Value());
    EXPECT_FALSE(options.StartupDirectlyIntoTray.Value());

    options.StartupRunAtStartup.SetValue(false);
    WriteStartupShortcut(shortcut, options);
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
} // namespace kelvo
